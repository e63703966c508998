#include "library/TrackIdIndex.h"

#include <algorithm>
#include <new>

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
    sealed = 0;
}

void TrackIdIndex::Seal() {
    if (sealed == entries.size())
        return;
    // Ties keep file order (rows grow with it), so the last of a run of
    // equal ids is the later track.
    std::sort(entries.begin(), entries.end());
    sealed = entries.size();
}

int32_t TrackIdIndex::Find(uint32_t trackId) const {
    const auto end = entries.begin() + static_cast<std::ptrdiff_t>(sealed);
    auto it = std::upper_bound(entries.begin(), end, trackId,
                               [](uint32_t id, const auto& entry) { return id < entry.first; });
    if (it == entries.begin())
        return -1;
    --it;
    return it->first == trackId ? it->second : -1;
}
