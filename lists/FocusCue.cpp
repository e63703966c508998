#include "lists/FocusCue.h"

#include "controls/FocusCue.h"

void FocusCue::FocusArrived(Qt::FocusReason reason) {
    keyboard = FocusCueShows(reason, keyboard);
}
