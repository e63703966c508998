#pragma once

#include <Qt>

// Whether a list shows where the keyboard is, the way native views keep
// their focus frame hidden until the keyboard is used: focus that came by
// Tab or a shortcut, or any key pressed in the list, shows it; a mouse press
// or focus given by the program hides it. Focus that returns with its
// window (activation, a closed popup) keeps whatever was shown before.
class FocusCue {
public:
    void FocusArrived(Qt::FocusReason reason);
    void KeyPressed() { keyboard = true; }
    void MousePressed() { keyboard = false; }
    bool shown() const { return keyboard; }

private:
    bool keyboard = false;
};
