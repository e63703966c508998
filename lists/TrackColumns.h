#pragma once

#include <array>

// The track list's six columns, in the order the owner inserts them. The row
// drawing, the sorts and the check-all box all assume exactly this layout.
enum TrackColumn : int {
    kColumnNumber = 0,
    kColumnName = 1,
    kColumnSize = 2,
    kColumnArtist = 3,
    kColumnAlbum = 4,
    kColumnGenre = 5,
    kTrackColumnCount = 6,
};

struct ColumnSpec {
    const char* caption;
    int width;
};

inline constexpr std::array<ColumnSpec, kTrackColumnCount> kTrackColumns{{
    {"Num", 37},
    {"Name", 272},
    {"Size", 50},
    {"Artist", 100},
    {"Album", 100},
    {"Genre", 50},
}};

inline constexpr ColumnSpec kPlaylistColumn{"Devices", 160};
