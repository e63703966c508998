#include "app/ListKeys.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool MovesCurrentRow(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

CListKeys::CListKeys(QAbstractItemView* trackList, QAbstractItemView* playlistPane, QObject* parent)
    : QObject(parent), tracks(trackList), playlists(playlistPane) {
    tracks->installEventFilter(this);
    playlists->installEventFilter(this);
}

bool CListKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (watched == playlists && !forwarding && MovesCurrentRow(key->key()))
        return MovePlaylistRow(event);
    return false;
}

// The pane moves its current row first; only then is it known where to.
bool CListKeys::MovePlaylistRow(QEvent* event) {
    const int before = playlists->currentIndex().row();
    forwarding = true;
    QCoreApplication::sendEvent(playlists, event);
    forwarding = false;
    const int after = playlists->currentIndex().row();
    if (after >= 0 && after != before)
        emit playlistRequested(after);
    event->accept(); // delivered already, to the pane and on to its parents
    return true;
}
