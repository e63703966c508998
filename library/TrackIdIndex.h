#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Ordered map from track id to track-table row. Rows are added in file
// order; an id added twice answers the later row. Seal() makes what was
// added since the last seal visible to Find(). Devices number their tracks
// densely, so a sealed index is usually a plain array indexed by id; sparse
// ids fall back to a sorted array and binary search.
class TrackIdIndex {
public:
    bool Reserve(uint32_t count);
    void Clear();
    void Add(uint32_t trackId, int32_t row) { entries.emplace_back(trackId, row); }
    void Seal();
    int32_t Find(uint32_t trackId) const; // -1 when absent

private:
    bool BuildDense();

    std::vector<std::pair<uint32_t, int32_t>> entries; // sorted by id after a sparse seal
    std::vector<int32_t> dense;                        // row by id - denseBase, or -1
    uint32_t denseBase = 0;
    size_t sealed = 0;
    bool isDense = false;
};
