#include "platform/VolumeChanges.h"

namespace {

int LevelOf(const VolumeStates& states, int id) {
    auto it = states.find(id);
    return it == states.end() ? 0 : it->second;
}

} // namespace

std::vector<VolumeChange> DiffVolumeStates(const VolumeStates& before, const VolumeStates& after) {
    std::vector<VolumeChange> removals;
    std::vector<VolumeChange> arrivals;
    for (const auto& [id, level] : before) {
        if (LevelOf(after, id) < level)
            removals.push_back({id, false});
    }
    for (const auto& [id, level] : after) {
        if (LevelOf(before, id) < level)
            arrivals.push_back({id, true});
    }
    removals.insert(removals.end(), arrivals.begin(), arrivals.end());
    return removals;
}
