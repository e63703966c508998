#include "lists/COwnerDrawHeader.h"

#include "lists/HeaderPainting.h"
#include "lists/ListMetrics.h"

#include <QMouseEvent>
#include <QPainter>

COwnerDrawHeader::COwnerDrawHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setStretchLastSection(false);
    setSectionsMovable(false);
    connect(this, &QHeaderView::sectionClicked, this,
            [this](int column) { emit columnClicked(column, releaseX); });
}

QRect COwnerDrawHeader::SectionRect(int logicalIndex) const {
    return QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                 viewport()->height());
}

QSize COwnerDrawHeader::sizeHint() const {
    return QSize(length(), HeaderHeight(fontMetrics()));
}

QSize COwnerDrawHeader::minimumSizeHint() const {
    return sizeHint();
}

void COwnerDrawHeader::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    HeaderBackground::paint(painter, viewport()->rect());
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const QRect rect = SectionRect(logical);
        if (rect.right() >= 0 && rect.left() <= viewport()->width())
            paintSection(&painter, rect, logical);
    }
}

void COwnerDrawHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a quick pair counts as a click of its own.
    QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    mousePressEvent(&press);
}

void COwnerDrawHeader::mouseReleaseEvent(QMouseEvent* event) {
    releaseX = event->position().toPoint().x();
    QHeaderView::mouseReleaseEvent(event);
}
