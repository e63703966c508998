#pragma once

#include <string>

// Where a device keeps its database, relative to the volume's mount point.
inline constexpr const char* kDatabaseOnVolume = "iPod_Control/iTunes/iTunesDB";

// mountPoint + "/" + kDatabaseOnVolume, without doubling a trailing "/".
std::string DatabasePathOnVolume(const std::string& mountPoint);

// The volume a database path belongs to: the path without its last three
// components ("" for the root file system). Track locations hang off it.
std::string VolumeRootOfDatabase(const std::string& dbPath);
