#pragma once

#include <string>
#include <string_view>
#include <vector>

// The track files an iPod keeps under iPod_Control/Music/<folder>/, found
// without the database: what is left to read when the database is gone.

// Where the music folders sit on a volume, relative to its mount point.
inline constexpr const char* kMusicOnVolume = "iPod_Control/Music";

// An audio file the device plays, told by its extension in any letter case:
// mp3, m4a, m4b, m4p, aac, aif, aiff, wav, flac. Names that start with "._" are
// the resource forks a Mac leaves on FAT volumes, not music.
bool IsMusicFileName(std::string_view name);

// Absolute paths of the music files in every folder of the volume's music
// folder (matched in any letter case), folder by folder, both sorted
// byte-wise so that the same device always scans in the same order.
std::vector<std::string> ListMusicFiles(const std::string& volumeRoot);

// Whether ListMusicFiles would find anything; stops at the first file.
bool HasMusicFiles(const std::string& volumeRoot);
