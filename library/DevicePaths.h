#pragma once

#include <string>

// Where a device keeps its database, relative to the volume's mount point.
inline constexpr const char* kDatabaseOnVolume = "iPod_Control/iTunes/iTunesDB";
inline constexpr const char* kDatabaseFolderOnVolume = "iPod_Control/iTunes/";
inline constexpr const char* kPlainDatabaseName = "iTunesDB";
inline constexpr const char* kCompressedDatabaseName = "iTunesCDB";
inline constexpr const char* kArtworkDatabaseOnVolume = "iPod_Control/Artwork/ArtworkDB";

// `folder` made absolute against the working folder. Volumes given on the
// command line or in CORVANE_VOLUMES may be relative, but the letter-case
// look-up of device paths and the track paths handed out need absolute ones.
std::string AbsoluteFolder(const std::string& folder);

// mountPoint + "/" + the database folder + fileName, without doubling a
// trailing "/".
std::string DatabasePathOnVolume(const std::string& mountPoint,
                                 const char* fileName = kPlainDatabaseName);

// mountPoint + "/" + `relative`, without doubling a trailing "/".
std::string PathOnVolume(const std::string& mountPoint, const char* relative);

// The volume a database path belongs to: the path without its last three
// components ("" for the root file system). Track locations hang off it.
std::string VolumeRootOfDatabase(const std::string& dbPath);

// A volume root as VolumeRootOfDatabase() gives it, as a folder to compare
// paths with: "/" for the root file system.
std::string VolumeFolder(const std::string& volumeRoot);
