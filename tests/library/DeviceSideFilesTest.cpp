#include <gtest/gtest.h>

#include <functional>

#include "LoadHelpers.h"

namespace {

// Two tracks: the first played 10 times, rated 60, played and skipped at
// known times; the second never.
dbwriter::Database PlayedDatabase() {
    dbwriter::Database db = SimpleDatabase(2);
    db.tracks[0].playCount = 10, db.tracks[0].rating = 60;
    db.tracks[0].lastPlayed = 3000000000u, db.tracks[0].skipCount = 2;
    db.tracks[0].lastSkipped = 3000000001u;
    return db;
}

struct Merged {
    uint32_t plays, rating, lastPlayed, skips, lastSkipped;
    bool operator==(const Merged&) const = default;
};

Merged FirstTrack(const CItuneDB& db) {
    const TrackDetails* d = db.DetailsOf(db.viewRows[0]);
    return d ? Merged{d->playCount, d->rating, d->lastPlayed, d->skipCount, d->lastSkipped}
             : Merged{};
}

constexpr Merged kDatabaseOnly{10, 60, 3000000000u, 2, 3000000001u};

const std::vector<dbwriter::PlayCount> kEntries = {{3, 3100000000u, 100, 4, 3100000001u},
                                                   {1, 0, 0, 0, 0}};

std::vector<uint8_t> Counts(uint32_t entryLength) {
    return dbwriter::WritePlayCounts(kEntries, entryLength);
}

std::vector<uint8_t> Edited(std::vector<uint8_t> bytes, size_t offset, uint32_t value) {
    dbwriter::Put32(bytes, offset, value);
    return bytes;
}

struct PlayCountsCase {
    const char* name;
    std::function<std::vector<uint8_t>()> file; // null: no file at all
    Merged first;
    std::string message; // after the database's own lines
};

class PlayCountsMerge : public testing::TestWithParam<PlayCountsCase> {};

TEST_P(PlayCountsMerge, MergesWhatIsUsableAndSaysWhyTheRestIsNot) {
    DeviceFixture device;
    if (GetParam().file)
        device.Put("Play Counts", GetParam().file());
    CItuneDB db;
    ASSERT_EQ(device.Load(db, PlayedDatabase()), 1);
    EXPECT_EQ(FirstTrack(db), GetParam().first);
    EXPECT_EQ(db.message, "  Read mhlp\r\n\r\n" + GetParam().message);
}

constexpr Merged kMerged12{13, 60, 3100000000u, 2, 3000000001u};
constexpr Merged kMerged16{13, 100, 3100000000u, 2, 3000000001u};
constexpr Merged kMerged28{13, 100, 3100000000u, 6, 3100000001u};

INSTANTIATE_TEST_SUITE_P(
    Files, PlayCountsMerge,
    testing::Values(
        PlayCountsCase{"Missing", nullptr, kDatabaseOnly, ""},
        PlayCountsCase{"Entries12", [] { return Counts(12); }, kMerged12, ""},
        PlayCountsCase{"Entries16", [] { return Counts(16); }, kMerged16, ""},
        PlayCountsCase{"Entries20", [] { return Counts(20); }, kMerged16, ""},
        PlayCountsCase{"Entries28", [] { return Counts(28); }, kMerged28, ""},
        PlayCountsCase{"Empty", [] { return std::vector<uint8_t>{}; }, kDatabaseOnly,
                       "Play Counts ignored: empty\r\n"},
        PlayCountsCase{"Short",
                       [] {
                           auto bytes = Counts(28);
                           bytes.resize(12);
                           return bytes;
                       },
                       kDatabaseOnly, "Play Counts ignored: no mhdp header\r\n"},
        PlayCountsCase{"WrongTag", [] { return Edited(Counts(28), 0, 0x7068646Du); }, kDatabaseOnly,
                       "Play Counts ignored: no mhdp header\r\n"},
        PlayCountsCase{"HeaderPastEnd", [] { return Edited(Counts(28), 4, 0x1000); }, kDatabaseOnly,
                       "Play Counts ignored: header length 4096\r\n"},
        PlayCountsCase{"HeaderTooShort", [] { return Edited(Counts(28), 4, 8); }, kDatabaseOnly,
                       "Play Counts ignored: header length 8\r\n"},
        PlayCountsCase{"EntryUnder12", [] { return Edited(Counts(28), 8, 8); }, kDatabaseOnly,
                       "Play Counts ignored: entry length 8\r\n"},
        PlayCountsCase{"CountPastTheFile", [] { return Edited(Counts(28), 12, 5); }, kMerged28,
                       "Play Counts ignored: from entry 2 of 5, past the file's end\r\n"},
        PlayCountsCase{
            "CountPastTheTracks",
            [] {
                auto bytes = dbwriter::WritePlayCounts({kEntries[0], kEntries[1], kEntries[1]}, 28);
                return bytes;
            },
            kMerged28, "Play Counts ignored: from entry 2 of 3, past the last track\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayCountsMerge, ZeroEntriesLeaveTheDatabaseAsItIsAndCountsSaturate) {
    DeviceFixture device;
    device.Put("PLAY COUNTS", dbwriter::WritePlayCounts({{0xFFFFFFFBu, 0, 0, 0, 0}}, 16));
    CItuneDB db;
    ASSERT_EQ(device.Load(db, PlayedDatabase()), 1);
    EXPECT_EQ(FirstTrack(db), (Merged{0xFFFFFFFFu, 60, 3000000000u, 2, 3000000001u}));
}

std::vector<std::string> PlaylistRows(CItuneDB& db) {
    std::vector<std::string> rows;
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        std::string row = Text(db.playlists[p].name) + (db.IsOnTheGo(p) ? " (otg):" : ":");
        db.BuildPlaylistView(int32_t(p));
        for (const std::string& title : ViewTitles(db))
            row += " " + title;
        rows.push_back(row);
    }
    return rows;
}

struct OnTheGoCase {
    const char* name;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    std::vector<std::string> extraRows; // after the master playlist's row
    std::string message;
};

class OnTheGoPlaylists : public testing::TestWithParam<OnTheGoCase> {};

// Loaded twice into one object: a first load lays its tables out at the
// image's bounds, a reload counts first, and both must give the rows room.
TEST_P(OnTheGoPlaylists, FollowTheDatabasesPlaylists) {
    DeviceFixture device;
    for (const auto& [name, bytes] : GetParam().files)
        device.Put(name, bytes);
    std::vector<std::string> expected = {"iPod: t1 t2 t3"};
    expected.insert(expected.end(), GetParam().extraRows.begin(), GetParam().extraRows.end());
    CItuneDB db;
    for (int load = 0; load < 2; ++load) {
        ASSERT_EQ(device.Load(db, SimpleDatabase(3)), 1);
        EXPECT_EQ(db.message, "  Read mhlp\r\n\r\n" + GetParam().message);
        EXPECT_EQ(PlaylistRows(db), expected);
    }
}

std::vector<uint8_t> Otg(std::vector<uint32_t> indexes) {
    return dbwriter::WriteOnTheGo(indexes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OnTheGoPlaylists,
    testing::Values(
        OnTheGoCase{"None", {}, {}, ""},
        OnTheGoCase{"InFileOrder",
                    {{"OTGPlaylistInfo", Otg({2, 0})}, {"OTGPlaylistInfo_1", Otg({1})}},
                    {"On-The-Go 1 (otg): t3 t1", "On-The-Go 2 (otg): t2"},
                    ""},
        OnTheGoCase{"EachTrackOnceAndUnknownIndexesSkipped",
                    {{"OTGPlaylistInfo", Otg({1, 7, 1, 0, 3})}},
                    {"On-The-Go 1 (otg): t2 t1"},
                    "On-The-Go 1: 2 entries past the last track\r\n"},
        OnTheGoCase{"StopsAtTheFirstMissingFile",
                    {{"OTGPlaylistInfo", Otg({0})}, {"OTGPlaylistInfo_2", Otg({1})}},
                    {"On-The-Go 1 (otg): t1"},
                    ""},
        OnTheGoCase{"EmptyFilesMakeNoPlaylist",
                    {{"OTGPlaylistInfo", Otg({})}, {"OTGPlaylistInfo_1", Otg({2})}},
                    {"On-The-Go 1 (otg): t3"},
                    ""},
        OnTheGoCase{"WrongTagIsIgnored",
                    {{"OTGPlaylistInfo", Edited(Otg({0}), 0, 0)}, {"OTGPlaylistInfo_1", Otg({1})}},
                    {"On-The-Go 1 (otg): t2"},
                    "OTGPlaylistInfo ignored: no mhpo header\r\n"},
        OnTheGoCase{"BadLengthsAreIgnored",
                    {{"OTGPlaylistInfo", Edited(Otg({0}), 4, 0x100)},
                     {"OTGPlaylistInfo_1", Edited(Otg({1}), 8, 2)},
                     {"OTGPlaylistInfo_2", std::vector<uint8_t>(8, 0)}},
                    {},
                    "OTGPlaylistInfo ignored: header length 256\r\n"
                    "OTGPlaylistInfo_1 ignored: entry length 2\r\n"
                    "OTGPlaylistInfo_2 ignored: no mhpo header\r\n"},
        OnTheGoCase{"CountPastTheFileKeepsWhatFits",
                    {{"OTGPlaylistInfo", Edited(Otg({2, 1}), 12, 9)}},
                    {"On-The-Go 1 (otg): t3 t2"},
                    "OTGPlaylistInfo ignored: from entry 2 of 9, past the file's end\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
