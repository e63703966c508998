#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Ordered map from track id to track-table row, held as one sorted array:
// rows are added in file order, and a lookup of an id that occurs twice
// answers the later row. Seal() sorts what was added since the last seal;
// lookups see only sealed entries.
class TrackIdIndex {
public:
    bool Reserve(uint32_t count);
    void Clear();
    void Add(uint32_t trackId, int32_t row) { entries.emplace_back(trackId, row); }
    void Seal();
    int32_t Find(uint32_t trackId) const; // -1 when absent

private:
    std::vector<std::pair<uint32_t, int32_t>> entries;
    size_t sealed = 0;
};
