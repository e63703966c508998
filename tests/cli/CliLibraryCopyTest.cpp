// copy --name, --min-rating and --min-plays, run as a program on the
// sample device with a library behind it.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/RunCli.h"
#include "support/ItunesDbWriter.h"
#include "support/SampleDevice.h"
#include "support/ScratchFolder.h"

namespace {

using Strings = std::vector<std::string>;

class CliLibraryCopyTest : public ::testing::Test {
protected:
    // The sample device's tracks with numbers, album artists and ratings,
    // and a Play Counts file that adds a play to the first track.
    void SetUp() override {
        ASSERT_TRUE(WriteSampleDevice(device.Path("ipod")));
        dbwriter::Database library = SampleDeviceDatabase();
        auto& blue = library.tracks[0];
        blue.albumArtist = u"Miles Davis Sextet", blue.discNumber = 1, blue.trackNumber = 3;
        blue.rating = 80, blue.playCount = 1;
        auto& soWhat = library.tracks[1];
        soWhat.albumArtist = u"Miles Davis Sextet", soWhat.discNumber = 1, soWhat.trackNumber = 1;
        soWhat.rating = 100, soWhat.playCount = 5;
        library.tracks[2].rating = 60, library.tracks[2].playCount = 9;
        library.tracks[11].trackNumber = 7; // "Last Track", no disc
        const std::string itunes = device.Path("ipod/iPod_Control/iTunes/");
        ASSERT_TRUE(dbwriter::WriteFile(itunes + "iTunesDB", dbwriter::Write(library).bytes));
        ASSERT_TRUE(dbwriter::WriteFile(itunes + "Play Counts",
                                        dbwriter::WritePlayCounts({{1, 0, 0, 0, 0}}, 16)));
    }

    CliRun Copy(Strings args) {
        args.insert(args.begin(), {"copy", "--device", device.Path("ipod")});
        return RunCli(args, "");
    }

    ScratchFolder device;
    ScratchFolder out;
};

constexpr const char* kAlbumOrder = "{albumartist}/{album}/{disc}-{track:02} {title}";

TEST_F(CliLibraryCopyTest, NamesByFormatWithFreeNamesSkipsAndPlaylists) {
    // Playlist 1, "Late Night": Blue in Green, Ελληνικά, Last Track.
    const CliRun first = Copy(
        {"--playlist", "1", "--to", out.Path("o"), "--name", kAlbumOrder, "--m3u", "--organize"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(out.List("o"),
              (Strings{"Late Night.m3u8", "Miles Davis Sextet/", "Miles Davis Sextet/Kind of Blue/",
                       "Miles Davis Sextet/Kind of Blue/1-03 Blue in Green.mp3", "Nobody/",
                       "Nobody/Ending/", "Nobody/Ending/07 Last Track.mp3", "Κώστας/",
                       "Κώστας/Θάλασσα/", "Κώστας/Θάλασσα/Ελληνικά.mp3"}));
    EXPECT_NE(out.Read("o/Late Night.m3u8")
                  .find("\nMiles Davis Sextet/Kind of Blue/1-03 Blue in "
                        "Green.mp3\n"),
              std::string::npos);

    const CliRun again = Copy({"--playlist", "1", "--to", out.Path("o"), "--name", kAlbumOrder,
                               "--only", "3", "--skip-identical"});
    EXPECT_EQ(again.out, "copied 0, already there 1, failed 0, cancelled 0 of 1 into " +
                             out.Path("o/") + "\n");
    const CliRun numbered =
        Copy({"--playlist", "1", "--to", out.Path("o"), "--name", kAlbumOrder, "--only", "3"});
    EXPECT_EQ(numbered.exitCode, 0) << numbered.err;
    EXPECT_EQ(out.List("o/Nobody/Ending"), (Strings{"07 Last Track(0).mp3", "07 Last Track.mp3"}));
}

TEST_F(CliLibraryCopyTest, RatingsAndPlaysChooseTheRows) {
    const CliRun chosen = Copy({"--to", out.Path("best"), "--min-rating", "4", "--min-plays", "2"});
    ASSERT_EQ(chosen.exitCode, 0) << chosen.err;
    EXPECT_EQ(out.List("best"), (Strings{"Blue in Green.mp3", "So What.mp3"}));

    const CliRun played = Copy({"--to", out.Path("played"), "--min-plays", "6"});
    ASSERT_EQ(played.exitCode, 0) << played.err;
    EXPECT_EQ(out.List("played"), (Strings{"Für Elise.mp3"}));

    for (const Strings& bad : {Strings{"--min-rating", "6"}, Strings{"--min-plays", "-1"},
                               Strings{"--name", "{title"}, Strings{"--name", "{bpm}"}}) {
        Strings args = {"--to", out.Path("bad")};
        args.insert(args.end(), bad.begin(), bad.end());
        const CliRun refused = Copy(args);
        EXPECT_EQ(refused.exitCode, 2) << bad[1];
        EXPECT_NE(refused.err.find(bad[0]), std::string::npos) << refused.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out.Path("bad"))); // refused before the folder is made
}

} // namespace
