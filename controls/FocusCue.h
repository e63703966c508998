#pragma once

#include <QObject>
#include <QRect>

class QPainter;
class QWidget;

// Whether a control shows its focus, for the focus it has just been given:
// the keyboard's (Tab, Backtab, a shortcut) shows, the mouse's and a
// program's do not, and focus coming back with its window or after a popup
// looks the way it did when it left (`shownWhenLeft`).
bool FocusCueShows(Qt::FocusReason reason, bool shownWhenLeft);
// Whether a control that loses its focus for `reason` gets it back by
// itself, with its window or when a popup closes.
bool FocusReturnsAfter(Qt::FocusReason reason);

// Follows the focus of one control and repaints it only when the cue turns
// on or off, so a control focused by the mouse looks exactly as before. The
// control calls Paint() last in its own paint, with the frame's place inside
// itself.
class CFocusCue : public QObject {
    Q_OBJECT
public:
    explicit CFocusCue(QWidget* control); // a child of the control

    // Draws the desktop style's focus frame over `frame` when shown.
    void Paint(QPainter& painter, const QRect& frame) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(bool shown);

    QWidget* control_;
    bool shown_ = false;
    bool shownWhenLeft_ = false;
};
