#pragma once

#include <cstddef>
#include <cstdint>

#include "library/ByteReader.h"

class CItuneDB;
struct PlaylistRecord;
struct TrackRecord;

// The two walks over a loaded database image. Counting and filling share
// every test, so both stop at the same chunk and the tables the count sizes
// are exactly the tables the fill writes.
//
// A tag mismatch, or a chunk too short for its fixed fields or reaching
// outside its parent, ends the list it is in; counts and rows made so far
// stand. A read outside the image ends the whole walk with 0. Each step
// advances by at least a chunk's fixed size and stays inside its parent,
// so a walk is linear in the image size whatever the counts claim.
class DatabaseWalker {
public:
    enum class Pass { Count, Fill };
    DatabaseWalker(CItuneDB& db, Pass pass);

    int WalkRoot(); // 1: root and every data set matched; 0 otherwise

private:
    enum class Step { Matched, Stopped, Fault };
    struct Chunk {
        size_t start = 0;
        size_t end = 0; // start + total length
    };

    uint32_t ChoosePlaylistKind(size_t first, uint32_t dataSetCount) const;
    Step Enter(size_t at, const char (&tag)[5], size_t fixed, size_t parentEnd, Chunk& out) const;
    Step EnterList(size_t at, const char (&tag)[5], size_t parentEnd) const;
    Step WalkTrackList(size_t at, size_t parentEnd);
    Step WalkTrackObjects(size_t at, uint32_t count, size_t parentEnd);
    Step WalkPlaylistList(size_t at, size_t parentEnd);
    Step WalkPlaylistObjects(size_t& at, uint32_t count, size_t parentEnd);
    Step WalkPlaylistItems(size_t at, uint32_t count, size_t parentEnd);
    Step ReadString(const Chunk& object, const uint8_t*& bytes, size_t& units) const;

    // What differs between the passes.
    bool BeginTrack(uint32_t trackId, uint32_t fileSize, uint32_t kindFlag);
    bool TrackLength(uint32_t lengthMs);
    bool TrackString(uint32_t type, const uint8_t* bytes, size_t units);
    bool BeginPlaylist(uint8_t masterByte);
    bool PlaylistName(const uint8_t* bytes, size_t units);
    void BeginItems();
    bool Item(uint32_t trackId);
    bool ReserveString(uint64_t capacity, uint64_t units, uint64_t pos) const;

    CItuneDB& db;
    ByteReader reader;
    const bool filling;
    TrackRecord* currentTrack = nullptr;
    PlaylistRecord* currentPlaylist = nullptr;
};
