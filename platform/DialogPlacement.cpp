#include "platform/DialogPlacement.h"

#include "platform/WindowPlacement.h"

#include <QWidget>
#include <QWindow>

QPoint CentredTopLeft(const QRect& owner, const QSize& size) {
    return {owner.x() + (owner.width() - size.width()) / 2,
            owner.y() + (owner.height() - size.height()) / 2};
}

void PlaceOverOwner(QWidget& dialog) {
    QWidget* parent = dialog.parentWidget();
    if (!parent)
        return;
    QWidget* owner = parent->window();
    // Qt links a dialog to its parent's window when it creates it, but only
    // to a window that exists by then; the link is made again here.
    QWindow* window = dialog.windowHandle();
    if (window && owner->windowHandle())
        window->setTransientParent(owner->windowHandle());
    // On Wayland the transient link is all there is: the compositor centres
    // the dialog on its parent itself.
    if (MayPlaceTopLevelWindows())
        dialog.move(CentredTopLeft(owner->geometry(), dialog.size()));
}
