#include "library/CItuneDB.h"

#include <memory>
#include <new>

void CItuneDB::FreeView() {
    viewMemory.Release();
    viewRows = nullptr;
    viewRowCount = 0;
}

int CItuneDB::BuildPlaylistView(int32_t index) {
    viewRows = nullptr;
    viewRowCount = 0;
    if (!playlists || !tracks || index < 0 || uint32_t(index) >= playlistCount) {
        FreeView();
        return 0;
    }
    const PlaylistRecord& playlist = playlists[index];
    // One flag per track row: a track shows once, at its first item.
    std::unique_ptr<bool[]> placed(new (std::nothrow) bool[trackFill]());
    if (!viewMemory.Allocate(TableMemory::Rows(viewRows, playlist.memberCount)) || !placed) {
        FreeView();
        return 0;
    }
    uint32_t count = 0;
    for (uint32_t k = 0; k < playlist.memberCount; ++k) {
        const int32_t row = playlist.members[k];
        if (row < 0 || uint32_t(row) >= trackFill || placed[row])
            continue;
        placed[row] = true;
        viewRows[count++] = tracks[row];
    }
    viewRowCount = count;
    return 1;
}
