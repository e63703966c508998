#include "library/DatabaseWalker.h"

#include "library/CItuneDB.h"
#include "library/ChunkLayout.h"
#include "library/LocationPath.h"
#include "library/TrackHeaderFields.h"

#include <cstdint>

using namespace chunk;

namespace {

// Strings kept beside the track table rather than in TrackRecord.
bool IsDetailString(uint32_t type) {
    return type == kComposer || type == kAlbumArtist;
}

} // namespace

DatabaseWalker::DatabaseWalker(CItuneDB& db, Pass pass)
    : db(db), reader(db.fileImage.data(), db.fileImage.size()), counting(pass != Pass::Fill),
      filling(pass != Pass::Count), chunkBudget(db.fileImage.size() / kChunkBudgetBytes),
      stringBudget(db.fileImage.size()) {}

// Every chunk entered spends the chunk budget, and every string's bytes the
// string budget; a location gains the root, a separator and a NUL, and any
// other string a NUL.
TableRoom DatabaseWalker::MostRows(size_t imageSize, size_t rootUnits) {
    const uint64_t chunks = imageSize / kChunkBudgetBytes;
    const uint64_t units = imageSize / 2;
    return {chunks, units + chunks * LocationCapacity(rootUnits, 0), chunks, units + chunks,
            chunks};
}

int DatabaseWalker::WalkRoot() {
    if (!reader.Has(0, kRootFixed) || !reader.TagIs(0, "mhbd"))
        return 0;
    const uint32_t dataSetCount = reader.U32(kRootDataSetCount);
    size_t at = reader.U32(kHeaderLength);
    const uint32_t playlistKind = ChoosePlaylistKind(at, dataSetCount);
    bool playlistListRead = false;
    for (uint32_t i = 0; i < dataSetCount; ++i) {
        Chunk set;
        const Step entered = Enter(at, "mhsd", kDataSetFixed, set);
        if (entered == Step::Short)
            break; // its sibling would be itself: the data sets end here
        if (entered != Step::Matched)
            return 0;
        const uint32_t kind = reader.U32(at + kDataSetKind);
        const size_t list = at + reader.U32(at + kHeaderLength);
        Step step = Step::Matched;
        if (kind == kTrackListKind) {
            step = WalkTrackList(list);
        } else if (kind == playlistKind && (kind == kPlaylistListKind || !playlistListRead)) {
            step = WalkPlaylistList(list);
            playlistListRead = true;
        }
        if (step == Step::Fault)
            return 0;
        at = set.end;
    }
    return 1;
}

// Kind 2 when the root's data sets hold one, else the podcast copy (kind 3).
uint32_t DatabaseWalker::ChoosePlaylistKind(size_t first, uint32_t dataSetCount) {
    size_t at = first;
    for (uint32_t i = 0; i < dataSetCount; ++i) {
        Chunk set;
        if (Enter(at, "mhsd", kDataSetFixed, set) != Step::Matched)
            break;
        if (reader.U32(at + kDataSetKind) == kPlaylistListKind)
            return kPlaylistListKind;
        at = set.end;
    }
    return kPodcastPlaylistListKind;
}

// Lengths are trusted as far as the image reaches: a read past its end is
// a fault.
DatabaseWalker::Step DatabaseWalker::Enter(size_t at, const char (&tag)[5], size_t fixed,
                                           Chunk& out) {
    const Step step = EnterChunk(reader, at, tag, fixed, chunkBudget);
    if (step == Step::Matched)
        out = {at, at + reader.U32(at + kTotalLength)};
    return step;
}

DatabaseWalker::Step DatabaseWalker::EnterList(size_t at, const char (&tag)[5]) const {
    return TestChunkHead(reader, at, tag, kListFixed);
}

DatabaseWalker::Step DatabaseWalker::WalkTrackList(size_t at) {
    if (const Step step = EnterList(at, "mhlt"); step != Step::Matched)
        return step;
    const uint32_t count = reader.U32(at + kTotalLength);
    size_t child = at + reader.U32(at + kHeaderLength);
    for (uint32_t i = 0; i < count; ++i) {
        Chunk track;
        if (const Step step = Enter(child, "mhit", kTrackFixed, track); step != Step::Matched)
            return step;
        if (!reader.Has(child + kTrackKindFlag, 4))
            return Step::Fault;
        if (!BeginTrack(reader.U32(child + kTrackId), reader.U32(child + kTrackFileSize),
                        reader.U32(child + kTrackKindFlag)))
            return Step::Fault;
        TrackHeaderDetails(child);
        const size_t objects = child + reader.U32(child + kHeaderLength);
        const uint32_t objectCount = reader.U32(child + kTrackObjectCount);
        if (const Step step = WalkTrackObjects(objects, objectCount); step != Step::Matched)
            return step;
        child = track.end;
    }
    return Step::Matched;
}

DatabaseWalker::Step DatabaseWalker::WalkTrackObjects(size_t at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        Chunk object;
        if (const Step step = Enter(at, "mhod", kObjectFixed, object); step != Step::Matched)
            return step;
        const uint32_t type = reader.U32(at + kObjectType);
        if ((type >= kTitle && type <= kGenre) || IsDetailString(type)) {
            const uint8_t* bytes = nullptr;
            size_t units = 0;
            if (const Step step = ReadString(object, bytes, units); step != Step::Matched)
                return step;
            if (!TrackString(type, bytes, units))
                return Step::Fault;
        }
        at = object.end;
    }
    return Step::Matched;
}

// The string is read where its mhod says, as far as the image reaches. Its
// bytes are charged to a budget of the image's size: strings of a real file
// never overlap, and the pools stay proportional to the file.
DatabaseWalker::Step DatabaseWalker::ReadString(const Chunk& object, const uint8_t*& bytes,
                                                size_t& units) {
    if (!reader.Has(object.start, kStringStart))
        return Step::Fault;
    const uint32_t length = reader.U32(object.start + kStringByteLength);
    if (!reader.Has(object.start + kStringStart, length) || stringBudget < length)
        return Step::Fault;
    stringBudget -= length;
    bytes = reader.At(object.start + kStringStart);
    units = length / 2; // an odd last byte is dropped
    return Step::Matched;
}

DatabaseWalker::Step DatabaseWalker::WalkPlaylistList(size_t at) {
    if (const Step step = EnterList(at, "mhlp"); step != Step::Matched)
        return step;
    if (counting)
        db.message += "  Read mhlp\r\n";
    if (filling)
        db.trackIndexById.Seal();
    const uint32_t count = reader.U32(at + kTotalLength);
    size_t child = at + reader.U32(at + kHeaderLength);
    for (uint32_t i = 0; i < count; ++i) {
        Chunk playlist;
        if (const Step step = Enter(child, "mhyp", kPlaylistFixed, playlist); step != Step::Matched)
            return step;
        if (!BeginPlaylist(reader.U8(child + kPlaylistMasterByte)))
            return Step::Fault;
        size_t next = child + reader.U32(child + kHeaderLength);
        const uint32_t objectCount = reader.U32(child + kPlaylistObjectCount);
        const uint32_t itemCount = reader.U32(child + kPlaylistItemCount);
        if (const Step step = WalkPlaylistObjects(next, objectCount); step != Step::Matched)
            return step;
        BeginItems();
        if (const Step step = WalkPlaylistItems(next, itemCount); step != Step::Matched)
            return step;
        if (counting)
            db.message += "\r\n";
        child = playlist.end;
    }
    return Step::Matched;
}

// Leaves `at` where the last mhod ended: the items start there.
DatabaseWalker::Step DatabaseWalker::WalkPlaylistObjects(size_t& at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        Chunk object;
        if (const Step step = Enter(at, "mhod", kObjectFixed, object); step != Step::Matched)
            return step;
        if (reader.U32(at + kObjectType) == kTitle) {
            const uint8_t* bytes = nullptr;
            size_t units = 0;
            if (const Step step = ReadString(object, bytes, units); step != Step::Matched)
                return step;
            if (!PlaylistName(bytes, units))
                return Step::Fault;
        }
        at = object.end;
    }
    return Step::Matched;
}

DatabaseWalker::Step DatabaseWalker::WalkPlaylistItems(size_t at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        Chunk item;
        if (const Step step = Enter(at, "mhip", kItemFixed, item); step != Step::Matched)
            return step;
        if (!Item(reader.U32(at + kItemTrackId)))
            return Step::Fault;
        at = item.end;
    }
    return Step::Matched;
}

// The fill writes only into the room its tables have. A refusal here means
// the file changed under the map between a count and its fill (or a walker
// bug), and the load fails instead of writing past a table.
bool DatabaseWalker::BeginTrack(uint32_t trackId, uint32_t fileSize, uint32_t kindFlag) {
    if (counting)
        ++db.trackCount;
    if (!filling)
        return true;
    if (db.trackFill >= db.room.tracks)
        return false;
    currentTrack = &db.tracks[db.trackFill];
    *currentTrack = TrackRecord{};
    currentTrack->trackId = trackId;
    currentTrack->fileSize = fileSize;
    currentTrack->kindFlag = kindFlag;
    ++(kindFlag != 0 ? db.nonZeroKindCount : db.zeroKindCount);
    if (!db.trackIndexById.Add(trackId, static_cast<int32_t>(db.trackFill)))
        return false;
    ++db.trackFill;
    return true;
}

// The length lies inside the fixed fields every walk checks, so it is read
// whatever the header length says, unlike the other details.
void DatabaseWalker::TrackHeaderDetails(size_t at) {
    if (!filling)
        return;
    TrackDetails& details = db.trackDetails[db.trackFill - 1];
    details = ReadTrackHeaderFields(reader, at);
    details.lengthMs = reader.U32(at + kTrackLengthMs);
}

bool DatabaseWalker::ReserveString(uint64_t capacity, uint64_t units, uint64_t pos) const {
    return pos <= capacity && capacity - pos >= units;
}

bool DatabaseWalker::TrackString(uint32_t type, const uint8_t* bytes, size_t units) {
    const size_t rootUnits = db.volumeRoot.size();
    const uint64_t need = type == kLocation ? LocationCapacity(rootUnits, units) : units + 1;
    if (counting)
        (IsDetailString(type) ? db.detailStringUnits : db.trackStringUnits) += need;
    if (!filling)
        return true;
    if (!ReserveString(db.room.trackStringUnits, need, db.trackStringPos))
        return false;
    char16_t* dst = db.trackStrings + db.trackStringPos;
    if (type == kLocation) {
        const size_t written = WriteLocation(dst, db.volumeRoot, bytes, units);
        currentTrack->location = written ? dst : nullptr;
        db.trackStringPos += written ? written + 1 : 0;
        return true;
    }
    const uint64_t place = db.trackStringPos;
    db.trackStringPos += CopyDeviceString(dst, bytes, units) + 1;
    if (IsDetailString(type)) {
        TrackDetails& details = db.trackDetails[db.trackFill - 1];
        (type == kComposer ? details.composer : details.albumArtist) = uint32_t(place + 1);
        return true;
    }
    const char16_t** field[] = {nullptr,
                                &currentTrack->title,
                                nullptr,
                                &currentTrack->album,
                                &currentTrack->artist,
                                &currentTrack->genre};
    *field[type] = dst;
    return true;
}

bool DatabaseWalker::BeginPlaylist(uint8_t masterByte) {
    if (counting)
        ++db.playlistTotal;
    if (!filling)
        return true;
    if (db.playlistFill >= db.room.playlists)
        return false;
    currentPlaylist = &db.playlists[db.playlistFill];
    *currentPlaylist = PlaylistRecord{};
    currentPlaylist->masterFlag = masterByte;
    if (masterByte != 0)
        db.masterIndex = db.playlistFill;
    ++db.playlistFill;
    return true;
}

bool DatabaseWalker::PlaylistName(const uint8_t* bytes, size_t units) {
    if (counting)
        db.playlistNameUnits += units + 1;
    if (!filling)
        return true;
    if (!ReserveString(db.room.playlistNameUnits, units + 1, db.playlistNamePos))
        return false;
    char16_t* dst = db.playlistNames + db.playlistNamePos;
    db.playlistNamePos += CopyDeviceString(dst, bytes, units) + 1;
    currentPlaylist->name = dst;
    return true;
}

// memberCount grows with each item filled, so a playlist cut short by a
// stopped list never claims entries it was not given.
void DatabaseWalker::BeginItems() {
    if (filling)
        currentPlaylist->members = db.memberIndices + db.memberPos;
}

bool DatabaseWalker::Item(uint32_t trackId) {
    if (counting)
        ++db.totalMembers;
    if (!filling)
        return true;
    if (db.memberPos >= db.room.members)
        return false;
    db.memberIndices[db.memberPos++] = db.trackIndexById.Find(trackId);
    ++currentPlaylist->memberCount;
    return true;
}
