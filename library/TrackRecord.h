#pragma once

#include <cstdint>

// One track as the tables and views hold it. The text fields point into the
// owning CItuneDB's UTF-16 string pool and are borrowed; null means the
// database had no such data object, which is not the same as an empty string.
struct TrackRecord {
    uint32_t trackId = 0;
    const char16_t* title = nullptr;
    const char16_t* artist = nullptr;
    const char16_t* album = nullptr;
    const char16_t* genre = nullptr;
    // Absolute path of the track file on the mounted volume, "/" separated,
    // or null when the database gave none or gave one that leaves the volume.
    const char16_t* location = nullptr;
    uint32_t kindFlag = 0;
    uint32_t fileSize = 0;
    uint32_t checked = 0;
};

// One playlist. `members` points at `memberCount` entries of the member
// array (rows of the track table, -1 for items naming no track); borrowed.
struct PlaylistRecord {
    uint32_t masterFlag = 0;
    const char16_t* name = nullptr;
    int32_t* members = nullptr;
    uint32_t memberCount = 0;
};
