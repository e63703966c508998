#include "cli/RunCli.h"
#include "support/ItunesDbWriter.h"
#include "support/SampleDevice.h"
#include "support/ScratchFolder.h"
#include "support/TaggedSampleDevice.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

// Seconds of a sample track as its mhit gives them: its size over 16 bytes a millisecond.
std::string Extinf(uint32_t id) {
    const uint32_t lengthMs = (150000 + 37000 * (id - 100)) / 16;
    return "#EXTINF:" + std::to_string((lengthMs + 500) / 1000) + ",";
}

class CliPlaylistsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteSampleDevice(device.Path("ipod"))); }

    CliRun Run(const std::string& command, Strings args) {
        args.insert(args.begin(), {command, "--device", device.Path("ipod")});
        return RunCli(args, "");
    }

    ScratchFolder device;
    ScratchFolder out;
};

TEST_F(CliPlaylistsTest, CopyM3uListsTheCopiesInPlaylistOrderWithoutFailedRows) {
    // "Late Night": Blue in Green, (a missing track), Ελληνικά, Last Track.
    ASSERT_EQ(::unlink(device.Path("ipod/iPod_Control/Music/F05/LAST.mp3").c_str()), 0);
    const CliRun run = Run("copy", {"--playlist", "1", "--to", out.Path(), "--organize", "--m3u"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(out.Read("Late Night.m3u8"), "#EXTM3U\n" + Extinf(101) +
                                               "Miles Davis - Blue in Green\n"
                                               "Miles Davis/Kind of Blue/Blue in Green.mp3\n" +
                                               Extinf(111) +
                                               "Κώστας - Ελληνικά\n"
                                               "Κώστας/Θάλασσα/Ελληνικά.mp3\n");

    // The master playlist's file is named after it; --only lists the chosen rows.
    const CliRun some = Run("copy", {"--to", out.Path("some"), "--only", "6,5", "--m3u"});
    EXPECT_EQ(some.exitCode, 0) << some.err;
    EXPECT_EQ(out.List("some"), (Strings{"Intro.mp3", "Sample iPod.m3u8", "Unknown Title.mp3"}));
    EXPECT_EQ(out.Read("some/Sample iPod.m3u8"), "#EXTM3U\n" + Extinf(105) +
                                                     "Unknown Busker - Unknown Title\n"
                                                     "Unknown Title.mp3\n" +
                                                     Extinf(106) +
                                                     "Unknown Artist - Intro\n"
                                                     "Intro.mp3\n");
}

TEST_F(CliPlaylistsTest, PlaylistNamesAreCleanedAndTracksLandUnderCleanedNames) {
    dbwriter::Database db;
    dbwriter::Track track;
    track.id = 1;
    track.fileSize = 5;
    track.lengthMs = 61400;
    track.title = u"What? Why: Now";
    track.artist = u"AC/DC";
    track.location = u":iPod_Control:Music:F00:A.mp3";
    db.tracks = {track};
    db.playlists = {{true, u"Best of: AC/DC?", {1}}};
    const std::string root = device.Path("odd");
    device.Write("odd/iPod_Control/Music/F00/A.mp3", "abcde");
    device.Write("odd/iPod_Control/iTunes/iTunesDB", "");
    ASSERT_TRUE(
        dbwriter::WriteFile(root + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes));
    const CliRun run =
        RunCli({"copy", "--device", root, "--to", out.Path(), "--organize", "--m3u"}, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(out.Read("Best of_ AC_DC_.m3u8"), "#EXTM3U\n#EXTINF:61,AC/DC - What? Why: Now\n"
                                                "AC_DC/Unknown Album/What_ Why_ Now.mp3\n");
}

TEST_F(CliPlaylistsTest, SkipIdenticalMakesARerunAddNothing) {
    const CliRun first = Run("copy", {"--to", out.Path(), "--skip-identical"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out,
              "copied 12, already there 0, failed 0, cancelled 0 of 12 into " + out.Path() + "\n");
    const Strings copied = out.List();
    const CliRun again = Run("copy", {"--to", out.Path(), "--skip-identical", "--m3u"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out,
              "copied 0, already there 12, failed 0, cancelled 0 of 12 into " + out.Path() + "\n");
    Strings withPlaylist = copied;
    withPlaylist.push_back("Sample iPod.m3u8");
    std::sort(withPlaylist.begin(), withPlaylist.end());
    EXPECT_EQ(out.List(), withPlaylist);
    // The two "Intro" tracks differ, so the second one's numbered copy is
    // found again, not the first one's plain name.
    const std::string playlist = out.Read("Sample iPod.m3u8");
    EXPECT_NE(playlist.find("The Hollow Pines - Intro\nIntro(0).mp3\n"), std::string::npos)
        << playlist;
    // Without the option the document's behaviour stands: numbered copies.
    Run("copy", {"--to", out.Path(), "--only", "1"});
    EXPECT_EQ(out.Read("Blue in Green(0).mp3"), out.Read("Blue in Green.mp3"));
}

TEST_F(CliPlaylistsTest, ExportPlaylistsCopiesEachTrackOnceAndWritesEveryPlaylist) {
    const CliRun run = Run("export-playlists", {"--to", out.Path()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(HasLine(run.out, "copied 12, failed 0, cancelled 0 of 12 into " + out.Path()))
        << run.out;
    EXPECT_TRUE(HasLine(run.out, "playlist Road Trip.m3u8: 4 tracks")) << run.out;
    size_t music = 0, playlists = 0;
    for (const std::string& name : out.List())
        ++(name.size() > 5 && name.substr(name.size() - 5) == ".m3u8" ? playlists : music);
    EXPECT_EQ(music, 12u);
    EXPECT_EQ(playlists, 4u);
    EXPECT_EQ(out.Read("Road Trip.m3u8"),
              "#EXTM3U\n" + Extinf(102) + "Miles Davis - So What\nSo What.mp3\n" + Extinf(108) +
                  "Plastic Bertrand - Ça plane pour moi\n"
                  "Ça plane pour moi.mp3\n" +
                  Extinf(109) +
                  "Emoji Band - Smile \xF0\x9F\x98\x80\n"
                  "Smile \xF0\x9F\x98\x80.mp3\n" +
                  Extinf(104) + "YOASOBI - 夜に駆ける\n夜に駆ける.m4a\n");
    EXPECT_NE(out.Read("Favourites.m3u8").find("Intro(0).mp3"), std::string::npos);
}

TEST_F(CliPlaylistsTest, PlaylistFilesTakeFreeNamesByTheTracksRules) {
    dbwriter::Database db;
    dbwriter::Track track;
    track.id = 1;
    track.fileSize = 5;
    track.title = u"Mix";
    track.location = u":iPod_Control:Music:F00:MIX.m3u8"; // a track that looks like a playlist
    db.tracks = {track};
    // A name longer than a file name may be is cut to fit, twice over.
    const std::u16string longName(300, u'\u00e9');
    db.playlists = {{true, u"Master", {1}},
                    {false, u"Mix", {1}},
                    {false, u"MIX", {1}},
                    {false, longName, {1}},
                    {false, longName, {1}}};
    const std::string root = device.Path("mixes");
    device.Write("mixes/iPod_Control/Music/F00/MIX.m3u8", "bytes");
    device.Write("mixes/iPod_Control/iTunes/iTunesDB", "");
    ASSERT_TRUE(
        dbwriter::WriteFile(root + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes));
    ::umask(022);
    for (const char* mode : {"", "--overwrite"}) {
        const std::string to = out.Path(*mode ? "replaced" : "kept");
        out.Write((*mode ? "replaced" : "kept") + std::string("/Master.m3u8"), "mine");
        Strings args = {"export-playlists", "--device", root, "--to", to};
        if (*mode)
            args.push_back(mode);
        const CliRun run = RunCli(args, "");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        // The track and the playlists this run wrote are taken, in any case.
        EXPECT_TRUE(HasLine(run.out, "playlist Mix(0).m3u8: 1 tracks")) << run.out;
        EXPECT_TRUE(HasLine(run.out, "playlist MIX(1).m3u8: 1 tracks")) << run.out;
        EXPECT_EQ(ScratchFolder::ReadFile(to + "/Mix.m3u8"), "bytes");
        struct stat st {};
        ASSERT_EQ(::stat((to + "/Mix(0).m3u8").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0644u);
    }
    // The user's own playlist file goes only with --overwrite.
    Strings kept;
    for (const std::string& name : out.List("kept"))
        kept.push_back(name.size() > 200 ? std::to_string(name.size()) + " bytes" : name);
    EXPECT_EQ(kept, (Strings{"MIX(1).m3u8", "Master(0).m3u8", "Master.m3u8", "Mix(0).m3u8",
                             "Mix.m3u8", "254 bytes", "255 bytes"}));
    EXPECT_EQ(out.Read("kept/Master.m3u8"), "mine");
    EXPECT_EQ(out.List("replaced").size(), 6u);
    EXPECT_NE(out.Read("replaced/Master.m3u8"), "mine");
}

TEST_F(CliPlaylistsTest, ADeviceWithoutDatabaseCopiesUnderItsTagNames) {
    const std::string root = device.Path("lost");
    ASSERT_TRUE(WriteSampleDeviceWithoutDatabase(root));
    const CliRun run =
        RunCli({"copy", "--device", root, "--to", out.Path(), "--organize", "--m3u"}, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(out.List("Miles Davis"), (Strings{"Kind of Blue/", "Kind of Blue/Blue in Green.mp3",
                                                "Kind of Blue/So What.mp3"}));
    EXPECT_EQ(out.Read("Miles Davis/Kind of Blue/So What.mp3"),
              ScratchFolder::ReadFile(root + "/iPod_Control/Music/F00/SOWH.mp3"));
    const std::string playlist = out.Read("iPod.m3u8");
    EXPECT_NE(playlist.find("Miles Davis/Kind of Blue/Blue in Green.mp3\n"), std::string::npos)
        << playlist;
}

} // namespace
