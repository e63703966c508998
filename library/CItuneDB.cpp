#include "library/CItuneDB.h"

#include <utility>

#include "library/CompressedImage.h"
#include "library/DatabaseWalker.h"
#include "library/DevicePaths.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"

CItuneDB::CItuneDB() = default;

CItuneDB::~CItuneDB() {
    FreeTables();
}

int CItuneDB::LoadDatabase(const std::string& path) {
    dbPath = path;
    ForgetTrackFolderListings(); // the device may have changed since
    outOfMemory = false;
    volumeRoot = FromUtf8(VolumeRootOfDatabase(path));
    if (!MapDatabase())
        return 0;
    message.clear();
    ResetCounts();
    if (!ExpandCompressedImage(fileImage) || !TraverseItuneDBCount() || fileImage.Faulted()) {
        message += "Error Occur In TraverseItuneDBCount\r\n";
        UnmapDatabase();
        return 0;
    }
    DropTables();
    ResetFillCursors();
    int result = 1;
    if (trackCount == 0 || trackStringUnits == 0) {
        message += "No songs\r\n";
        result = 2;
    } else if (playlistTotal == 0 || totalMembers == 0) {
        // Playlists without names still load: old iPods leave the master
        // playlist unnamed.
        message += "No Play List\r\n";
        result = 2;
    } else if (!AllocateTables()) {
        outOfMemory = true;
        result = 0;
    } else if (!TraverseItuneDB() || fileImage.Faulted()) {
        message += "Error Occur In TraverseItuneDB\r\n";
        result = 0;
    } else {
        playlistCount = playlistFill;
        PutMasterFirst();
        if (!BuildPlaylistView(0)) {
            message += "Error Occur In TraverseItuneDB\r\n";
            result = 0;
        }
    }
    if (result != 1)
        FreeTables();
    source = result == 1 ? Source::Database : Source::None;
    UnmapDatabase();
    return result;
}

void CItuneDB::ResetCounts() {
    trackCount = playlistTotal = 0;
    trackStringUnits = playlistNameUnits = totalMembers = 0;
}

// Only once the earlier tables are gone: until then the cursors say how many
// of their rows were filled, and views of them are still built from that.
void CItuneDB::ResetFillCursors() {
    trackFill = playlistFill = 0;
    trackStringPos = playlistNamePos = memberPos = 0;
    masterIndex = zeroKindCount = nonZeroKindCount = 0;
}

int CItuneDB::TraverseItuneDBCount() {
    return DatabaseWalker(*this, DatabaseWalker::Pass::Count).WalkRoot();
}

int CItuneDB::TraverseItuneDB() {
    trackIndexById.Clear();
    return DatabaseWalker(*this, DatabaseWalker::Pass::Fill).WalkRoot();
}

int CItuneDB::AllocateTables() {
    return tableMemory.Allocate(TableMemory::Rows(tracks, trackCount),
                                TableMemory::Rows(trackStrings, trackStringUnits),
                                TableMemory::Rows(playlists, playlistTotal),
                                TableMemory::Rows(playlistNames, playlistNameUnits),
                                TableMemory::Rows(memberIndices, totalMembers),
                                TableMemory::Rows(trackLengths, trackCount)) &&
           trackIndexById.Reserve(trackCount);
}

void CItuneDB::PutMasterFirst() {
    if (masterIndex != 0)
        std::swap(playlists[masterIndex], playlists[0]);
    masterIndex = 0;
}

void CItuneDB::FreeTables() {
    DropTables();
    tableMemory.Release();
    viewMemory.Release();
}

// A reload fills the same memory again when it is large enough, instead of
// mapping and clearing tens of megabytes afresh.
void CItuneDB::DropTables() {
    viewRows = nullptr;
    viewRowCount = 0;
    trackLengths = nullptr;
    tracks = nullptr;
    trackStrings = nullptr;
    playlists = nullptr;
    playlistNames = nullptr;
    memberIndices = nullptr;
    playlistCount = 0;
}
