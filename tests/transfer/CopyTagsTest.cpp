#include "WorkerHarness.h"
#include "support/ItunesDbWriter.h"
#include "support/MutagenTags.h"
#include "support/ScratchFolder.h"
#include "support/TaggedAudio.h"

#include "library/CItuneDB.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;

std::pair<time_t, long> MtimeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

// A device of three tracks: an MP3 that knows only its title, a bare M4A
// and a voice memo in a format that takes no tags. The library rates the
// first and counts its plays, two more since the last sync.
TEST(CopyTagsTest, CopiesCarryTheLibrarysTagsTheDeviceFilesStayAndAReRunAddsNothing) {
    ScratchFolder device, out;
    dbwriter::Database library;
    for (const auto& [id, title, file] : {std::tuple{101u, u"Blue in Green", u"F00:BLUE.mp3"},
                                          {102u, u"So What", u"F00:SOWH.m4a"},
                                          {103u, u"Memo", u"F00:MEMO.wma"}}) {
        dbwriter::Track& track = library.tracks.emplace_back();
        track.id = id, track.title = title,
        track.location = u":iPod_Control:Music:" + std::u16string(file);
        track.album = u"Kind of Blue", track.artist = u"Miles Davis";
    }
    library.tracks[0].composer = u"Bill Evans", library.tracks[0].rating = 80;
    library.tracks[0].playCount = 4, library.tracks[0].trackNumber = 3,
    library.tracks[0].trackCount = 5;
    library.playlists = {{true, u"iPod", {101, 102, 103}}};
    const std::string itunes = device.Path("iPod_Control/iTunes/"),
                      music = device.Path("iPod_Control/Music/F00/");
    std::filesystem::create_directories(itunes);
    std::filesystem::create_directories(music);
    ASSERT_TRUE(dbwriter::WriteFile(itunes + "iTunesDB", dbwriter::Write(library).bytes));
    ASSERT_TRUE(dbwriter::WriteFile(itunes + "Play Counts",
                                    dbwriter::WritePlayCounts({{2, 0, 0, 0, 0}}, 16)));
    ASSERT_TRUE(WriteTaggedAudio(music + "BLUE.mp3", {u"File Title", {}, {}, {}}));
    ASSERT_TRUE(WriteUntaggedAudio(music + "SOWH.m4a"));
    device.Write("iPod_Control/Music/F00/MEMO.wma", "a voice");
    std::string before;
    for (const char* name : {"BLUE.mp3", "SOWH.m4a"})
        before += ScratchFolder::ReadFile(music + name);
    const struct timespec synced[2] = {{1000000000, 5}, {1000000000, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (music + "SOWH.m4a").c_str(), synced, 0), 0);

    CItuneDB db;
    ASSERT_EQ(db.LoadDatabase(itunes + "iTunesDB"), 1) << db.message;
    for (uint32_t i = 0; i < db.viewRowCount; ++i)
        db.viewRows[i].checked = 1;
    TrackTable unused;
    const auto copy = [&] {
        WorkerRun run(unused, out.Path(), false, false);
        run.job.rows = db.viewRows, run.job.rowCount = db.viewRowCount, run.job.library = &db;
        run.job.writeTags = true, run.job.skipIdentical = true;
        return run.Run();
    };
    const CopyOutcome first = copy();

    EXPECT_EQ(first.copiedCount, 3u);
    EXPECT_EQ(out.List(), (Strings{"Blue in Green.mp3", "Memo.wma", "So What.m4a"}));
    ASSERT_EQ(first.untagged.size(), 1u);
    EXPECT_EQ(first.untagged[0].row, 2u);
    EXPECT_EQ(first.untagged[0].destination, out.Path("Memo.wma"));
    EXPECT_EQ(first.untagged[0].reason, "not a format that takes tags");
    EXPECT_EQ(out.Read("Memo.wma"), "a voice");
    const Strings blue = MutagenTags(out.Path("Blue in Green.mp3"));
    for (const char* line :
         {"TIT2=File Title", "TALB=Kind of Blue", "TPE1=Miles Davis", "TCOM=Bill Evans", "TRCK=3/5",
          "TXXX:FMPS_Rating=0.8", "TXXX:FMPS_Playcount=6", "POPM:=196/6"})
        EXPECT_EQ(std::count(blue.begin(), blue.end(), line), 1) << line;
    const Strings soWhat = MutagenTags(out.Path("So What.m4a"));
    EXPECT_EQ(std::count(soWhat.begin(), soWhat.end(), "\xC2\xA9nam=So What"), 1);
    // The copy tagged in place keeps the device file's time, as a plain copy does.
    EXPECT_EQ(MtimeOf(out.Path("So What.m4a")), std::make_pair(time_t{1000000000}, 5L));

    const CopyOutcome again = copy();
    EXPECT_EQ(again.skippedCount, 3u);
    EXPECT_EQ(again.copiedCount, 0u);
    EXPECT_EQ(out.List(), (Strings{"Blue in Green.mp3", "Memo.wma", "So What.m4a"}));

    std::string after;
    for (const char* name : {"BLUE.mp3", "SOWH.m4a"})
        after += ScratchFolder::ReadFile(music + name);
    EXPECT_EQ(after, before);
    EXPECT_EQ(MtimeOf(music + "SOWH.m4a"), std::make_pair(time_t{1000000000}, 5L));
}

} // namespace
