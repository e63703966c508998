#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "library/CItuneDB.h"
#include "library/DatabaseChoice.h"
#include "library/Utf16.h"
#include "support/ItunesDbWriter.h"
#include "support/TempDir.h"

// Puts database bytes where a device keeps them, under a fresh volume folder,
// and loads them.
class DeviceFixture {
public:
    std::string volume() const { return dir / "vol"; }
    std::string dbPath() const { return dir / "vol/iPod_Control/iTunes/iTunesDB"; }

    int Load(CItuneDB& db, const std::vector<uint8_t>& bytes) const {
        std::filesystem::create_directories(dir / "vol/iPod_Control/iTunes");
        dbwriter::WriteFile(dbPath(), bytes);
        return db.LoadDatabase(dbPath());
    }
    int Load(CItuneDB& db, const dbwriter::Database& description) const {
        return Load(db, dbwriter::Write(description).bytes);
    }
    // As a newer iPod leaves it: `bytes` as iTunesCDB beside an empty
    // iTunesDB, loaded from the file the volume's database choice names.
    int LoadAsCdb(CItuneDB& db, const std::vector<uint8_t>& bytes) const {
        std::filesystem::create_directories(dir / "vol/iPod_Control/iTunes");
        dbwriter::WriteFile(dbPath(), {});
        dbwriter::WriteFile(cdbPath(), bytes);
        return db.LoadDatabase(ChooseDatabaseOnVolume(volume()));
    }
    std::string cdbPath() const { return dir / "vol/iPod_Control/iTunes/iTunesCDB"; }
    // Puts a file the device writes beside its database (Play Counts,
    // OTGPlaylistInfo).
    void Put(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::filesystem::create_directories(dir / "vol/iPod_Control/iTunes");
        dbwriter::WriteFile(dir / ("vol/iPod_Control/iTunes/" + name), bytes);
    }

private:
    TempDir dir;
};

// A field as text for comparisons; null shows as "<null>".
inline std::string Text(const char16_t* field) {
    return field ? ToUtf8(Utf16View(field)) : std::string("<null>");
}

inline std::vector<std::string> ViewTitles(const CItuneDB& db) {
    std::vector<std::string> titles;
    for (uint32_t i = 0; i < db.viewRowCount; ++i)
        titles.push_back(Text(db.viewRows[i].title));
    return titles;
}

inline dbwriter::Track NamedTrack(uint32_t id, const std::u16string& title) {
    dbwriter::Track track;
    track.id = id;
    track.title = title;
    track.location = u":iPod_Control:Music:F00:" + title + u".mp3";
    return track;
}

// Tracks 1..n titled "t1".."tn", one master playlist holding them all.
inline dbwriter::Database SimpleDatabase(uint32_t n) {
    dbwriter::Database db;
    dbwriter::Playlist master{true, u"iPod", {}};
    for (uint32_t id = 1; id <= n; ++id) {
        // Appended: GCC 12's -Wrestrict misreads an inlined u"t" + std::u16string.
        std::u16string title = u"t";
        title += FromUtf8(std::to_string(id));
        db.tracks.push_back(NamedTrack(id, title));
        master.items.push_back(id);
    }
    db.playlists.push_back(master);
    return db;
}

// Everything a load hands out, as text, so two loads can be compared whole.
inline std::string DescribeTables(CItuneDB& db) {
    std::string out;
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        out += "playlist " + Text(db.playlists[p].name) + " master " +
               std::to_string(db.playlists[p].masterFlag) + " items " +
               std::to_string(db.playlists[p].memberCount) + "\n";
        if (db.BuildPlaylistView(int32_t(p)) != 1)
            out += "  (no view)\n";
        for (uint32_t r = 0; r < db.viewRowCount; ++r) {
            const TrackRecord& t = db.viewRows[r];
            out += "  " + std::to_string(t.trackId) + "|" + Text(t.title) + "|" + Text(t.artist) +
                   "|" + Text(t.album) + "|" + Text(t.genre) + "|" + Text(t.location) + "|" +
                   std::to_string(t.kindFlag) + "|" + std::to_string(t.fileSize) + "\n";
        }
    }
    return out;
}
