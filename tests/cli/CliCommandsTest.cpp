#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <tuple>

#include "RunCli.h"
#include "support/ItunesDbWriter.h"
#include "support/SampleDevice.h"
#include "support/TempDir.h"

namespace {

class Cli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteSampleDevice(sample())); }
    std::string sample() const { return dir / "sample"; }
    TempDir dir;
};

TEST_F(Cli, PlaylistsOfTheSampleDeviceMasterFirst) {
    const CliRun run = RunCli({"playlists", "--json"}, dir / "empty" + ":" + sample());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "[\n"
                       "  {\"index\": 0, \"name\": \"Sample iPod\", \"master\": true, \"items\": "
                       "12, \"source\": \"database\", \"onTheGo\": false},\n"
                       "  {\"index\": 1, \"name\": \"Late Night\", \"master\": false, \"items\": "
                       "4, \"source\": \"database\", \"onTheGo\": false},\n"
                       "  {\"index\": 2, \"name\": \"Road Trip\", \"master\": false, \"items\": 5, "
                       "\"source\": \"database\", \"onTheGo\": false},\n"
                       "  {\"index\": 3, \"name\": \"Favourites\", \"master\": false, \"items\": "
                       "3, \"source\": \"database\", \"onTheGo\": false}\n"
                       "]\n");
}

// The keys of a track whose database says nothing beyond the nine words.
const std::string kNoDetails =
    ", \"trackNumber\": null, \"trackCount\": null, \"discNumber\": null, \"discCount\": null, "
    "\"year\": null, \"composer\": null, \"albumArtist\": null, \"compilation\": false, "
    "\"rating\": 0, \"playCount\": 0, \"skipCount\": 0, \"lastPlayed\": null, \"dateAdded\": null, "
    "\"artwork\": false";

TEST_F(Cli, TracksShowTheViewWithNullsAndOnDiskPaths) {
    // Another machine wrote the folders in capitals; the paths follow the disk.
    std::filesystem::rename(sample() + "/iPod_Control/Music/F04",
                            sample() + "/iPod_Control/Music/f04");
    const CliRun run = RunCli({"tracks", "--device", sample(), "--playlist=1", "--json"}, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string music = sample() + "/iPod_Control/Music/";
    EXPECT_EQ(
        run.out,
        "[\n"
        "  {\"num\": 1, \"id\": 101, \"title\": \"Blue in Green\", \"artist\": \"Miles Davis\", "
        "\"album\": \"Kind of Blue\", \"genre\": \"Jazz\", \"size\": 187000, \"path\": \"" +
            music + "F00/MDBG.mp3\", \"source\": \"database\"" + kNoDetails +
            "},\n"
            "  {\"num\": 2, \"id\": 111, \"title\": \"Ελληνικά\", \"artist\": \"Κώστας\", "
            "\"album\": \"Θάλασσα\", \"genre\": \"World\", \"size\": 557000, \"path\": \"" +
            music + "F05/GREK.mp3\", \"source\": \"database\"" + kNoDetails +
            "},\n"
            "  {\"num\": 3, \"id\": 112, \"title\": \"Last Track\", \"artist\": \"Nobody\", "
            "\"album\": \"Ending\", \"genre\": \"Ambient\", \"size\": 594000, \"path\": \"" +
            music + "F05/LAST.mp3\", \"source\": \"database\"" + kNoDetails +
            "}\n"
            "]\n");

    const CliRun master = RunCli({"tracks", "--json"}, sample());
    ASSERT_EQ(master.exitCode, 0) << master.err;
    EXPECT_NE(master.out.find("\"title\": null, \"artist\": \"Unknown Busker\""),
              std::string::npos);
    EXPECT_NE(master.out.find("\"num\": 10, \"id\": 110, \"title\": \"Voice Memo 1\", \"artist\": "
                              "null, \"album\": null, \"genre\": null"),
              std::string::npos);
    EXPECT_NE(master.out.find(music + "f04/SMIL.mp3"), std::string::npos);
    EXPECT_NE(master.out.find("\"title\": \"Smile \xF0\x9F\x98\x80\""), std::string::npos);
}

// The device was played since its last sync: its Play Counts file and its
// On-The-Go playlist count as much as the database.
TEST_F(Cli, TracksAndPlaylistsCarryTheLibraryTheDeviceKept) {
    dbwriter::Database library;
    dbwriter::Track track;
    track.id = 5, track.title = u"Song", track.location = u":iPod_Control:Music:F00:S.mp3";
    track.trackNumber = 3, track.trackCount = 11, track.discNumber = 1, track.discCount = 2;
    track.year = 1998, track.compilation = 1, track.rating = 60, track.playCount = 7;
    track.skipCount = 1, track.dateAdded = 3682844800u, track.lastPlayed = 3000000000u;
    track.composer = u"Writer", track.albumArtist = u"Various";
    library.tracks = {track};
    library.playlists = {{true, u"iPod", {5}}};
    const std::string itunes = dir / "played/iPod_Control/iTunes/";
    std::filesystem::create_directories(itunes);
    ASSERT_TRUE(dbwriter::WriteFile(itunes + "iTunesDB", dbwriter::Write(library).bytes));
    ASSERT_TRUE(dbwriter::WriteFile(itunes + "Play Counts",
                                    dbwriter::WritePlayCounts({{2, 3100000000u, 80, 3, 0}}, 28)));
    ASSERT_TRUE(dbwriter::WriteFile(itunes + "OTGPlaylistInfo", dbwriter::WriteOnTheGo({0})));

    const CliRun tracks = RunCli({"tracks", "--device", dir / "played", "--json"}, "");
    ASSERT_EQ(tracks.exitCode, 0) << tracks.err;
    EXPECT_NE(tracks.out.find("\"source\": \"database\", \"trackNumber\": 3, \"trackCount\": 11, "
                              "\"discNumber\": 1, \"discCount\": 2, \"year\": 1998, "
                              "\"composer\": \"Writer\", \"albumArtist\": \"Various\", "
                              "\"compilation\": true, \"rating\": 80, \"playCount\": 9, "
                              "\"skipCount\": 4, \"lastPlayed\": \"2002-03-26T15:06:40Z\", "
                              "\"dateAdded\": \"2020-09-13T12:26:40Z\", \"artwork\": false}"),
              std::string::npos)
        << tracks.out;

    const CliRun playlists = RunCli({"playlists", "--device", dir / "played", "--json"}, "");
    ASSERT_EQ(playlists.exitCode, 0) << playlists.err;
    EXPECT_NE(playlists.out.find("{\"index\": 1, \"name\": \"On-The-Go 1\", \"master\": false, "
                                 "\"items\": 1, \"source\": \"database\", \"onTheGo\": true}"),
              std::string::npos)
        << playlists.out;
}

// Which tracks have a cover in the artwork database; the rows read from the
// files never name one of its images.
TEST_F(Cli, TracksTellWhichHaveArtwork) {
    ASSERT_TRUE(WriteSampleArtwork(sample()));
    auto withArtwork = [this](const std::vector<std::string>& options) {
        std::vector<std::string> args = {"tracks", "--device", sample(), "--json"};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = RunCli(args, "");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> titles;
        const std::string marker = "\"artwork\": true";
        for (size_t at = 0; (at = run.out.find(marker, at)) != std::string::npos; ++at) {
            const size_t title = run.out.rfind("\"title\": ", at);
            titles.push_back(run.out.substr(title + 9, run.out.find(',', title) - title - 9));
        }
        return titles;
    };
    EXPECT_EQ(withArtwork({}),
              (std::vector<std::string>{"\"Blue in Green\"", "\"So What\"", "\"Für Elise\"",
                                        "\"夜に駆ける\"", "\"Smile \xF0\x9F\x98\x80\""}));
    EXPECT_EQ(withArtwork({"--from-files"}), std::vector<std::string>{});
}

// Scripts pass mount points relative to where they run; the paths handed out
// must still be absolute, and found whatever the letter case on the device.
TEST_F(Cli, RelativeVolumesGiveAbsoluteOnDiskPaths) {
    std::filesystem::rename(sample() + "/iPod_Control", sample() + "/IPOD_CONTROL");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir / "");
    const CliRun given = RunCli({"tracks", "--device", "sample", "--json"}, "");
    const CliRun listed = RunCli({"tracks", "--json"}, "sample/");
    std::filesystem::current_path(previous);
    const std::string first = "\"path\": \"" + sample() + "/IPOD_CONTROL/Music/F00/MDBG.mp3\"";
    ASSERT_EQ(given.exitCode, 0) << given.err;
    EXPECT_NE(given.out.find(first), std::string::npos) << given.out;
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, given.out);
}

TEST_F(Cli, HumanTablesAlignTheirColumns) {
    const CliRun run = RunCli({"playlists"}, sample());
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Index  Name         Items  Master\n"
                       "    0  Sample iPod     12  yes\n"
                       "    1  Late Night       4  \n"
                       "    2  Road Trip        5  \n"
                       "    3  Favourites       3  \n"
                       "Source: the iPod database\n");
}

TEST_F(Cli, HumanTablesShowDeviceControlCharactersAsQuestionMarks) {
    dbwriter::Database db;
    dbwriter::Track track;
    track.id = 7;
    track.title = u"Evil\x1b]0;owned\x07\nrow";
    track.artist = u"\u009b2J";
    track.location = u":iPod_Control:Music:F00:EVIL.mp3";
    db.tracks = {track};
    db.playlists = {{true, u"Mas\rter", {7}}};
    dbwriter::WriteFile(sample() + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes);
    const CliRun tracks = RunCli({"tracks"}, sample());
    ASSERT_EQ(tracks.exitCode, 0) << tracks.err;
    EXPECT_EQ(tracks.out.substr(tracks.out.find('\n') + 1, 36),
              "1  Evil?]0;owned??row  ?2J          ");
    const CliRun playlists = RunCli({"playlists"}, sample());
    ASSERT_EQ(playlists.exitCode, 0) << playlists.err;
    EXPECT_EQ(playlists.out, "Index  Name     Items  Master\n"
                             "    0  Mas?ter      1  yes\n"
                             "Source: the iPod database\n");
}

// Wide characters take two columns and combining marks none; a
// directional control would turn the rest of the line around.
TEST_F(Cli, HumanTablesPadByDisplayWidthAndEscapeDirectionalControls) {
    dbwriter::Database db;
    dbwriter::Track track;
    track.id = 7;
    track.location = u":iPod_Control:Music:F00:X.mp3";
    db.tracks = {track};
    db.playlists = {{true, u"Mix", {7}},
                    {false, u"夜に駆ける", {7}},
                    {false, u"e\u0301te", {7}},
                    {false, u"\u202Eevil", {7}}};
    dbwriter::WriteFile(sample() + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes);
    const CliRun run = RunCli({"playlists"}, sample());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Index  Name          Items  Master\n"
                       "    0  Mix               1  yes\n"
                       "    1  夜に駆ける        1  \n"
                       "    2  e\u0301te               1  \n"
                       "    3  <U+202E>evil      1  \n"
                       "Source: the iPod database\n");
}

// Its options are options, never the name of a folder to write.
TEST(SampleDeviceTool, HelpAndUnknownOptionsWriteNoDevice) {
    const TempDir dir;
    std::filesystem::create_directory(dir / "cwd");
    for (const auto& [arg, exitCode, output] :
         {std::tuple{"--help", 0, ">"}, {"--bogus", 2, "2>"}, {"--compressed", 2, "2>"}}) {
        const std::string run = "cd " + dir / "cwd" + " && " CORVANE_SAMPLE_DEVICE_PATH " " + arg +
                                " " + output + "../usage";
        EXPECT_EQ(WEXITSTATUS(std::system(run.c_str())), exitCode) << arg;
        EXPECT_TRUE(std::filesystem::is_empty(dir / "cwd")) << arg;
        std::string usage;
        std::getline(std::ifstream(dir / "usage"), usage);
        EXPECT_EQ(usage, "usage: corvane-sample-device [--no-database | --compressed] DIR") << arg;
    }
}

TEST_F(Cli, DevicesListOnlyVolumesWithADatabaseOrMusicFiles) {
    std::filesystem::create_directories(dir / "card");
    const CliRun run = RunCli({"devices", "--json"}, dir / "card" + ":" + sample());
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "[\n  {\"id\": 2, \"mountPoint\": \"" + sample() + "\", \"database\": \"" +
                           sample() +
                           "/iPod_Control/iTunes/iTunesDB\", \"musicFiles\": true}\n]\n");
    const CliRun none = RunCli({"devices", "--json"}, dir / "card");
    EXPECT_EQ(none.exitCode, 3);
    EXPECT_EQ(none.out, "[]\n");
}

// A newer iPod: only iTunesCDB holds the database, iTunesDB is empty.
TEST_F(Cli, ACompressedOnlyDeviceListsAndCopiesLikeItsPlainTwin) {
    const std::string newer = dir / "newer";
    ASSERT_TRUE(WriteCompressedSampleDevice(newer));
    const CliRun devices = RunCli({"devices", "--json"}, newer);
    ASSERT_EQ(devices.exitCode, 0) << devices.err;
    EXPECT_EQ(devices.out, "[\n  {\"id\": 1, \"mountPoint\": \"" + newer + "\", \"database\": \"" +
                               newer +
                               "/iPod_Control/iTunes/iTunesCDB\", \"musicFiles\": true}\n]\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"playlists", "--json"}, {"tracks", "--playlist=2", "--json"}}) {
        const CliRun plain = RunCli(args, sample());
        CliRun packed = RunCli(args, newer);
        ASSERT_EQ(packed.exitCode, 0) << packed.err;
        for (size_t at; (at = packed.out.find(newer)) != std::string::npos;)
            packed.out.replace(at, newer.size(), sample());
        EXPECT_EQ(packed.out, plain.out) << args[0];
    }
    const CliRun copy = RunCli({"copy", "--device", newer, "--to", dir / "out"}, "");
    EXPECT_EQ(copy.exitCode, 0) << copy.err;
    EXPECT_EQ(copy.out.rfind("copied 12, failed 0", 0), 0u) << copy.out;
}

TEST_F(Cli, ExitCodesTellFailuresApart) {
    EXPECT_EQ(RunCli({}, "").exitCode, 2);
    EXPECT_EQ(RunCli({"frobnicate"}, "").exitCode, 2);
    EXPECT_EQ(RunCli({"tracks", "--playlist"}, sample()).exitCode, 2);
    EXPECT_EQ(RunCli({"tracks", "--playlist", "-1"}, sample()).exitCode, 2);
    EXPECT_EQ(RunCli({"tracks", "--playlist", "4"}, sample()).exitCode, 2);
    EXPECT_EQ(RunCli({"playlists", "--bogus"}, sample()).exitCode, 2);

    const CliRun noDevice = RunCli({"playlists"}, dir / "nothing");
    EXPECT_EQ(noDevice.exitCode, 3);
    EXPECT_EQ(RunCli({"tracks", "--device", dir / "nothing"}, "").exitCode, 3);

    // With music files the device would be read from them instead.
    std::filesystem::remove_all(sample() + "/iPod_Control/Music");
    const std::string db = sample() + "/iPod_Control/iTunes/iTunesDB";
    dbwriter::WriteFile(db, {'n', 'o', 'p', 'e'});
    const CliRun unreadable = RunCli({"playlists", "--device", sample()}, "");
    EXPECT_EQ(unreadable.exitCode, 4);
    EXPECT_NE(unreadable.err.find(db), std::string::npos) << unreadable.err;
    EXPECT_EQ(std::count(unreadable.err.begin(), unreadable.err.end(), '\n'), 1);

    dbwriter::Database empty = SampleDeviceDatabase();
    empty.playlists.clear();
    dbwriter::WriteFile(db, dbwriter::Write(empty).bytes);
    EXPECT_EQ(RunCli({"tracks", "--device", sample()}, "").exitCode, 5);
}

TEST_F(Cli, EveryCommandHasHelp) {
    for (const char* command : {"devices", "playlists", "tracks"}) {
        const CliRun run = RunCli({command, "--help"}, "");
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("usage: corvane-cli ") + command, 0), 0u) << run.out;
    }
    EXPECT_NE(RunCli({"--help"}, "").out.find("tracks"), std::string::npos);
}

} // namespace
