#pragma once

#include "support/ItunesDbWriter.h"

#include <cstdint>

// A big, realistic library for the benchmarks: `tracks` tracks with every
// text field and header field (a composer on every fourth, an album artist
// on every tenth), a master playlist of all of them and `playlists` playlists of
// `itemsPerPlaylist` items each (repeats included), written with the extras
// real devices carry.
dbwriter::Database LargeDatabase(uint32_t tracks, uint32_t playlists, uint32_t itemsPerPlaylist);
