#include "library/TrackIdIndex.h"

#include <algorithm>

namespace {

// A dense table may be this many times larger than the entries it holds.
constexpr uint64_t kDenseSlack = 4;

} // namespace

// Reserved rather than allocated: a first load asks for room for every track
// its image could hold, and only the entries written take memory. Entries
// are written before they are read, so a reload reuses the room it has.
bool TrackIdIndex::Reserve(uint32_t count, bool hugePages) {
    Clear();
    entryRoom = 0;
    if (count > entryCapacity) {
        entryCapacity = 0;
        entries = nullptr;
        if (!entryMemory.Reserve(hugePages, TableMemory::Rows(entries, count)))
            return false;
        entryCapacity = count;
    }
    entryRoom = count;
    return true;
}

void TrackIdIndex::Clear() {
    entryCount = 0;
    denseSize = 0;
    sealed = 0;
    isDense = false;
}

void TrackIdIndex::Seal() {
    if (sealed == entryCount)
        return;
    sealed = entryCount;
    isDense = BuildDense();
    if (!isDense) {
        // Ties keep file order (rows grow with it), so the last of a run of
        // equal ids is the later track.
        std::sort(entries, entries + entryCount);
    }
}

bool TrackIdIndex::BuildDense() {
    const auto [low, high] =
        std::minmax_element(entries, entries + entryCount,
                            [](const Entry& a, const Entry& b) { return a.first < b.first; });
    const uint64_t span = uint64_t(high->first) - low->first + 1;
    if (span > kDenseSlack * entryCount + 1024 ||
        !denseMemory.Allocate(TableMemory::Rows(dense, span)))
        return false;
    std::fill_n(dense, span, -1);
    denseSize = size_t(span);
    denseBase = low->first;
    for (size_t i = 0; i < entryCount; ++i) // in file order: later rows win
        dense[entries[i].first - denseBase] = entries[i].second;
    return true;
}

int32_t TrackIdIndex::Find(uint32_t trackId) const {
    if (isDense) {
        const uint64_t slot = uint64_t(trackId) - denseBase;
        return trackId >= denseBase && slot < denseSize ? dense[slot] : -1;
    }
    const Entry* first = entries;
    const Entry* it =
        std::upper_bound(first, first + sealed, trackId,
                         [](uint32_t id, const Entry& entry) { return id < entry.first; });
    if (it == first)
        return -1;
    --it;
    return it->first == trackId ? it->second : -1;
}
