#include "support/LargeDatabase.h"

#include "library/Utf16.h"

#include <string>

namespace {

std::u16string Numbered(const char* prefix, uint32_t n) {
    return FromUtf8(std::string(prefix) + std::to_string(n));
}

uint32_t TrackId(uint32_t row) {
    return 1000 + row * 3;
}

} // namespace

dbwriter::Database LargeDatabase(uint32_t tracks, uint32_t playlists, uint32_t itemsPerPlaylist) {
    dbwriter::Database db;
    db.options.realDeviceExtras = true;
    dbwriter::Playlist master{true, u"iPod", {}};
    for (uint32_t i = 0; i < tracks; ++i) {
        dbwriter::Track track;
        track.id = TrackId(i);
        track.fileSize = 3'000'000 + i;
        track.title = Numbered("A Reasonably Long Song Title Number ", i);
        track.artist = Numbered("Some Artist ", i % 2000);
        track.album = Numbered("An Album Called ", i % 4000);
        track.genre = Numbered("Genre ", i % 30);
        track.location =
            Numbered(":iPod_Control:Music:F", i % 50) + Numbered(":TRACK", i) + u".mp3";
        track.trackNumber = i % 12 + 1, track.trackCount = 12, track.year = 1960 + i % 60;
        track.discNumber = 1, track.discCount = 1, track.rating = uint8_t(i % 6 * 20);
        track.playCount = i % 40, track.lastPlayed = 3600000000u + i, track.dateAdded = 3500000000u;
        track.skipCount = i % 3, track.dbid = 0x1000000000000000ull + i;
        if (i % 4 == 0)
            track.composer = Numbered("A Composer ", i % 500);
        if (i % 10 == 0)
            track.compilation = 1, track.albumArtist = u"Various Artists";
        db.tracks.push_back(std::move(track));
        master.items.push_back(TrackId(i));
    }
    db.playlists.push_back(std::move(master));
    uint32_t seed = 7;
    for (uint32_t p = 0; p < playlists && tracks > 0; ++p) {
        dbwriter::Playlist playlist{false, Numbered("Playlist ", p), {}};
        for (uint32_t k = 0; k < itemsPerPlaylist; ++k) {
            seed = seed * 1103515245u + 12345u;
            playlist.items.push_back(TrackId((seed >> 8) % tracks));
        }
        db.playlists.push_back(std::move(playlist));
    }
    return db;
}
