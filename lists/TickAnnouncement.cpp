#include "lists/TickAnnouncement.h"

#include <QAbstractItemView>
#include <QAccessible>

void AnnounceTickChange(QAbstractItemView& view, const QModelIndex& cell) {
    if (!QAccessible::isActive() || !cell.isValid())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    if (table == nullptr || table->tableInterface() == nullptr)
        return;
    QAccessibleInterface* focused = table->tableInterface()->cellAt(cell.row(), cell.column());
    if (focused == nullptr)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(focused, changed);
    QAccessible::updateAccessibility(&event);
}
