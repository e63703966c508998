#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "library/TrackRecord.h"

class CItuneDB;
struct CopyOutcome;

// M3U8 playlists of copied tracks: UTF-8, "#EXTM3U", then per track an
// "#EXTINF:<seconds>,Artist - Title" line and the file's path relative to
// the folder the playlist lies in.
struct M3uEntry {
    std::string relativePath;
    uint32_t lengthMs = 0; // 0: unknown, written as -1
    const char16_t* artist = nullptr;
    const char16_t* title = nullptr;
};

std::string M3uText(const std::vector<M3uEntry>& entries);

// "<playlist name>.m3u8", the name cleaned like any copied file's; a
// playlist without a usable name is "Playlist.m3u8".
std::string M3uFileName(const char16_t* playlistName);

// The entries for what a copy into `folder` (ending in "/") placed, in walk
// order: copied rows and, with skipIdentical, rows already there. Failed and
// unchecked rows have none.
std::vector<M3uEntry> PlacedEntries(const CItuneDB& db, const TrackRecord* rows,
                                    const CopyOutcome& outcome, const std::string& folder);

// Writes the playlist as folder + fileName, replacing an earlier one of that
// name whole. False after one line to `err`.
bool WritePlaylistFile(const std::string& folder, const std::string& fileName,
                       const std::vector<M3uEntry>& entries, std::ostream& err);
