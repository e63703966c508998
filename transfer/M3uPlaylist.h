#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/TrackRecord.h"
#include "transfer/CopyOutcome.h"

class CItuneDB;
class RunNames;

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

// The playlist file's title: its name cleaned like any copied file's, with
// room for ".m3u8"; a playlist without a usable name is "Playlist".
std::string M3uTitle(const char16_t* playlistName);

// The entries for what a copy into `folder` (ending in "/") placed, in walk
// order: copied rows and, with skipIdentical, rows already there. Failed and
// unchecked rows have none.
std::vector<M3uEntry> PlacedEntries(const CItuneDB& db, const TrackRecord* rows,
                                    const CopyOutcome& outcome, const std::string& folder);

// Writes the playlist into `folder` as title + ".m3u8", by the copies'
// rules: a free numbered name, or with `overwrite` over a file from before
// the run, never over one the run (or a run beside it) wrote; the file is
// never seen half-written. `where` gets the name written (relative to
// `folder`), or when that fails the path that was tried.
StepResult WritePlaylistFile(const std::string& folder, const std::string& title,
                             const std::vector<M3uEntry>& entries, RunNames& names, bool overwrite,
                             std::string& where);
