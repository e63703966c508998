#include "library/TrackIdIndex.h"

#include <algorithm>
#include <new>

namespace {

// A dense table may be this many times larger than the entries it holds.
constexpr uint64_t kDenseSlack = 4;

} // namespace

bool TrackIdIndex::Reserve(uint32_t count) {
    try {
        entries.reserve(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void TrackIdIndex::Clear() {
    entries.clear();
    dense.clear();
    sealed = 0;
    isDense = false;
}

void TrackIdIndex::Seal() {
    if (sealed == entries.size())
        return;
    sealed = entries.size();
    isDense = BuildDense();
    if (!isDense) {
        // Ties keep file order (rows grow with it), so the last of a run of
        // equal ids is the later track.
        std::sort(entries.begin(), entries.end());
    }
}

bool TrackIdIndex::BuildDense() {
    const auto [low, high] =
        std::minmax_element(entries.begin(), entries.end(),
                            [](const auto& a, const auto& b) { return a.first < b.first; });
    const uint64_t span = uint64_t(high->first) - low->first + 1;
    if (span > kDenseSlack * entries.size() + 1024)
        return false;
    try {
        dense.assign(span, -1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    denseBase = low->first;
    for (const auto& [id, row] : entries) // in file order: later rows win
        dense[id - denseBase] = row;
    return true;
}

int32_t TrackIdIndex::Find(uint32_t trackId) const {
    if (isDense) {
        const uint64_t slot = uint64_t(trackId) - denseBase;
        return trackId >= denseBase && slot < dense.size() ? dense[slot] : -1;
    }
    const auto end = entries.begin() + static_cast<std::ptrdiff_t>(sealed);
    auto it = std::upper_bound(entries.begin(), end, trackId,
                               [](uint32_t id, const auto& entry) { return id < entry.first; });
    if (it == entries.begin())
        return -1;
    --it;
    return it->first == trackId ? it->second : -1;
}
