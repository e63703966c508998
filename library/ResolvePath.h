#pragma once

#include <string>

// iPods written by other machines differ in letter case (iPod_Control vs
// IPOD_CONTROL, F00 vs f00). Returns absolutePath with every component that
// does not exist as written replaced by an entry of the same name ignoring
// ASCII case; returns absolutePath unchanged when it exists as written or
// when no such entry exists.
std::string ResolveExistingPath(const std::string& absolutePath);

// The same resolution for the track files of the loaded device. Each
// folder is listed once, on first need, and the listing is shared by every
// track (and every copy) until the next load starts over, so resolving a
// library costs one listing per folder instead of look-ups per track.
// A device is untrusted: a track whose file, or a folder on the way to it,
// is a link that leads out of the device's root resolves to "", which
// names no file. Links that stay on the device resolve as usual.
// Safe from any thread.
std::string ResolveTrackPath(const std::string& absolutePath);

// Forgets the listings, for the tracks of a new load, which lie in the
// folder `deviceRoot` (VolumeFolder() of the device's volume).
void StartTrackResolution(const std::string& deviceRoot);
