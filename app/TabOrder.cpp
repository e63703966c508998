#include "app/TabOrder.h"

#include "resources/DialogTemplate.h"

#include <QWidget>

void ApplyTemplateTabOrder(QWidget& window, const DialogTemplate& dialog) {
    QWidget* previous = nullptr;
    for (const DialogControl& control : dialog.controls) {
        auto* widget =
            window.findChild<QWidget*>(QString::number(control.id), Qt::FindDirectChildrenOnly);
        if (!widget)
            continue;
        const Qt::FocusPolicy policy = widget->focusPolicy();
        if (!(control.style & StyleTabStop)) {
            widget->setFocusPolicy(Qt::FocusPolicy(policy & ~Qt::TabFocus));
            continue;
        }
        widget->setFocusPolicy(Qt::FocusPolicy(policy | Qt::TabFocus));
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}
