#include "lists/FocusCue.h"

void FocusCue::FocusArrived(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        keyboard = true;
        break;
    case Qt::MouseFocusReason:
    case Qt::OtherFocusReason:
        keyboard = false;
        break;
    default:
        break;
    }
}
