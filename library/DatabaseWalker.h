#pragma once

#include <cstddef>
#include <cstdint>

#include "library/ByteReader.h"
#include "library/ChunkEntry.h"

class CItuneDB;
struct PlaylistRecord;
struct TableRoom;
struct TrackRecord;

// The walks over a loaded database image: one that counts, one that fills
// the tables the count sized, or one that does both at once into tables
// reserved at MostRows. Counting and filling share every test, so each walk
// stops at the same chunk, and a fill writes only rows its tables have.
//
// Lengths are trusted as far as the image reaches. A tag mismatch, or a
// total length too short for a chunk's fixed fields, ends the list it is in
// (or, for a data set, the root's data sets); counts and rows made so far
// stand. A read outside the image ends the whole walk with 0, and so does
// a walk that enters more chunks, or reads more string bytes, than an
// image of its size can hold: a walk stays linear in the image size
// whatever its counts and lengths claim.
class DatabaseWalker {
public:
    enum class Pass { Count, Fill, CountAndFill };
    DatabaseWalker(CItuneDB& db, Pass pass);

    // The most rows (and string code units) any walk of an image of
    // `imageSize` bytes can fill, whatever it holds; `rootUnits` is the
    // length of the volume root that every location gains.
    static TableRoom MostRows(size_t imageSize, size_t rootUnits);

    int WalkRoot(); // 1: root and every data set matched; 0 otherwise

private:
    using Step = ChunkStep;
    struct Chunk {
        size_t start = 0;
        size_t end = 0; // start + total length
    };

    uint32_t ChoosePlaylistKind(size_t first, uint32_t dataSetCount);
    Step Enter(size_t at, const char (&tag)[5], size_t fixed, Chunk& out);
    Step EnterList(size_t at, const char (&tag)[5]) const;
    Step WalkTrackList(size_t at);
    Step WalkTrackObjects(size_t at, uint32_t count);
    Step WalkPlaylistList(size_t at);
    Step WalkPlaylistObjects(size_t& at, uint32_t count);
    Step WalkPlaylistItems(size_t at, uint32_t count);
    Step ReadString(const Chunk& object, const uint8_t*& bytes, size_t& units);

    // What differs between the passes.
    bool BeginTrack(uint32_t trackId, uint32_t fileSize, uint32_t kindFlag);
    void TrackHeaderDetails(size_t at);
    bool TrackString(uint32_t type, const uint8_t* bytes, size_t units);
    bool BeginPlaylist(uint8_t masterByte);
    bool PlaylistName(const uint8_t* bytes, size_t units);
    void BeginItems();
    bool Item(uint32_t trackId);
    bool ReserveString(uint64_t capacity, uint64_t units, uint64_t pos) const;

    CItuneDB& db;
    ByteReader reader;
    const bool counting;
    const bool filling;
    // Chunk headers of a real file never overlap, so it has at most one
    // chunk per kChunkBudgetBytes (the smallest fixed part, 12, rounded down).
    static constexpr size_t kChunkBudgetBytes = 8;
    size_t chunkBudget;
    uint64_t stringBudget;
    TrackRecord* currentTrack = nullptr;
    PlaylistRecord* currentPlaylist = nullptr;
};
