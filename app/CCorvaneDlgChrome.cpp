// The main window's chrome: its shape and placement, its painted
// background, dragging by it, the keys it swallows and being raised again.
#include "app/CCorvaneDlg.h"

#include "app/MainBackground.h"
#include "controls/FloatBtn.h"
#include "controls/MenuButton.h"
#include "controls/SkinnedWindowPaint.h"
#include "controls/TitleButton.h"
#include "controls/ToolbarBtn.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/WindowOutline.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "platform/WindowActivation.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

// Enter in any form, and Esc pressed, never reach the window's controls: the
// window has no default or cancel action and must not close on either. Only
// a focused button gets Enter, as its own click, but not Close, which takes
// Space alone; should a button pass the key on, the window swallows it there.
bool IsSwallowedKey(const QEvent* event, const QObject* receiver, const QObject* closeButton) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
        event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return !qobject_cast<const CSkinnedButton*>(receiver) || receiver == closeButton;
    return key == Qt::Key_Escape && event->type() != QEvent::KeyRelease;
}

} // namespace

void CCorvaneDlg::ApplyWindowShape() {
    // Where the compositor places windows itself, it also centres new ones.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && MayPlaceTopLevelWindows())
        move(screen->availableGeometry().center() - rect().center());
    setMask(WindowShapeRegion(size()));
    setWindowTitle(QStringLiteral("Corvane 1.0"));
}

void CCorvaneDlg::RestoreAndRaise(const QString& activationToken) {
    RaiseWindow(*this, activationToken);
}

bool CCorvaneDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
        IsSwallowedKey(event, watched, closeButton)) {
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

MainBackground CCorvaneDlg::Background() const {
    MainBackground background;
    background.trackList = trackList->geometry();
    background.playlistPane = playlistPane->geometry();
    background.copyButton = copy->geometry();
    background.icon = cornerIcon;
    return background;
}

void CCorvaneDlg::paintEvent(QPaintEvent*) {
    PaintSkinnedWindow(
        *this, Background(),
        {minimizeButton, closeButton, help, rescan, browse, open, copy, optionsButton});
    if (eraseCount < 3) {
        playlistPane->viewport()->update();
        trackList->viewport()->update();
        ++eraseCount;
    }
}

void CCorvaneDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QWindow* window = windowHandle();
        if (!window || !window->startSystemMove())
            dragOffset = event->globalPosition().toPoint() - pos();
        update();
    }
    QDialog::mousePressEvent(event);
}

void CCorvaneDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *dragOffset);
    QDialog::mouseMoveEvent(event);
}

void CCorvaneDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset.reset();
    QDialog::mouseReleaseEvent(event);
}
