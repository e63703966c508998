#pragma once

#include <map>
#include <vector>

// What the watcher knows of each volume, keyed by volume ID. A higher level
// means more of the volume is present (a mounted volume is 1; a listed
// directory is 1, and 2 once the music database inside it exists too); an
// ID that is absent from the map is not there at all.
using VolumeStates = std::map<int, int>;

struct VolumeChange {
    int id;
    bool arrived; // false: the volume, or part of it, went away
    bool operator==(const VolumeChange&) const = default;
};

// The notices that turn `before` into `after`: every volume that lost
// something is reported as removed, then every volume that gained something
// as arrived, each group in ascending ID order, so a listener that reloads on
// both sees the removal before a new volume with a reused ID.
std::vector<VolumeChange> DiffVolumeStates(const VolumeStates& before, const VolumeStates& after);
