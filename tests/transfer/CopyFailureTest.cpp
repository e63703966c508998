#include "WorkerHarness.h"
#include "support/ScopedFatVolume.h"
#include "support/ScopedTmpfs.h"
#include "support/ScratchFolder.h"

#include "library/Utf16.h"
#include "support/ChildProcess.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

// Writes `limit` bytes through the kernel's copier, then reports `failure`:
// a device that gives out part-way.
class FailingCopier : public ByteCopier {
public:
    FailingCopier(size_t limit, ByteCopyResult failure) : limit_(limit), failure_(failure) {}
    ByteCopyResult Copy(int from, int to, uint64_t, const std::atomic<bool>&) override {
        std::string buffer(limit_, '\0');
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n > 0 && ::write(to, buffer.data(), static_cast<size_t>(n)) != n)
            return ByteCopyResult::WriteFailed;
        return failure_;
    }

private:
    size_t limit_;
    ByteCopyResult failure_;
};

// One exit code that says how a child's walk went: copies and first failure.
int Summary(const CopyOutcome& outcome) {
    const int reason =
        outcome.failures.empty() ? 0 : static_cast<int>(outcome.failures.front().reason);
    return static_cast<int>(outcome.copiedCount) * 10 + reason;
}
int Summary(uint32_t copied, CopyFailureReason reason) {
    return static_cast<int>(copied) * 10 + static_cast<int>(reason);
}

bool NoTemporaryFiles(const Strings& entries) {
    for (const std::string& entry : entries)
        if (entry.find(".part") != std::string::npos)
            return false;
    return true;
}

class CopyFailureTest : public ::testing::Test {
protected:
    std::u16string DeviceFile(const std::string& name, const std::string& content) {
        return FromUtf8(device.Write(name, content));
    }

    // Three runs of 25 rows of one title, started at once into `folder`: every
    // run copies all its rows, and every track is there afterwards.
    void ExpectRunsAtOnceKeepEveryTrack(const std::string& relative, bool overwrite) {
        const std::string folder = out.Path(relative);
        constexpr int kRuns = 3, kRows = 25;
        std::vector<pid_t> children;
        // The runs begin together, and overwriting ones copy slowly enough
        // to overlap: a run that has ended is an earlier run to the next.
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        for (int r = 0; r < kRuns; ++r) {
            TrackTable table;
            for (int i = 0; i < kRows; ++i) {
                // Appended: GCC 12's -Wrestrict misreads an inlined "R" + std::string.
                std::string name = "R";
                name += std::to_string(r) + "-" + std::to_string(i);
                table.Add({u"Dup", u"A", u"B", DeviceFile("F00/" + name + ".mp3", name), true});
            }
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(start[1]);
                char go = 0;
                [[maybe_unused]] const ssize_t got = ::read(start[0], &go, 1);
                WorkerRun run(table, folder, false, overwrite);
                WatchingCopier copier(
                    [](int) { std::this_thread::sleep_for(std::chrono::milliseconds(2)); });
                if (overwrite)
                    run.job.byteCopier = &copier;
                ::_exit(static_cast<int>(run.Run().copiedCount));
            }
            children.push_back(pid);
        }
        ::close(start[0]);
        ::close(start[1]);
        for (pid_t pid : children) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kRows) << status;
        }
        std::set<std::string> contents;
        for (const std::string& name : out.List(relative))
            contents.insert(out.Read(relative + name));
        EXPECT_EQ(contents.size(), size_t{kRuns * kRows}) << overwrite;
        EXPECT_TRUE(NoTemporaryFiles(out.List(relative)));
    }

    ScratchFolder device;
    ScratchFolder out;
};

TEST_F(CopyFailureTest, VanishedAndUnreadableSourcesAreReportedAndTheWalkGoesOn) {
    const std::u16string vanishing = DeviceFile("F00/GONE.mp3", "gone");
    ::mkfifo(device.Path("F00/PIPE.mp3").c_str(), 0666);
    ::mkdir(device.Path("F00/DIR.mp3").c_str(), 0777);
    TrackTable table;
    table.Add({u"First", u"A", u"B", DeviceFile("F00/A.mp3", "a"), true});
    table.Add({u"Gone", u"A", u"B", vanishing, true});
    table.Add({u"Pipe", u"A", u"B", FromUtf8(device.Path("F00/PIPE.mp3")), true});
    table.Add({u"Dir", u"A", u"B", FromUtf8(device.Path("F00/DIR.mp3")), true});
    table.Add({u"Nowhere", u"A", u"B", std::nullopt, true});
    table.Add({u"Last", u"A", u"B", DeviceFile("F00/Z.mp3", "z"), true});
    WorkerRun run(table, out.Path(), false, false);
    // The file disappears after the walk has started, as with a pulled cable.
    run.sink.onNext = [&](int announced) {
        if (announced == 2)
            ::unlink(ToUtf8(vanishing).c_str());
    };
    const CopyOutcome& outcome = run.Run();

    EXPECT_EQ(outcome.copiedCount, 2u);
    ASSERT_EQ(outcome.failedCount, 4u);
    ASSERT_EQ(outcome.failures.size(), 4u);
    EXPECT_EQ(outcome.failures[0].row, 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::SourceMissing);
    EXPECT_EQ(outcome.failures[0].title, "Gone");
    EXPECT_EQ(outcome.failures[1].reason, CopyFailureReason::SourceUnreadable);
    EXPECT_EQ(outcome.failures[2].reason, CopyFailureReason::SourceUnreadable);
    EXPECT_EQ(outcome.failures[3].reason, CopyFailureReason::SourceMissing);
    EXPECT_STREQ(CopyFailureText(outcome.failures[3].reason), "source missing");
    EXPECT_EQ(out.List(), (Strings{"First.mp3", "Last.mp3"}));
    EXPECT_EQ(run.sink.posts.back(), COPY_DONE);
}

TEST_F(CopyFailureTest, InterruptedCopyLeavesNoFileAndNamesTheCause) {
    const std::string content(100000, 'm');
    const struct {
        ByteCopyResult failure;
        CopyFailureReason reason;
    } cases[] = {{ByteCopyResult::NoSpace, CopyFailureReason::DiskFull},
                 {ByteCopyResult::ReadFailed, CopyFailureReason::SourceUnreadable},
                 {ByteCopyResult::WriteFailed, CopyFailureReason::DestinationNotWritable}};
    for (const auto& c : cases) {
        out.Write("Song.mp3", "kept");
        TrackTable table;
        table.Add({u"Song", u"A", u"B", DeviceFile("F00/A.mp3", content), true});
        WorkerRun run(table, out.Path(), false, true);
        FailingCopier copier(4096, c.failure);
        run.job.byteCopier = &copier;
        const CopyOutcome& outcome = run.Run();
        ASSERT_EQ(outcome.failures.size(), 1u);
        EXPECT_EQ(outcome.failures[0].reason, c.reason);
        // Even in overwrite mode the old file stays whole and no part is left.
        EXPECT_EQ(out.List(), Strings{"Song.mp3"});
        EXPECT_EQ(out.Read("Song.mp3"), "kept");
    }
}

// Copies the first half of the source and says all went well.
class HalfCopier : public ByteCopier {
public:
    ByteCopyResult Copy(int from, int to, uint64_t size, const std::atomic<bool>&) override {
        std::string buffer(size / 2, '\0');
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        return n > 0 && ::write(to, buffer.data(), size_t(n)) == n ? ByteCopyResult::Ok
                                                                   : ByteCopyResult::WriteFailed;
    }
};

TEST_F(CopyFailureTest, SourceThatShrinksWhileCopyingFailsTheRowAndLeavesNothing) {
    const std::string content(3000000, 's');
    const std::u16string source = DeviceFile("F00/A.mp3", content);
    // The device truncates the file after it was opened, as a failing FUSE
    // volume does: every way of the kernel's copier meets an early end.
    WatchingCopier shrinking([&](int) { ::truncate(ToUtf8(source).c_str(), 1000000); });
    HalfCopier half;
    for (ByteCopier* copier :
         {static_cast<ByteCopier*>(&shrinking), static_cast<ByteCopier*>(&half)}) {
        for (bool overwrite : {false, true}) {
            device.Write("F00/A.mp3", content);
            TrackTable table;
            table.Add({u"Song", u"A", u"B", source, true});
            WorkerRun run(table, out.Path(), false, overwrite);
            run.job.byteCopier = copier;
            const CopyOutcome& outcome = run.Run();
            EXPECT_EQ(outcome.copiedCount, 0u);
            ASSERT_EQ(outcome.failures.size(), 1u);
            EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::SourceUnreadable);
            EXPECT_TRUE(out.List().empty());
        }
    }
}

TEST_F(CopyFailureTest, FullDiskFailsOnlyTheFileThatDoesNotFit) {
    TrackTable table;
    table.Add({u"Small", u"A", u"B", DeviceFile("F00/A.mp3", std::string(10000, 's')), true});
    table.Add({u"Big", u"A", u"B", DeviceFile("F00/B.mp3", std::string(2000000, 'b')), true});
    table.Add({u"Tail", u"A", u"B", DeviceFile("F00/C.mp3", std::string(20000, 't')), true});
    // A file size limit makes the kernel refuse the big file with EFBIG, as
    // a full volume refuses it with ENOSPC.
    const int status = RunInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit { 1000000, 1000000 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WorkerRun run(table, out.Path(), true, false);
        return Summary(run.Run());
    });
    EXPECT_EQ(status, Summary(2, CopyFailureReason::DiskFull));
    EXPECT_EQ(out.List("A/B"), (Strings{"Small.mp3", "Tail.mp3"}));
    EXPECT_EQ(out.Read("A/B/Tail.mp3"), std::string(20000, 't'));
}

TEST_F(CopyFailureTest, FullTmpfsFailsOnlyTheFileThatDoesNotFit) {
    const std::string small = out.Path("small/");
    ScopedTmpfs tmpfs(small, "size=1m");
    if (!tmpfs.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    TrackTable table;
    table.Add({u"Big", u"A", u"B", DeviceFile("F00/B.mp3", std::string(1500000, 'b')), true});
    table.Add({u"Small", u"A", u"B", DeviceFile("F00/A.mp3", std::string(30000, 's')), true});
    WorkerRun run(table, small, false, false);
    const CopyOutcome& outcome = run.Run();
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::DiskFull);
    EXPECT_EQ(out.List("small"), Strings{"Small.mp3"});
}

TEST_F(CopyFailureTest, RunningOutOfInodesIsADiskFull) {
    const std::string small = out.Path("few/");
    ScopedTmpfs tmpfs(small, "size=4m,nr_inodes=4");
    if (!tmpfs.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    TrackTable table;
    for (const char16_t* artist : {u"A", u"B", u"C", u"D", u"E"})
        table.Add({u"Song", artist, u"Album", DeviceFile("F00/A.mp3", "a"), true});
    WorkerRun run(table, small, true, false);
    const CopyOutcome& outcome = run.Run();
    ASSERT_FALSE(outcome.failures.empty());
    for (const CopyFailure& failure : outcome.failures)
        EXPECT_EQ(failure.reason, CopyFailureReason::DiskFull) << failure.destination;
}

TEST_F(CopyFailureTest, UnwritableDestinationIsReported) {
    TrackTable table;
    table.Add({u"Song", u"A", u"B", DeviceFile("F00/A.mp3", "a"), true});
    const std::string locked = out.Path("locked/");
    const int status = RunWithLockedFolder(locked, {device.Path(), out.Path()}, [&] {
        WorkerRun organized(table, locked, true, false);
        WorkerRun flat(table, locked, false, false);
        const int first = Summary(organized.Run());
        return first == Summary(flat.Run()) ? first : 98;
    });
    EXPECT_EQ(status, Summary(0, CopyFailureReason::DestinationNotWritable));
    EXPECT_TRUE(out.List("locked").empty());
}

TEST_F(CopyFailureTest, OutputUnderAFileIsReportedNotSearchedTenThousandTimes) {
    out.Write("file", "x");
    TrackTable table;
    table.Add({u"Song", u"A", u"B", DeviceFile("F00/A.mp3", "a"), true});
    WorkerRun run(table, out.Path("file/"), false, false);
    const CopyOutcome& outcome = run.Run();
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::DestinationNotWritable);
}

TEST_F(CopyFailureTest, NoFreeNameFailsTheRowAndReplacesNothing) {
    // Ten thousand files are made much faster in memory where that is possible.
    ScopedTmpfs fast(out.Path("names/"), "size=64m");
    const std::string folder = out.Path("names/");
    out.Write("names/T.mp3", "taken");
    for (int n = 0; n <= 9998; ++n)
        ::close(::creat((folder + "T(" + std::to_string(n) + ").mp3").c_str(), 0644));
    TrackTable table;
    table.Add({u"T", u"A", u"B", DeviceFile("F00/A.mp3", "new"), true});
    table.Add({u"U", u"A", u"B", DeviceFile("F00/B.mp3", "u"), true});
    WorkerRun run(table, folder, false, false);
    const CopyOutcome& outcome = run.Run();
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::NoFreeName);
    EXPECT_EQ(outcome.copiedCount, 1u);
    EXPECT_EQ(out.Read("names/T.mp3"), "taken");
    EXPECT_EQ(out.Read("names/T(9998).mp3"), "");
    EXPECT_EQ(out.Read("names/U.mp3"), "u");
    EXPECT_EQ(out.List("names").size(), 10001u);
}

TEST_F(CopyFailureTest, NameTakenDuringTheCopyIsNotReplaced) {
    TrackTable table;
    table.Add({u"T", u"A", u"B", DeviceFile("F00/A.mp3", "ours"), true});
    WorkerRun run(table, out.Path(), false, false);
    // Another program creates the chosen name while the bytes are moving.
    WatchingCopier copier([&](int) { out.Write("T.mp3", "theirs"); });
    run.job.byteCopier = &copier;
    EXPECT_EQ(run.Run().copiedCount, 1u);
    EXPECT_EQ(out.Read("T.mp3"), "theirs");
    EXPECT_EQ(out.Read("T(0).mp3"), "ours");
    EXPECT_TRUE(NoTemporaryFiles(out.List()));
}

} // namespace

namespace {

class FatVolumeTest : public CopyFailureTest {
protected:
    void SetUp() override {
        if (!fat.Mounted())
            GTEST_SKIP() << "neither a loop-mounted vfat nor fusefat can be mounted here";
    }
    const std::string folder = out.Path("fat/");
    ScopedFatVolume fat{out.Path("fat")};
};

TEST_F(FatVolumeTest, OverwriteKeepsEveryTrackWhoseNamesCollapse) {
    std::ofstream(folder + "song.mp3") << "from before the run";
    TrackTable table;
    table.Add({u"Song", u"A", u"B", DeviceFile("F00/A.mp3", "first"), true});
    table.Add({u"SONG", u"A", u"B", DeviceFile("F00/B.mp3", "second"), true});
    table.Add({u"song", u"A", u"B", DeviceFile("F00/C.mp3", "third"), true});
    table.Add({u"Song", u"A", u"B", DeviceFile("F00/D.mp3", "fourth"), true});
    WorkerRun run(table, folder, false, true);
    EXPECT_EQ(run.Run().copiedCount, 4u);
    Strings contents;
    for (const std::string& name : out.List("fat"))
        contents.push_back(out.Read("fat/" + name));
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (Strings{"first", "fourth", "second", "third"}));
}

TEST_F(CopyFailureTest, AFullFatVolumeIsADiskFull) {
    ScopedFatVolume small(out.Path("small"), "2M");
    if (!small.Mounted())
        GTEST_SKIP() << "neither a loop-mounted vfat nor fusefat can be mounted here";
    TrackTable table;
    table.Add({u"Big", u"A", u"B", DeviceFile("F00/A.mp3", std::string(3 << 20, 'b')), true});
    WorkerRun run(table, out.Path("small/"), false, false);
    const CopyOutcome& outcome = run.Run();
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].reason, CopyFailureReason::DiskFull);
    EXPECT_TRUE(out.List("small").empty());
}

TEST_F(FatVolumeTest, ThreeRunsAtOnceNeverReplaceEachOthersFiles) {
    ExpectRunsAtOnceKeepEveryTrack("fat/", false);
}

// On a volume of their own, so that they too start from a root folder that
// holds only the file from before them.
TEST_F(FatVolumeTest, ThreeOverwritingRunsAtOnceKeepEveryTrack) {
    ScopedFatVolume second(out.Path("fat2"));
    ASSERT_TRUE(second.Mounted());
    // Only this one may go.
    out.Write("fat2/Dup.mp3", "from before the runs");
    ExpectRunsAtOnceKeepEveryTrack("fat2/", true);
}

TEST_F(CopyFailureTest, ThreeOverwritingRunsAtOnceKeepEveryTrack) {
    ExpectRunsAtOnceKeepEveryTrack("", true);
}

} // namespace

namespace {

TEST_F(CopyFailureTest, AbortStopsTheFileBeingCopiedAndLeavesNothing) {
    TrackTable table;
    table.Add({u"First", u"A", u"B", DeviceFile("F00/A.mp3", std::string(40 << 20, 'a')), true});
    table.Add({u"Second", u"A", u"B", DeviceFile("F00/B.mp3", "b"), true});
    WorkerRun run(table, out.Path(), true, false);
    // The user stops hard while the bytes of the first file are moving.
    WatchingCopier copier([&](int) { run.job.abortRequested = true; });
    run.job.byteCopier = &copier;
    const CopyOutcome& outcome = run.Run();
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.copiedCount, 0u);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(run.sink.posts, (std::vector<int>{COPY_NEXT, COPY_DONE}));
    EXPECT_EQ(out.List(), (Strings{"A/", "A/B/"}));
}

TEST_F(CopyFailureTest, TemporaryFilesOfDeadProcessesAreRemovedFromTheFoldersWrittenTo) {
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string deadName = ".corvane-" + std::to_string(dead) + "-3-0badf00d.part";
    const std::string liveName = ".corvane-" + std::to_string(::getppid()) + "-0-12345678.part";
    for (const char* folder : {"", "A/B/", "Other/"}) {
        out.Write(folder + deadName, "left by a killed run");
        out.Write(folder + liveName, "still being copied");
    }
    out.Write(".corvane-notes.part", "not ours");
    TrackTable table;
    table.Add({u"Flat", u"A", u"B", DeviceFile("F00/A.mp3", "a"), true});
    WorkerRun flat(table, out.Path(), false, false);
    WorkerRun organized(table, out.Path(), true, false);
    flat.Run();
    organized.Run();
    // "Other" is not written to in this run, so its files wait for one that is.
    Strings expected{".corvane-notes.part", "A/",       "A/B/",   "A/B/" + liveName,
                     "A/B/Flat.mp3",        "Flat.mp3", "Other/", "Other/" + deadName,
                     "Other/" + liveName,   liveName};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(out.List(), expected);
}

} // namespace
