#pragma once

#include <QObject>

class QAbstractItemView;

// The keyboard of the main window's playlist pane, turned into what a click
// would ask for, so that the window handles both through one path: a key
// that moves the pane's current row (arrows, page keys, Ctrl+Home,
// Ctrl+End) asks to show the playlist now current. The track list handles
// its own keys (Space ticks the selected rows).
// Focus arriving in the pane makes a row current without a key; that alone
// shows nothing, as a click does only when it is made.
class CListKeys : public QObject {
    Q_OBJECT
public:
    CListKeys(QAbstractItemView* trackList, QAbstractItemView* playlistPane, QObject* parent);

signals:
    void playlistRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MovePlaylistRow(QEvent* event);

    QAbstractItemView* tracks;
    QAbstractItemView* playlists;
    bool forwarding = false;
};
