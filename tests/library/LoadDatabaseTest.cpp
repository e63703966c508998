#include <gtest/gtest.h>

#include <sys/stat.h>

#include "LoadHelpers.h"
#include "support/SampleDevice.h"

namespace {

std::vector<std::string> PlaylistNames(const CItuneDB& db) {
    std::vector<std::string> names;
    for (uint32_t i = 0; i < db.playlistCount; ++i)
        names.push_back(Text(db.playlists[i].name));
    return names;
}

TEST(LoadDatabase, SampleDeviceLoadsWithMasterFirstAndItsView) {
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, SampleDeviceDatabase()), 1);
    EXPECT_EQ(PlaylistNames(db),
              (std::vector<std::string>{"Sample iPod", "Late Night", "Road Trip", "Favourites"}));
    EXPECT_NE(db.playlists[0].masterFlag, 0u);
    ASSERT_EQ(db.viewRowCount, 12u);
    EXPECT_EQ(Text(db.viewRows[0].title), "Blue in Green");
    EXPECT_EQ(Text(db.viewRows[4].title), "<null>");
    EXPECT_EQ(Text(db.viewRows[8].title), "Smile \xF0\x9F\x98\x80");
    EXPECT_EQ(Text(db.viewRows[0].location), device.volume() + "/iPod_Control/Music/F00/MDBG.mp3");
    EXPECT_EQ(db.message, "  Read mhlp\r\n\r\n\r\n\r\n\r\n");
}

TEST(LoadDatabase, RealDeviceExtrasLoadTheSameTablesAsTheMinimalTwin) {
    dbwriter::Database minimal = SampleDeviceDatabase();
    dbwriter::Database real = minimal;
    real.options.realDeviceExtras = true;
    const auto bytes = dbwriter::Write(real).bytes;
    ASSERT_EQ(dbwriter::Get32(bytes, 4), 0xF4u);

    DeviceFixture device;
    CItuneDB a, b;
    ASSERT_EQ(device.Load(a, minimal), 1);
    ASSERT_EQ(device.Load(b, bytes), 1);
    EXPECT_EQ(DescribeTables(a), DescribeTables(b));
    EXPECT_EQ(a.message, b.message); // the smart and podcast lists were not read
}

TEST(LoadDatabase, ReportsWhyNothingLoaded) {
    DeviceFixture device;
    CItuneDB db;
    auto bytes = dbwriter::Write(SimpleDatabase(2)).bytes;
    bytes[0] = 'x';
    EXPECT_EQ(device.Load(db, bytes), 0);
    EXPECT_EQ(db.message, "Error Occur In TraverseItuneDBCount\r\n");

    dbwriter::Database empty = SimpleDatabase(2);
    empty.options.rootDataSetCount = 0;
    EXPECT_EQ(device.Load(db, empty), 2);
    EXPECT_EQ(db.message, "No songs\r\n");

    dbwriter::Database stringless = SimpleDatabase(2);
    for (auto& track : stringless.tracks)
        track.title.reset(), track.location.reset();
    EXPECT_EQ(device.Load(db, stringless), 2);
    EXPECT_EQ(db.message, "  Read mhlp\r\n\r\nNo songs\r\n");

    dbwriter::Database noPlaylists = SimpleDatabase(2);
    noPlaylists.playlists.clear();
    EXPECT_EQ(device.Load(db, noPlaylists), 2);
    EXPECT_EQ(db.message, "  Read mhlp\r\nNo Play List\r\n");

    dbwriter::Database noItems = SimpleDatabase(2);
    noItems.playlists[0].items.clear();
    EXPECT_EQ(device.Load(db, noItems), 2);
    EXPECT_EQ(db.playlists, nullptr);
    EXPECT_EQ(db.playlistCount, 0u);
    EXPECT_EQ(db.viewRows, nullptr);
}

// Old iPods leave the master playlist without a name object.
TEST(LoadDatabase, PlaylistsWithoutNamesLoad) {
    dbwriter::Database unnamed = SimpleDatabase(3);
    unnamed.playlists[0].name.reset();
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, unnamed), 1);
    ASSERT_EQ(db.playlistCount, 1u);
    EXPECT_EQ(db.playlists[0].name, nullptr);
    EXPECT_EQ(db.viewRowCount, 3u);
}

TEST(LoadDatabase, StringsKeepNullApartFromEmptyAndStopAtNul) {
    dbwriter::Database desc = SimpleDatabase(3);
    desc.tracks[0].artist = u"";
    desc.tracks[1].title = std::u16string(u"ab\0cd", 5);
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, desc), 1);
    ASSERT_NE(db.viewRows[0].artist, nullptr);
    EXPECT_EQ(Text(db.viewRows[0].artist), "");
    EXPECT_EQ(db.viewRows[1].artist, nullptr);
    EXPECT_EQ(Text(db.viewRows[1].title), "ab");
}

TEST(LoadDatabase, OddStringLengthDropsTheLastByte) {
    dbwriter::Database desc = SimpleDatabase(1);
    desc.tracks[0].title = u"abcd";
    dbwriter::Written written = dbwriter::Write(desc);
    // The title is the track's first mhod; give it 7 bytes instead of 8.
    const size_t mhit = written.trackOffsets[0];
    const size_t mhod = mhit + dbwriter::Get32(written.bytes, mhit + 4);
    dbwriter::Put32(written.bytes, mhod + 28, 7);
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, written.bytes), 1);
    EXPECT_EQ(Text(db.viewRows[0].title), "abc");
}

TEST(LoadDatabase, LocationsJoinTheVolumeAndNeverLeaveIt) {
    dbwriter::Database desc = SimpleDatabase(6);
    desc.tracks[0].location = u":iPod_Control:Music:F01:ABCD.mp3";
    desc.tracks[1].location = u"iPod_Control:Music:F01:NOLE.mp3";
    desc.tracks[2].location = u":iPod_Control:..:..:etc:passwd";
    desc.tracks[3].location = u":iPod_Control:Music:F01:a/../../x.mp3";
    desc.tracks[4].location = u"";
    desc.tracks[5].location.reset();
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(Text(db.viewRows[0].location), device.volume() + "/iPod_Control/Music/F01/ABCD.mp3");
    EXPECT_EQ(Text(db.viewRows[1].location), device.volume() + "/iPod_Control/Music/F01/NOLE.mp3");
    for (int row = 2; row < 6; ++row)
        EXPECT_EQ(db.viewRows[row].location, nullptr) << "row " << row;
    EXPECT_EQ(db.viewRowCount, 6u); // rows without a file still show
}

TEST(LoadDatabase, ItemsResolveToTheLaterOfTwoTracksWithOneId) {
    dbwriter::Database desc;
    desc.tracks = {NamedTrack(7, u"first"), NamedTrack(8, u"other"), NamedTrack(7, u"second")};
    desc.playlists = {{true, u"iPod", {7, 8, 99}}};
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"second", "other"}));
    EXPECT_EQ(db.playlists[0].members[2], -1);
}

TEST(LoadDatabase, PlaylistsBeforeTracksResolveNothing) {
    dbwriter::Database desc = SimpleDatabase(3);
    desc.options.dataSetOrder = {2, 1};
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(db.viewRowCount, 0u);
    EXPECT_EQ(db.playlists[0].memberCount, 3u);
}

TEST(LoadDatabase, LastMasterPlaylistMovesToRowZero) {
    dbwriter::Database desc = SimpleDatabase(3);
    desc.playlists = {{false, u"a", {1}},
                      {true, u"b", {2}},
                      {false, u"c", {3}},
                      {true, u"d", {3, 1}},
                      {false, u"e", {2}}};
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(PlaylistNames(db), (std::vector<std::string>{"d", "b", "c", "a", "e"}));
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t3", "t1"}));

    for (auto& playlist : desc.playlists)
        playlist.master = false;
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(PlaylistNames(db), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1"}));
}

TEST(LoadDatabase, BrokenTrackEndsItsListButPlaylistsStillLoad) {
    dbwriter::Written written = dbwriter::Write(SimpleDatabase(5));
    written.bytes[written.trackOffsets[2]] = 'X';
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, written.bytes), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2"}));
    EXPECT_EQ(db.playlists[0].memberCount, 5u);
}

// iPod shuffle databases count three data sets, so their playlist list
// (kind 2, fourth in the file) is never reached; its podcast copy is.
TEST(LoadDatabase, PodcastListStandsInWhenNoPlaylistListIsCounted) {
    dbwriter::Database desc = SimpleDatabase(3);
    desc.podcastPlaylists = std::vector<dbwriter::Playlist>{{true, u"shuffle", {3, 2}}};
    desc.options.dataSetOrder = {1, 3, 3, 2};
    desc.options.rootDataSetCount = 3;
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(PlaylistNames(db), (std::vector<std::string>{"shuffle"})); // only one list read
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t3", "t2"}));

    desc.options.rootDataSetCount = 4; // now kind 2 is counted and wins
    ASSERT_EQ(device.Load(db, desc), 1);
    EXPECT_EQ(PlaylistNames(db), (std::vector<std::string>{"iPod"}));
}

TEST(LoadDatabase, FailedLoadsKeepOrDropTablesAsTheyShould) {
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, SimpleDatabase(2)), 1);

    EXPECT_EQ(db.LoadDatabase(device.dbPath() + ".missing"), 0);
    EXPECT_EQ(db.message, "  Read mhlp\r\n\r\n"); // not even emptied
    EXPECT_EQ(db.viewRowCount, 2u);

    EXPECT_EQ(device.Load(db, std::vector<uint8_t>{}), 0); // empty file
    std::filesystem::remove(device.dbPath());
    ASSERT_EQ(mkfifo(device.dbPath().c_str(), 0600), 0);
    EXPECT_EQ(db.LoadDatabase(device.dbPath()), 0); // returns instead of blocking
    std::filesystem::remove(device.dbPath());
    auto bad = dbwriter::Write(SimpleDatabase(2)).bytes;
    bad[1] = 'X';
    EXPECT_EQ(device.Load(db, bad), 0);
    ASSERT_EQ(db.playlistCount, 1u); // the counting walk failed: old tables stay
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2"}));
    ASSERT_EQ(db.BuildPlaylistView(0), 1); // and views are still built from them
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2"}));
}

} // namespace
