#include "WorkerHarness.h"
#include "support/ScopedTmpfs.h"
#include "support/ScratchFolder.h"
#include "transfer/FreeName.h"
#include "transfer/RunNames.h"

#include "library/TrackTableLock.h"
#include "library/Utf16.h"

#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;

class CopyWorkerTest : public ::testing::Test {
protected:
    // A device file with distinct content; returns its location as the database gives it.
    std::u16string DeviceFile(const std::string& name, const std::string& content = "") {
        return FromUtf8(device.Write(name, content.empty() ? "music of " + name : content));
    }

    ScratchFolder device;
    ScratchFolder out;
};

bool LockFreeForOtherThreads() {
    return std::async(std::launch::async,
                      [] {
                          const bool taken = g_trackTableLock.try_lock();
                          if (taken)
                              g_trackTableLock.unlock();
                          return taken;
                      })
        .get();
}

TEST_F(CopyWorkerTest, CopiesCheckedRowsInTableOrderWithOneNextEachAndOneDoneLast) {
    TrackTable table;
    table.Add({u"Three", u"Band", u"Rec", DeviceFile("F00/C.mp3"), true});
    table.Add({u"Skipped", u"Band", u"Rec", DeviceFile("F00/X.mp3"), false});
    table.Add({u"One", u"Band", u"Rec", DeviceFile("F01/A.m4a"), true});
    table.Add({u"Two", u"Band", u"Rec", DeviceFile("F02/B.mp3"), true});
    WorkerRun run(table, out.Path(), false, false);
    // At each announcement exactly the earlier checked rows are on disk: the
    // walk follows the table's (sorted) order and announces before copying.
    std::vector<Strings> seen;
    run.sink.onNext = [&](int) { seen.push_back(out.List()); };

    const CopyOutcome& outcome = run.Run();

    EXPECT_EQ(run.sink.posts, (std::vector<int>{COPY_NEXT, COPY_NEXT, COPY_NEXT, COPY_DONE}));
    EXPECT_EQ(seen, (std::vector<Strings>{{}, {"Three.mp3"}, {"One.m4a", "Three.mp3"}}));
    EXPECT_EQ(out.List(), (Strings{"One.m4a", "Three.mp3", "Two.mp3"}));
    EXPECT_EQ(out.Read("One.m4a"), "music of F01/A.m4a");
    EXPECT_EQ(outcome.copiedCount, 3u);
    EXPECT_EQ(outcome.failedCount, 0u);
    EXPECT_FALSE(outcome.cancelled);
}

TEST_F(CopyWorkerTest, NothingCheckedOrNoRowsPostsOnlyDone) {
    TrackTable table;
    table.Add({u"T", u"A", u"B", DeviceFile("F00/A.mp3"), false});
    WorkerRun run(table, out.Path(), true, false);
    run.Run();
    EXPECT_EQ(run.sink.posts, std::vector<int>{COPY_DONE});
    EXPECT_TRUE(out.List().empty());

    TrackTable empty;
    WorkerRun none(empty, out.Path(), true, false);
    EXPECT_EQ(none.Run().copiedCount, 0u);
    EXPECT_EQ(none.sink.posts, std::vector<int>{COPY_DONE});
}

TEST_F(CopyWorkerTest, TakenNamesGetCountersFromZeroAndFoldersCountAsTaken) {
    ::mkdir(out.Path("T.mp3").c_str(), 0777);
    TrackTable table;
    for (const char* source : {"F00/A.mp3", "F00/B.mp3", "F00/C.mp3"})
        table.Add({u"T", u"A", u"B", DeviceFile(source), true});
    WorkerRun run(table, out.Path(), false, false);
    run.Run();
    EXPECT_EQ(out.List(), (Strings{"T(0).mp3", "T(1).mp3", "T(2).mp3", "T.mp3/"}));
    EXPECT_EQ(out.Read("T(0).mp3"), "music of F00/A.mp3");
    EXPECT_EQ(out.Read("T(2).mp3"), "music of F00/C.mp3");
}

TEST(FreeNameSearch, StartsPastTheNumbersThisRunKnowsAreTaken) {
    ScratchFolder out;
    RunNames names;
    std::string path;
    const auto take = [&] {
        EXPECT_EQ(FindFreeName(out.Path(), "T", ".mp3", names, path), FreeNameResult::Found);
        out.Write(path.substr(out.Path().size()), "x");
        return path.substr(out.Path().size());
    };
    EXPECT_EQ(take(), "T.mp3");
    EXPECT_EQ(take(), "T(0).mp3");
    // Gone since is not looked at again; taken since by someone else still is.
    ::unlink(out.Path("T.mp3").c_str());
    out.Write("T(1).mp3", "theirs");
    EXPECT_EQ(take(), "T(2).mp3");
    EXPECT_EQ(FindFreeName(out.Path(), "U", ".mp3", names, path), FreeNameResult::Found);
    EXPECT_EQ(path, out.Path("U.mp3"));
}

TEST_F(CopyWorkerTest, OverwriteReplacesOnlyFilesFromBeforeTheRun) {
    out.Write("T.mp3", "old");
    out.Write("t.mp3", "old too");
    TrackTable table;
    table.Add({u"T", u"A", u"B", DeviceFile("F00/A.mp3"), true});
    table.Add({u"T", u"A", u"B", DeviceFile("F00/B.mp3"), true});
    table.Add({u"t", u"A", u"B", DeviceFile("F00/C.mp3"), true});
    table.Add({u"U", u"A", u"B", DeviceFile("F00/D.mp3"), true});
    WorkerRun run(table, out.Path(), false, true);
    EXPECT_EQ(run.Run().copiedCount, 4u);
    // A name this run wrote is numbered like any taken one. "t" may be "T"
    // on the output volume, and "t(0)" may be "T(0)", so both count as
    // written: "t" keeps the file from before and takes the next number.
    EXPECT_EQ(out.List(), (Strings{"T(0).mp3", "T.mp3", "U.mp3", "t(1).mp3", "t.mp3"}));
    EXPECT_EQ(out.Read("T.mp3"), "music of F00/A.mp3");
    EXPECT_EQ(out.Read("T(0).mp3"), "music of F00/B.mp3");
    EXPECT_EQ(out.Read("t.mp3"), "old too");
    EXPECT_EQ(out.Read("t(1).mp3"), "music of F00/C.mp3");
}

TEST_F(CopyWorkerTest, AnOverwritingReRunLandsOnTheNamesTheFirstRunGave) {
    TrackTable table;
    for (const char* file : {"F00/A.mp3", "F00/B.mp3", "F00/C.mp3"})
        table.Add({u"Same", u"A", u"B", DeviceFile(file), true});
    const Strings names = {"Same(0).mp3", "Same(1).mp3", "Same.mp3"};
    for (bool overwrite : {false, true, true}) {
        WorkerRun run(table, out.Path(), false, overwrite);
        EXPECT_EQ(run.Run().copiedCount, 3u);
        EXPECT_EQ(out.List(), names) << overwrite;
    }
    EXPECT_EQ(out.Read("Same(1).mp3"), "music of F00/C.mp3");
}

TEST_F(CopyWorkerTest, OrganizedCopiesGoToArtistAndAlbumFoldersWithFallbacks) {
    ::mkdir(out.Path("Band").c_str(), 0777);
    out.Write("Band/Record/Old.mp3", "earlier transfer");
    out.Write("Blocked", "a file where an artist folder would go");
    TrackTable table;
    table.Add({u"Song", u"Band", u"Record", DeviceFile("F00/A.m4a"), true});
    table.Add({u"NoArtist", std::nullopt, std::nullopt, DeviceFile("F00/B.mp3"), true});
    table.Add({u"EmptyArtist", u"", u"", DeviceFile("F00/C.mp3"), true});
    table.Add({u"Refused", u"Blocked", u"Album", DeviceFile("F00/D.mp3"), true});
    WorkerRun run(table, out.Path(), true, false);
    EXPECT_EQ(run.Run().copiedCount, 4u);
    EXPECT_EQ(
        out.List(),
        (Strings{"Band/", "Band/Record/", "Band/Record/Old.mp3", "Band/Record/Song.m4a", "Blocked",
                 "Unknown Artist/", "Unknown Artist/Album/", "Unknown Artist/Album/Refused.mp3",
                 "Unknown Artist/Unknown Album/", "Unknown Artist/Unknown Album/EmptyArtist.mp3",
                 "Unknown Artist/Unknown Album/NoArtist.mp3"}));
    EXPECT_EQ(out.Read("Band/Record/Old.mp3"), "earlier transfer");
}

TEST_F(CopyWorkerTest, UntitledAndExtensionlessRowsGetVisibleNames) {
    TrackTable table;
    table.Add({std::nullopt, u"A", u"B", DeviceFile("F00/A.mp3"), true});
    table.Add({u"", u"A", u"B", DeviceFile("F00/B.mp3"), true});
    table.Add({u"Plain", u"A", u"B", DeviceFile("F.old/NOEXT"), true});
    WorkerRun run(table, out.Path(), false, false);
    EXPECT_EQ(run.Run().copiedCount, 3u);
    EXPECT_EQ(out.List(), (Strings{"Plain", "Unknown Title(0).mp3", "Unknown Title.mp3"}));
}

TEST_F(CopyWorkerTest, CraftedNamesNeverLeaveTheOutputFolder) {
    const std::string outputFolder = out.Path("music/");
    ::mkdir(outputFolder.c_str(), 0777);
    TrackTable table;
    table.Add({u"../../escaped", u"..", u"../..", DeviceFile("F00/A.mp3"), true});
    table.Add({u"/etc/passwd", u"/", u"/tmp", DeviceFile("F00/B.mp3"), true});
    table.Add({u"..", u".", u"..\\..", DeviceFile("F00/C.mp3"), true});
    table.Add({u"x", u"a\nb", u"c:d", FromUtf8(device.Write("F00/D.../x", "d")), true});
    std::u16string huge(400, u'n');
    table.Add({huge, huge, huge, DeviceFile("F00/E.flac"), true});
    WorkerRun run(table, outputFolder, true, false);
    EXPECT_EQ(run.Run().copiedCount, 5u);

    // Only the output folder exists beside nothing else in its parent.
    EXPECT_EQ(out.List().front(), "music/");
    for (const std::string& entry : out.List())
        EXPECT_EQ(entry.rfind("music/", 0), 0u) << entry;
    const Strings inside = out.List("music");
    EXPECT_EQ(inside[0], "Unknown Artist/");
    EXPECT_NE(std::find(inside.begin(), inside.end(), "Unknown Artist/.._/.._.._escaped.mp3"),
              inside.end());
    EXPECT_NE(std::find(inside.begin(), inside.end(), "_/_tmp/_etc_passwd.mp3"), inside.end());
    EXPECT_NE(std::find(inside.begin(), inside.end(), "Unknown Artist/.._/Unknown Title.mp3"),
              inside.end());
    EXPECT_NE(std::find(inside.begin(), inside.end(), "a_b/c_d/x"), inside.end());
    EXPECT_NE(std::find(inside.begin(), inside.end(),
                        std::string(255, 'n') + "/" + std::string(255, 'n') + "/" +
                            std::string(250, 'n') + ".flac"),
              inside.end());
}

TEST_F(CopyWorkerTest, CancelStopsBeforeTheNextRowAndTheCurrentFileCompletes) {
    TrackTable table;
    for (const char* name : {"F00/1.mp3", "F00/2.mp3", "F00/3.mp3", "F00/4.mp3", "F00/5.mp3"})
        table.Add({std::u16string(1, name[4]), u"A", u"B",
                   DeviceFile(name, std::string(300000, name[4])), true});
    WorkerRun run(table, out.Path(), false, false);
    WatchingCopier copier([&](int copy) {
        if (copy == 3)
            run.job.cancelRequested = true;
    });
    run.job.byteCopier = &copier;
    const CopyOutcome& outcome = run.Run();
    EXPECT_EQ(run.sink.posts, (std::vector<int>{COPY_NEXT, COPY_NEXT, COPY_NEXT, COPY_DONE}));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.copiedCount, 3u);
    EXPECT_EQ(out.List(), (Strings{"1.mp3", "2.mp3", "3.mp3"}));
    EXPECT_EQ(out.Read("3.mp3"), std::string(300000, '3'));
}

TEST_F(CopyWorkerTest, LockIsHeldWhileSettlingTheNameAndFreeDuringTheCopy) {
    TrackTable table;
    table.Add({u"A", u"X", u"Y", DeviceFile("F00/A.mp3"), true});
    table.Add({u"B", u"X", u"Y", DeviceFile("F00/B.mp3"), true});
    WorkerRun run(table, out.Path(), true, false);
    std::vector<bool> freeAtNext, freeAtCopy;
    run.sink.onNext = [&](int) { freeAtNext.push_back(LockFreeForOtherThreads()); };
    WatchingCopier copier([&](int) { freeAtCopy.push_back(LockFreeForOtherThreads()); });
    run.job.byteCopier = &copier;
    run.Run();
    EXPECT_EQ(freeAtNext, (std::vector<bool>{false, false}));
    EXPECT_EQ(freeAtCopy, (std::vector<bool>{true, true}));
    EXPECT_TRUE(LockFreeForOtherThreads());
}

TEST_F(CopyWorkerTest, CopiesKeepBytesAndModificationTimeWithinAndAcrossFileSystems) {
    std::string big(5 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>((i * 131) ^ (i >> 9));
    const std::u16string location = DeviceFile("F00/BIG.mp3", big);
    const struct timespec times[2] = {{1000000000, 0}, {1234567890, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, ToUtf8(location).c_str(), times, 0), 0);
    TrackTable table;
    table.Add({u"Big", u"A", u"B", location, true});
    table.Add({u"Empty", u"A", u"B", FromUtf8(device.Write("F00/EMPTY.mp3", "")), true});
    // A source on another file system takes the copy's fallback ways.
    ScopedTmpfs otherVolume(device.Path("other"), "size=16m");
    if (otherVolume.Mounted())
        table.Add({u"Other", u"A", u"B", DeviceFile("other/BIG.mp3", big), true});
    WorkerRun run(table, out.Path(), false, false);
    EXPECT_EQ(run.Run().failedCount, 0u);
    EXPECT_EQ(out.Read("Big.mp3"), big);
    EXPECT_EQ(out.Read("Empty.mp3"), "");
    if (otherVolume.Mounted()) {
        EXPECT_EQ(out.Read("Other.mp3"), big);
    }
    struct stat st {};
    ASSERT_EQ(::stat(out.Path("Big.mp3").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1234567890);
}

} // namespace
