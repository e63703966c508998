#include "controls/FocusCue.h"

#include <QFocusEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

bool FocusCueShows(Qt::FocusReason reason, bool shownWhenLeft) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        return shownWhenLeft;
    default:
        return false;
    }
}

bool FocusReturnsAfter(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

CFocusCue::CFocusCue(QWidget* control) : QObject(control), control_(control) {
    control->installEventFilter(this);
}

bool CFocusCue::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        Show(FocusCueShows(static_cast<QFocusEvent*>(event)->reason(), shownWhenLeft_));
    } else if (event->type() == QEvent::FocusOut) {
        shownWhenLeft_ = shown_ && FocusReturnsAfter(static_cast<QFocusEvent*>(event)->reason());
        Show(false);
    }
    return false;
}

void CFocusCue::Show(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    control_->update();
}

void CFocusCue::Paint(QPainter& painter, const QRect& frame) const {
    if (!shown_)
        return;
    // The style draws it the way the desktop's own controls show the
    // keyboard's focus.
    QStyleOptionFocusRect option;
    option.initFrom(control_);
    option.rect = frame;
    option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    option.backgroundColor = control_->palette().color(QPalette::Window);
    painter.save();
    control_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, control_);
    painter.restore();
}
