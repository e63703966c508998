#pragma once

#include <string>

// Where a device keeps its database, relative to the volume's mount point.
inline constexpr const char* kDatabaseOnVolume = "iPod_Control/iTunes/iTunesDB";

// `folder` made absolute against the working folder. Volumes given on the
// command line or in CORVANE_VOLUMES may be relative, but the letter-case
// look-up of device paths and the track paths handed out need absolute ones.
std::string AbsoluteFolder(const std::string& folder);

// mountPoint + "/" + kDatabaseOnVolume, without doubling a trailing "/".
std::string DatabasePathOnVolume(const std::string& mountPoint);

// The volume a database path belongs to: the path without its last three
// components ("" for the root file system). Track locations hang off it.
std::string VolumeRootOfDatabase(const std::string& dbPath);
