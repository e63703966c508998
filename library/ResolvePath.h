#pragma once

#include <string>

// iPods written by other machines differ in letter case (iPod_Control vs
// IPOD_CONTROL, F00 vs f00). Returns absolutePath with every component that
// does not exist as written replaced by an entry of the same name ignoring
// ASCII case; returns absolutePath unchanged when it exists as written or
// when no such entry exists.
std::string ResolveExistingPath(const std::string& absolutePath);

// The same resolution for the track files of the loaded database. Each
// folder is listed once, on first need, and the listing is shared by every
// track (and every copy) until the next load forgets it, so resolving a
// library costs one listing per folder instead of look-ups per track.
// Safe from any thread.
std::string ResolveTrackPath(const std::string& absolutePath);
void ForgetTrackFolderListings();
