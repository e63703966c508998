#pragma once

#include <string>

// The database file of a volume, names resolved in any letter case:
// iTunesCDB where it exists and is not empty (newer iPods leave iTunesDB
// beside it empty or absent), else iTunesDB, else an empty iTunesCDB (which
// then fails to load). "" when the volume holds neither.
std::string ChooseDatabaseOnVolume(const std::string& mountPoint);

// Where a device's tables come from: the chosen database, or, on a volume
// that lost it but keeps its music files, where iTunesDB would be (the path
// then names the volume for the scan of those files). "" when the volume is
// no device.
std::string DevicePathOnVolume(const std::string& mountPoint);
