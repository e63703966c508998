#include "WorkerHarness.h"
#include "support/ScopedTmpfs.h"
#include "support/ScratchFolder.h"

#include "library/Utf16.h"
#include "transfer/FreeName.h"
#include "transfer/IdenticalFile.h"
#include "transfer/PathComponent.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

class SkipIdenticalTest : public ::testing::Test {
protected:
    std::u16string DeviceFile(const std::string& name, const std::string& content) {
        return FromUtf8(device.Write(name, content));
    }
    const CopyOutcome& Run(TrackTable& table, bool skip, bool organize = false) {
        run.emplace(table, out.Path(), organize, false);
        run->job.skipIdentical = skip;
        return run->Run();
    }

    ScratchFolder device;
    ScratchFolder out;
    std::optional<WorkerRun> run;
};

TEST_F(SkipIdenticalTest, SameBytesUnderThePlainOrANumberedNameCountAsThere) {
    TrackTable table;
    table.Add({u"Song", u"Band", u"Rec", DeviceFile("F00/A.mp3", "the song"), true});
    table.Add({u"Other", u"Band", u"Rec", DeviceFile("F00/B.mp3", "the other one"), true});
    out.Write("Song.mp3", "the song");
    // Same size, other bytes: not the same file.
    out.Write("Other.mp3", "THE OTHER ONE");
    out.Write("Other(0).mp3", "the other one");

    const CopyOutcome& outcome = Run(table, true);

    EXPECT_EQ(outcome.skippedCount, 2u);
    EXPECT_EQ(outcome.copiedCount, 0u);
    EXPECT_EQ(out.List(), (Strings{"Other(0).mp3", "Other.mp3", "Song.mp3"}));
    ASSERT_EQ(outcome.placed.size(), 2u);
    EXPECT_EQ(outcome.placed[0].destination, out.Path("Song.mp3"));
    EXPECT_EQ(outcome.placed[1].destination, out.Path("Other(0).mp3"));
    EXPECT_EQ(outcome.placed[1].row, 1u);
    // Every checked row is still announced.
    EXPECT_EQ(run->sink.NextCount(), 2);
}

TEST_F(SkipIdenticalTest, SameSizeOtherBytesGetsANumberedNameAndTheDefaultCopiesAgain) {
    TrackTable table;
    table.Add({u"Song", std::nullopt, std::nullopt, DeviceFile("F00/A.mp3", "abcdef"), true});
    out.Write("Song.mp3", "abcdeX");
    const CopyOutcome& changed = Run(table, true);
    EXPECT_EQ(changed.copiedCount, 1u);
    EXPECT_EQ(changed.skippedCount, 0u);
    EXPECT_EQ(out.Read("Song(0).mp3"), "abcdef");
    ASSERT_EQ(changed.placed.size(), 1u);
    EXPECT_EQ(changed.placed[0].destination, out.Path("Song(0).mp3"));

    // Now Song(0).mp3 holds it; a second run with the option adds nothing,
    // one without it numbers a new copy as before.
    EXPECT_EQ(Run(table, true).skippedCount, 1u);
    EXPECT_EQ(out.List(), (Strings{"Song(0).mp3", "Song.mp3"}));
    EXPECT_EQ(Run(table, false).copiedCount, 1u);
    EXPECT_EQ(out.List(), (Strings{"Song(0).mp3", "Song(1).mp3", "Song.mp3"}));
}

TEST_F(SkipIdenticalTest, OrganizedFoldersAndMissingSourcesBehaveAsWithoutTheOption) {
    TrackTable table;
    table.Add({u"Song", u"Band", u"Rec", DeviceFile("F00/A.mp3", "bytes"), true});
    table.Add({u"Gone", u"Band", u"Rec", FromUtf8(device.Path("F00/none.mp3")), true});
    out.Write("Band/Rec/Song.mp3", "bytes");
    const CopyOutcome& outcome = Run(table, true, true);
    EXPECT_EQ(outcome.skippedCount, 1u);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::SourceMissing);
}

TEST_F(SkipIdenticalTest, GapsInTheNumberingAndEveryNameTakenStillFindTheCopy) {
    // Ten thousand names are made quickly only in memory.
    ScopedTmpfs memory(out.Path(), "size=64m");
    if (!memory.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    TrackTable table;
    table.Add({u"Other", u"Band", u"Rec", DeviceFile("F00/A.mp3", "other bytes"), true});
    table.Add({u"Full", u"Band", u"Rec", DeviceFile("F00/B.mp3", "full bytes"), true});
    table.Add({u"Full", u"Band", u"Rec", DeviceFile("F00/C.mp3", "not there"), true});
    out.Write("Other(3).mp3", "other bytes");
    // Same size as the row's file, other bytes.
    out.Write("Other(1).mp3", "OTHER BYTES");
    for (int counter = -1; counter < kMaxNameLookups - 1; ++counter)
        ::close(::creat(out.Path(CandidateFileName("Full", counter, ".mp3")).c_str(), 0644));
    out.Write("Full(9000).mp3", "full bytes");

    const CopyOutcome& outcome = Run(table, true);

    EXPECT_EQ(outcome.skippedCount, 2u);
    EXPECT_EQ(outcome.copiedCount, 0u);
    ASSERT_EQ(outcome.placed.size(), 2u);
    EXPECT_EQ(outcome.placed[0].destination, out.Path("Other(3).mp3"));
    EXPECT_EQ(outcome.placed[1].destination, out.Path("Full(9000).mp3"));
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::NoFreeName);
}

TEST(SameContentTest, ComparesBeyondTheFirstChunk) {
    ScratchFolder folder;
    std::string big(200000, 'x');
    folder.Write("a", big);
    folder.Write("b", big);
    EXPECT_TRUE(SameContent(folder.Path("a"), folder.Path("b")));
    big[150000] = 'y';
    folder.Write("c", big);
    EXPECT_FALSE(SameContent(folder.Path("a"), folder.Path("c")));
    folder.Write("d", big + "z");
    EXPECT_FALSE(SameContent(folder.Path("c"), folder.Path("d")));
    EXPECT_FALSE(SameContent(folder.Path("a"), folder.Path("missing")));
}

} // namespace
