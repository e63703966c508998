#include "WorkerHarness.h"
#include "support/ItunesDbWriter.h"
#include "support/MutagenTags.h"
#include "support/ScratchFolder.h"
#include "support/TaggedAudio.h"

#include "library/CItuneDB.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;

bool Holds(const Strings& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A device of three tracks: an MP3 that knows only its title, a bare M4A
// and a voice memo in a format tags are not written into; the library
// rates the first and counts its plays, two more since the last sync.
class CopyTagsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbwriter::Database library;
        const auto track = [](uint32_t id, const char16_t* title, const char16_t* file) {
            dbwriter::Track made;
            made.id = id, made.title = title, made.location = file;
            made.album = u"Kind of Blue", made.artist = u"Miles Davis";
            return made;
        };
        dbwriter::Track blue = track(101, u"Blue in Green", u":iPod_Control:Music:F00:BLUE.mp3");
        blue.composer = u"Bill Evans", blue.rating = 80, blue.playCount = 4;
        blue.trackNumber = 3, blue.trackCount = 5;
        const dbwriter::Track soWhat = track(102, u"So What", u":iPod_Control:Music:F00:SOWH.m4a");
        const dbwriter::Track memo = track(103, u"Memo", u":iPod_Control:Music:F01:MEMO.wma");
        library.tracks = {blue, soWhat, memo};
        library.playlists = {{true, u"iPod", {101, 102, 103}}};
        const std::string itunes = device.Path("iPod_Control/iTunes/");
        std::filesystem::create_directories(itunes);
        std::filesystem::create_directories(device.Path("iPod_Control/Music/F00"));
        ASSERT_TRUE(dbwriter::WriteFile(itunes + "iTunesDB", dbwriter::Write(library).bytes));
        ASSERT_TRUE(dbwriter::WriteFile(itunes + "Play Counts",
                                        dbwriter::WritePlayCounts({{2, 0, 0, 0, 0}}, 16)));
        ASSERT_TRUE(WriteTaggedAudio(device.Path("iPod_Control/Music/F00/BLUE.mp3"),
                                     {u"File Title", std::nullopt, std::nullopt, std::nullopt}));
        ASSERT_TRUE(WriteUntaggedAudio(device.Path("iPod_Control/Music/F00/SOWH.m4a")));
        device.Write("iPod_Control/Music/F01/MEMO.wma", "a voice");
        ASSERT_EQ(db.LoadDatabase(itunes + "iTunesDB"), 1) << db.message;
        for (uint32_t i = 0; i < db.viewRowCount; ++i)
            db.viewRows[i].checked = 1;
    }

    const CopyOutcome& Run(bool skipIdentical) {
        run.emplace(table, out.Path(), false, false);
        run->job.rows = db.viewRows;
        run->job.rowCount = db.viewRowCount;
        run->job.library = &db;
        run->job.writeTags = true;
        run->job.skipIdentical = skipIdentical;
        return run->Run();
    }

    ScratchFolder device;
    ScratchFolder out;
    CItuneDB db;
    TrackTable table;
    std::optional<WorkerRun> run;
};

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

TEST_F(CopyTagsTest, CopiesCarryTheLibrarysTagsAndTheDeviceFilesStayAsTheyWere) {
    const std::string blueOnDevice = device.Path("iPod_Control/Music/F00/BLUE.mp3");
    const std::string before = ScratchFolder::ReadFile(blueOnDevice);
    const struct stat deviceBefore = StatOf(blueOnDevice);

    const CopyOutcome& outcome = Run(false);

    EXPECT_EQ(outcome.copiedCount, 3u);
    EXPECT_EQ(outcome.failedCount, 0u);
    EXPECT_EQ(out.List(), (Strings{"Blue in Green.mp3", "Memo.wma", "So What.m4a"}));
    ASSERT_EQ(outcome.untagged.size(), 1u);
    EXPECT_EQ(outcome.untagged[0].row, 2u);
    EXPECT_EQ(outcome.untagged[0].title, "Memo");
    EXPECT_EQ(outcome.untagged[0].destination, out.Path("Memo.wma"));
    EXPECT_EQ(outcome.untagged[0].reason, "not a format that takes tags");
    EXPECT_EQ(out.Read("Memo.wma"), "a voice");

    const Strings blue = MutagenTags(out.Path("Blue in Green.mp3"));
    for (const char* line :
         {"TIT2=File Title", "TALB=Kind of Blue", "TPE1=Miles Davis", "TCOM=Bill Evans", "TRCK=3/5",
          "TXXX:FMPS_Rating=0.8", "TXXX:FMPS_Playcount=6", "POPM:=196/6"})
        EXPECT_TRUE(Holds(blue, line)) << line << " not in " << testing::PrintToString(blue);
    const Strings soWhat = MutagenTags(out.Path("So What.m4a"));
    EXPECT_TRUE(Holds(soWhat, "\xC2\xA9nam=So What")) << testing::PrintToString(soWhat);
    EXPECT_FALSE(Holds(soWhat, "----:com.apple.iTunes:FMPS_Rating=0"));

    EXPECT_EQ(ScratchFolder::ReadFile(blueOnDevice), before);
    const struct stat deviceAfter = StatOf(blueOnDevice);
    EXPECT_EQ(deviceAfter.st_mtim.tv_sec, deviceBefore.st_mtim.tv_sec);
    EXPECT_EQ(deviceAfter.st_mtim.tv_nsec, deviceBefore.st_mtim.tv_nsec);
    // The tagged copy keeps the device file's time, as a plain copy does.
    EXPECT_EQ(StatOf(out.Path("Blue in Green.mp3")).st_mtim.tv_sec, deviceBefore.st_mtim.tv_sec);
    EXPECT_NE(out.Read("Blue in Green.mp3"), before);
}

TEST_F(CopyTagsTest, ASkipIdenticalReRunFindsTheTaggedCopiesAndAddsNothing) {
    ASSERT_EQ(Run(true).copiedCount, 3u);
    const Strings first = out.List();

    const CopyOutcome& again = Run(true);
    EXPECT_EQ(again.skippedCount, 3u);
    EXPECT_EQ(again.copiedCount, 0u);
    EXPECT_TRUE(again.untagged.empty());
    EXPECT_EQ(out.List(), first);
    ASSERT_EQ(again.placed.size(), 3u);
    EXPECT_EQ(again.placed[0].destination, out.Path("Blue in Green.mp3"));
}

} // namespace
