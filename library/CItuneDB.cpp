#include "library/CItuneDB.h"

#include <algorithm>
#include <utility>

#include "library/CompressedImage.h"
#include "library/DatabaseWalker.h"
#include "library/DevicePaths.h"
#include "library/PlayCountsFile.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"

namespace {

void AddRoom(TableRoom& room, const TableRoom& more) {
    room.tracks += more.tracks;
    room.trackStringUnits += more.trackStringUnits;
    room.playlists += more.playlists;
    room.playlistNameUnits += more.playlistNameUnits;
    room.members += more.members;
}

} // namespace

CItuneDB::CItuneDB() = default;

CItuneDB::~CItuneDB() {
    FreeTables();
}

int CItuneDB::LoadDatabase(const std::string& path) {
    dbPath = path;
    outOfMemory = false;
    volumeRoot = FromUtf8(VolumeRootOfDatabase(path));
    deviceRoot = VolumeFolder(VolumeRootOfDatabase(path));
    StartTrackResolution(deviceRoot); // the device may have changed since
    if (!MapDatabase())
        return 0;
    message.clear();
    ResetCounts();
    ReadDeviceSideFiles();
    const int result = ExpandCompressedImage(fileImage) ? LoadTables() : CountFailed();
    UnmapDatabase();
    playCountsFile.Release();
    return result;
}

// With no earlier tables to keep through a failed count, one walk counts and
// fills at once, into tables reserved at what the image could hold; a reload
// counts first, so that a file that cannot be read leaves the tables shown.
int CItuneDB::LoadTables() {
    const bool once = tracks == nullptr && ReserveTables();
    if (!(once ? TraverseItuneDBOnce() : TraverseItuneDBCount()) || fileImage.Faulted()) {
        if (once)
            ForgetFilledRows();
        return CountFailed();
    }
    if (!once) {
        DropTables();
        ResetFillCursors();
    }
    int result = CountedResult();
    if (result == 2 && once)
        ForgetFilledRows();
    if (result == 1 && !once)
        result = FillTables();
    if (result == 1)
        result = FinishTables();
    if (result != 1)
        FreeTables();
    source = result == 1 ? Source::Database : Source::None;
    return result;
}

// Where a count alone would have ended the load: no tables, no rows filled.
void CItuneDB::ForgetFilledRows() {
    FreeTables();
    ResetFillCursors();
    trackIndexById.Clear();
}

int CItuneDB::CountFailed() {
    message += "Error Occur In TraverseItuneDBCount\r\n";
    return 0;
}

int CItuneDB::CountedResult() {
    if (trackCount == 0 || trackStringUnits == 0) {
        message += "No songs\r\n";
        return 2;
    }
    if (playlistTotal == 0 || totalMembers == 0) {
        // Playlists without names still load: old iPods leave the master
        // playlist unnamed.
        message += "No Play List\r\n";
        return 2;
    }
    return 1;
}

int CItuneDB::FillTables() {
    if (!AllocateTables()) {
        outOfMemory = true;
        return 0;
    }
    if (!TraverseItuneDB() || fileImage.Faulted()) {
        message += "Error Occur In TraverseItuneDB\r\n";
        return 0;
    }
    return 1;
}

int CItuneDB::FinishTables() {
    PutMasterFirst();
    message += deviceSideNotes;
    if (hasPlayCounts)
        MergePlayCounts(playCountsFile.data(), playCountsFile.size(), trackDetails, trackFill,
                        message);
    if (playCountsFile.Faulted())
        message += "Play Counts: part of the file could not be read and counted as zeros\r\n";
    AppendOnTheGo();
    playlistCount = playlistFill;
    if (!BuildPlaylistView(0)) {
        message += "Error Occur In TraverseItuneDB\r\n";
        return 0;
    }
    return 1;
}

void CItuneDB::ResetCounts() {
    trackCount = playlistTotal = 0;
    trackStringUnits = detailStringUnits = playlistNameUnits = totalMembers = 0;
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

int CItuneDB::TraverseItuneDBOnce() {
    ResetFillCursors();
    trackIndexById.Clear();
    return DatabaseWalker(*this, DatabaseWalker::Pass::CountAndFill).WalkRoot();
}

// The six tables, each sized by `room`, placed by `lay` (TableMemory's
// Allocate or Reserve).
template <typename Lay> bool CItuneDB::LayTables(Lay lay) {
    return lay(TableMemory::Rows(tracks, room.tracks),
               TableMemory::Rows(trackStrings, room.trackStringUnits),
               TableMemory::FewRows(playlists, room.playlists),
               TableMemory::FewRows(playlistNames, room.playlistNameUnits),
               TableMemory::Rows(memberIndices, room.members),
               TableMemory::Rows(trackDetails, room.tracks));
}

int CItuneDB::AllocateTables() {
    room = {trackCount, trackStringUnits + detailStringUnits, playlistTotal, playlistNameUnits,
            totalMembers};
    AddRoom(room, OnTheGoRoom());
    return LayTables([this](auto... tables) { return tableMemory.Allocate(tables...); }) &&
           trackIndexById.Reserve(trackCount);
}

// Only pages written take memory, so the bounds cost address space alone:
// some twenty times the image. Where even that is refused (a table beyond
// 4 GiB, strict overcommit, a small address-space limit), the load counts
// first. Huge pages pay for their clearing only once the tables run to
// megabytes; the id index's entries, eight bytes a track, never do.
int CItuneDB::ReserveTables() {
    constexpr size_t kHugePagesFromImageBytes = size_t(16) << 20;
    const bool hugePages = fileImage.size() >= kHugePagesFromImageBytes;
    room = DatabaseWalker::MostRows(fileImage.size(), volumeRoot.size());
    AddRoom(room, OnTheGoRoom());
    const bool reserved =
        LayTables([&](auto... tables) { return tableMemory.Reserve(hugePages, tables...); }) &&
        trackIndexById.Reserve(uint32_t(std::min<uint64_t>(room.tracks, UINT32_MAX)), false);
    if (!reserved)
        FreeTables();
    return reserved;
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
    trackDetails = nullptr;
    onTheGoCount = 0;
    tracks = nullptr;
    trackStrings = nullptr;
    playlists = nullptr;
    playlistNames = nullptr;
    memberIndices = nullptr;
    playlistCount = 0;
}
