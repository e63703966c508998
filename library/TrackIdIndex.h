#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "library/TableMemory.h"

// Ordered map from track id to track-table row. Rows are added in file
// order; an id added twice answers the later row. Seal() makes what was
// added since the last seal visible to Find(). Devices number their tracks
// densely, so a sealed index is usually a plain array indexed by id; sparse
// ids fall back to a sorted array and binary search. Both live in memory
// mapped as the tables are (huge pages once large), as a load adds tens of
// thousands of entries at once.
class TrackIdIndex {
public:
    // Room for `count` entries, forgetting every earlier one; false when
    // there is no memory for them. `hugePages` as for TableMemory::Reserve.
    bool Reserve(uint32_t count, bool hugePages = true);
    void Clear();
    // False, adding nothing, once the reserved room is full.
    bool Add(uint32_t trackId, int32_t row) {
        if (entryCount == entryRoom)
            return false;
        entries[entryCount++] = {trackId, row};
        return true;
    }
    void Seal();
    int32_t Find(uint32_t trackId) const; // -1 when absent

private:
    using Entry = std::pair<uint32_t, int32_t>;
    bool BuildDense();

    TableMemory entryMemory;
    TableMemory denseMemory;
    Entry* entries = nullptr; // sorted by id after a sparse seal
    size_t entryCount = 0;
    size_t entryRoom = 0;     // what the last Reserve asked for
    size_t entryCapacity = 0; // what the mapping holds
    int32_t* dense = nullptr; // row by id - denseBase, or -1
    size_t denseSize = 0;
    uint32_t denseBase = 0;
    size_t sealed = 0;
    bool isDense = false;
};
