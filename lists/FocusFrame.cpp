#include "lists/FocusFrame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

void FocusFrame::paint(QPainter& painter, const QRect& rowRect, const QWidget& view,
                       QColor background) {
    QStyleOptionFocusRect option;
    option.initFrom(&view);
    option.rect = rowRect;
    option.backgroundColor = background;
    // The list has already decided that the keyboard is in use; the styles
    // that hide focus frames from mouse users look for this flag.
    option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    painter.save();
    view.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &view);
    painter.restore();
}
