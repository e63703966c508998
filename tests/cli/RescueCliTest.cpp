#include <gtest/gtest.h>

#include <filesystem>

#include "RunCli.h"
#include "cli/ScanProgressBar.h"
#include "support/ItunesDbWriter.h"
#include "support/TaggedSampleDevice.h"
#include "support/TempDir.h"
#include "transfer/M3uPlaylist.h"

namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class RescueCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteSampleDeviceWithoutDatabase(device())); }
    std::string device() const { return dir / "ipod"; }
    std::string dbPath() const { return device() + "/iPod_Control/iTunes/iTunesDB"; }
    TempDir dir;
};

TEST_F(RescueCli, ADeviceWithoutADatabaseIsReadFromItsTagsAndSaysSo) {
    const CliRun tracks = RunCli({"tracks", "--json"}, device());
    ASSERT_EQ(tracks.exitCode, 0) << tracks.err;
    EXPECT_EQ(Count(tracks.out, "\"source\": \"files\""), 12u);
    const std::string first = device() + "/iPod_Control/Music/F00/MDBG.mp3";
    EXPECT_NE(tracks.out.find("{\"num\": 1, \"id\": 1, \"title\": \"Blue in Green\", \"artist\": "
                              "\"Miles Davis\", \"album\": \"Kind of Blue\", \"genre\": \"Jazz\", "
                              "\"size\": " +
                              std::to_string(std::filesystem::file_size(first)) + ", \"path\": \"" +
                              first + "\""),
              std::string::npos)
        << tracks.out;
    // The file without a title keeps its row, with a null title.
    EXPECT_NE(tracks.out.find("\"title\": null, \"artist\": \"Unknown Busker\""),
              std::string::npos);
    EXPECT_NE(tracks.err.find("no usable database at " + dbPath()), std::string::npos)
        << tracks.err;

    const CliRun playlists = RunCli({"playlists"}, device());
    ASSERT_EQ(playlists.exitCode, 0) << playlists.err;
    EXPECT_EQ(playlists.out, "Index  Name  Items  Master\n"
                             "    0  iPod     12  yes\n"
                             "Source: the music files' own tags\n");

    const CliRun devices = RunCli({"devices", "--json"}, device());
    ASSERT_EQ(devices.exitCode, 0);
    EXPECT_EQ(devices.out, "[\n  {\"id\": 1, \"mountPoint\": \"" + device() +
                               "\", \"database\": null, \"musicFiles\": true}\n]\n");
}

TEST_F(RescueCli, FromFilesForcesTheTagsAndBrokenDatabasesFallBackToThem) {
    dbwriter::Database one;
    dbwriter::Track track;
    track.id = 5;
    track.title = u"Only In The Database";
    track.location = u":iPod_Control:Music:F00:MDBG.mp3";
    one.tracks = {track};
    one.playlists = {{true, u"Master", {5}}};
    std::filesystem::create_directories(device() + "/iPod_Control/iTunes");
    ASSERT_TRUE(dbwriter::WriteFile(dbPath(), dbwriter::Write(one).bytes));

    const CliRun database = RunCli({"tracks", "--device", device()}, "");
    ASSERT_EQ(database.exitCode, 0) << database.err;
    EXPECT_NE(database.out.find("Only In The Database"), std::string::npos);
    EXPECT_NE(database.out.find("Source: the iPod database\n"), std::string::npos);
    EXPECT_EQ(database.err, "");

    const CliRun forced = RunCli({"tracks", "--device", device(), "--from-files"}, "");
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(forced.out.find("Only In The Database"), std::string::npos);
    EXPECT_NE(forced.out.find("Blue in Green"), std::string::npos);
    EXPECT_NE(forced.out.find("Source: the music files' own tags\n"), std::string::npos);

    ASSERT_TRUE(dbwriter::WriteFile(dbPath(), {'b', 'a', 'd'}));
    const CliRun broken = RunCli({"playlists", "--json"}, device());
    ASSERT_EQ(broken.exitCode, 0) << broken.err;
    EXPECT_NE(broken.out.find("\"name\": \"iPod\", \"master\": true, \"items\": 12, \"source\": "
                              "\"files\""),
              std::string::npos)
        << broken.out;

    // No music files to read: the database's own failure stands.
    std::filesystem::remove_all(device() + "/iPod_Control/Music");
    EXPECT_EQ(RunCli({"playlists", "--device", device()}, "").exitCode, 4);
    const CliRun nothing = RunCli({"playlists", "--device", device(), "--from-files"}, "");
    EXPECT_EQ(nothing.exitCode, 5);
    EXPECT_NE(nothing.err.find("the music files under " + device()), std::string::npos)
        << nothing.err;
    std::filesystem::remove(dbPath());
    EXPECT_EQ(RunCli({"playlists"}, device()).exitCode, 3);
}

TEST(ScanProgressBarText, FillsWithTheShareDone) {
    EXPECT_EQ(ScanBarText(0, 40), "[....................] 0/40 reading tags");
    EXPECT_EQ(ScanBarText(10, 40), "[#####...............] 10/40 reading tags");
    EXPECT_EQ(ScanBarText(40, 40), "[####################] 40/40 reading tags");
    EXPECT_EQ(ScanBarText(0, 0), "[####################] 0/0 reading tags");
}

TEST(M3uText, ExtinfLinesRoundSecondsAndKeepDeviceTextOnOneLine) {
    const std::vector<M3uEntry> entries = {
        {"Band/Rec/Song.mp3", 215500, u"Band", u"Song"},
        {"Ελληνικά.mp3", 1499, u"Κώστας", u"Ελληνικά"},
        {"Unknown Title.mp3", 0, nullptr, nullptr},
        {"Evil.mp3", 1000, u"A\r\n#EXTINF:1,x", u"T\tt"},
    };
    EXPECT_EQ(M3uText(entries), "#EXTM3U\n"
                                "#EXTINF:216,Band - Song\n"
                                "Band/Rec/Song.mp3\n"
                                "#EXTINF:1,Κώστας - Ελληνικά\n"
                                "Ελληνικά.mp3\n"
                                "#EXTINF:-1,Unknown Artist - Unknown Title\n"
                                "Unknown Title.mp3\n"
                                "#EXTINF:1,A  #EXTINF:1,x - T t\n"
                                "Evil.mp3\n");
    EXPECT_EQ(M3uText({}), "#EXTM3U\n");
}

TEST(M3uTitle, CleanedLikeAnyFileName) {
    EXPECT_EQ(M3uTitle(u"Road Trip"), "Road Trip");
    EXPECT_EQ(M3uTitle(u"AC/DC: Best?"), "AC_DC_ Best_");
    EXPECT_EQ(M3uTitle(u".."), "Playlist");
    EXPECT_EQ(M3uTitle(nullptr), "Playlist");
    EXPECT_EQ(M3uTitle(std::u16string(300, u'x').c_str()).size(), 250u);
}

} // namespace
