#pragma once

#include <string>

// The database file of a volume, names resolved in any letter case:
// iTunesCDB where it exists and is not empty (newer iPods leave iTunesDB
// beside it empty or absent), else iTunesDB, else an empty iTunesCDB (which
// then fails to load). "" when the volume holds neither.
std::string ChooseDatabaseOnVolume(const std::string& mountPoint);
