#include "cli/RunCli.h"
#include "library/Utf16.h"
#include "support/ChildProcess.h"
#include "support/SampleDevice.h"
#include "support/ScopedHangingMirror.h"
#include "support/ScopedTmpfs.h"
#include "support/ScratchFolder.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Strings = std::vector<std::string>;

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

class CliCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteSampleDevice(device.Path("ipod"))); }

    CliRun Copy(Strings args) {
        args.insert(args.begin(), {"copy", "--device", device.Path("ipod")});
        return RunCli(args, "");
    }

    ScratchFolder device;
    ScratchFolder out;
};

TEST_F(CliCopyTest, CopiesTheWholePlaylistOrTheChosenRows) {
    const CliRun all = Copy({"--to", out.Path("all"), "--organize"});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, "copied 12, failed 0, cancelled 0 of 12 into " + out.Path("all/") + "\n");
    EXPECT_EQ(
        out.List("all/Miles Davis"),
        (Strings{"Kind of Blue/", "Kind of Blue/Blue in Green.mp3", "Kind of Blue/So What.mp3"}));
    // Without a terminal, progress is one plain line per file.
    EXPECT_TRUE(HasLine(all.err, "copying 1/12: Blue in Green - Miles Davis")) << all.err;
    EXPECT_TRUE(HasLine(all.err, "copying 12/12: Last Track - Nobody")) << all.err;

    // Playlist 2 is "Road Trip": So What, Ça plane pour moi, Smile, 夜に駆ける.
    const CliRun some = Copy({"--playlist", "2", "--to", out.Path("some"), "--only", "4,2"});
    EXPECT_EQ(some.exitCode, 0) << some.err;
    EXPECT_EQ(out.List("some"), (Strings{"Ça plane pour moi.mp3", "夜に駆ける.m4a"}));

    // Again into the same folder: numbered, or replaced with --overwrite.
    Copy({"--playlist", "2", "--to", out.Path("some"), "--only", "2"});
    Copy({"--playlist", "2", "--to", out.Path("some"), "--only", "4", "--overwrite"});
    EXPECT_EQ(out.List("some"),
              (Strings{"Ça plane pour moi(0).mp3", "Ça plane pour moi.mp3", "夜に駆ける.m4a"}));
}

TEST_F(CliCopyTest, BadArgumentsAndFoldersExitWithUsageBeforeCopying) {
    out.Write("file", "x");
    const CliRun file = Copy({"--to", out.Path("file")});
    EXPECT_EQ(file.exitCode, 2);
    EXPECT_EQ(file.err,
              "Invalid output folder \"" + out.Path("file") + "\", please select a valid one!\n");
    EXPECT_EQ(Copy({}).exitCode, 2);
    EXPECT_EQ(Copy({"--to", out.Path("x"), "--only", "13"}).exitCode, 2);
    EXPECT_EQ(Copy({"--to", out.Path("x"), "--only", "1,,2"}).exitCode, 2);
    EXPECT_EQ(Copy({"--to", out.Path("x"), "--playlist", "9"}).exitCode, 2);
    // Nothing is created for a run that never gets to copy.
    const CliRun noDevice =
        RunCli({"copy", "--device", device.Path("none"), "--to", out.Path("x")}, "");
    EXPECT_EQ(noDevice.exitCode, 3);
    EXPECT_EQ(out.List(), Strings{"file"});
}

TEST_F(CliCopyTest, TheDeviceItselfIsNeverAnOutputFolder) {
    ASSERT_EQ(::symlink(device.Path("ipod/iPod_Control").c_str(), out.Path("link").c_str()), 0);
    const std::string itunes = device.Path("ipod/iPod_Control/iTunes");
    // However the rows were read: the music files' tags leave no database
    // path behind to find the device by.
    const std::vector<Strings> modes = {
        {"copy"}, {"copy", "--from-files"}, {"export-playlists", "--from-files"}};
    for (const Strings& mode : modes)
        for (const std::string& to : {device.Path("ipod"), itunes, itunes + "/new/deeper",
                                      out.Path("link/iTunes"), device.Path("ipod/../ipod/x")}) {
            Strings args = mode;
            args.insert(args.end(), {"--device", device.Path("ipod"), "--to", to, "--overwrite"});
            const CliRun run = RunCli(args, "");
            EXPECT_EQ(run.exitCode, 2) << mode.back() << " " << to;
            EXPECT_NE(run.err.find("is on the iPod at " + device.Path("ipod") + ";"),
                      std::string::npos)
                << run.err;
        }
    EXPECT_FALSE(std::filesystem::exists(itunes + "/new"));
    EXPECT_FALSE(std::filesystem::exists(device.Path("ipod/x")));
    EXPECT_EQ(device.List("ipod/iPod_Control/iTunes"), Strings{"iTunesDB"});
    // A folder beside the device is fine.
    EXPECT_EQ(Copy({"--to", device.Path("beside"), "--only", "1"}).exitCode, 0);
}

TEST_F(CliCopyTest, ADeviceThatIsAMountOwnsItsWholeFileSystem) {
    const std::string mount = out.Path("volume/");
    ScopedTmpfs volume(mount, "size=8m");
    if (!volume.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    ASSERT_TRUE(WriteSampleDevice(mount));
    // The same file system seen through another mount point is still the iPod.
    const std::string other = out.Path("other");
    ::mkdir((mount + "spare").c_str(), 0777);
    ::mkdir(other.c_str(), 0777);
    ASSERT_EQ(::mount((mount + "spare").c_str(), other.c_str(), nullptr, MS_BIND, nullptr), 0);
    const CliRun run = RunCli({"copy", "--device", mount, "--to", other + "/music"}, "");
    ::umount(other.c_str());
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(mount + "spare"));
}

TEST_F(CliCopyTest, AHomeFolderTildeIsExpanded) {
    const char* savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    ::setenv("HOME", out.Path("home").c_str(), 1);
    const CliRun run = Copy({"--to", "~/Music/FromIPod", "--only", "1"});
    ::setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(out.List("home"),
              (Strings{"Music/", "Music/FromIPod/", "Music/FromIPod/Blue in Green.mp3"}));
}

TEST_F(CliCopyTest, AReadOnlyOutputFolderIsRefusedUpFront) {
    const std::string locked = out.Path("locked");
    // A checkout inside a private folder (mktemp -d) keeps the program out
    // of an ordinary user's reach; there the refusal cannot be watched.
    constexpr int kProgramOutOfReach = 97;
    const int status = RunWithLockedFolder(locked, {device.Path(), out.Path()}, [&] {
        if (::access(CORVANE_CLI_PATH, X_OK) != 0)
            return kProgramOutOfReach;
        const CliRun run = Copy({"--to", locked});
        return run.err == "corvane-cli: the output folder " + locked + " is not writable\n"
                   ? run.exitCode
                   : 98;
    });
    if (status == kProgramOutOfReach)
        GTEST_SKIP() << "an ordinary user cannot run " << CORVANE_CLI_PATH << " from here";
    EXPECT_EQ(status, 2);
}

TEST_F(CliCopyTest, AFolderThatCannotBeMadeIsNamedInTheFailureLine) {
    out.Write("Miles Davis", "a file where the artist folder would go");
    out.Write("Unknown Artist", "and where its fallback would go");
    const CliRun run = Copy({"--to", out.Path(), "--only", "1", "--organize"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(HasLine(run.out, "failed: row 1 \"Blue in Green\": destination not writable (" +
                                     out.Path("Unknown Artist/") + ")"))
        << run.out;
}

TEST_F(CliCopyTest, RunningOutOfMemoryIsCalledThat) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space limit";
#else
    // A database file too large for the memory the run may have.
    const std::string db = device.Path("big/iPod_Control/iTunes/iTunesDB");
    device.Write("big/iPod_Control/iTunes/iTunesDB", "");
    ASSERT_EQ(::truncate(db.c_str(), off_t{1} << 31), 0);
    const int status = RunInChild([&] {
        const struct rlimit limit { size_t{1} << 30, size_t{1} << 30 };
        ::setrlimit(RLIMIT_AS, &limit);
        const CliRun run =
            RunCli({"copy", "--device", device.Path("big"), "--to", out.Path("x")}, "");
        return run.err == "corvane-cli: out of memory reading the database " + db + "\n"
                   ? run.exitCode
                   : 98;
    });
    EXPECT_EQ(status, 4);
#endif
}

TEST_F(CliCopyTest, FailedTracksAreListedAndTheExitCodeSaysSo) {
    ASSERT_EQ(::unlink(device.Path("ipod/iPod_Control/Music/F00/SOWH.mp3").c_str()), 0);
    const CliRun run = Copy({"--to", out.Path(), "--only", "1,2,3"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(HasLine(run.out, "copied 2, failed 1, cancelled 0 of 3 into " + out.Path()))
        << run.out;
    EXPECT_TRUE(HasLine(run.out, "failed: row 2 \"So What\": source missing (" +
                                     device.Path("ipod/iPod_Control/Music/F00/SOWH.mp3") + ")"))
        << run.out;
    EXPECT_EQ(out.List(), (Strings{"Blue in Green.mp3", "Für Elise.mp3"}));
}

// A track file, or its folder, may be a link; one that leads out of the
// device must not hand the computer's own files to the copy.
TEST_F(CliCopyTest, LinksOutOfTheDeviceAreSourcesMissing) {
    const std::string music = device.Path("ipod/iPod_Control/Music/");
    const ScratchFolder home;
    const std::string secret = home.Write("secret.mp3", "not on the iPod");
    ASSERT_EQ(::unlink((music + "F00/SOWH.mp3").c_str()), 0);
    ASSERT_EQ(::symlink(secret.c_str(), (music + "F00/SOWH.mp3").c_str()), 0);
    ASSERT_EQ(::rename((music + "F01").c_str(), (music + "F09").c_str()), 0);
    ASSERT_EQ(::symlink("F09", (music + "F01").c_str()), 0); // stays on the device
    const CliRun run = Copy({"--to", out.Path(), "--only", "1,2,3,4"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(HasLine(run.out, "copied 3, failed 1, cancelled 0 of 4 into " + out.Path()))
        << run.out;
    EXPECT_TRUE(
        HasLine(run.out, "failed: row 2 \"So What\": source missing (" + music + "F00/SOWH.mp3)"))
        << run.out;
    EXPECT_EQ(out.List(), (Strings{"Blue in Green.mp3", "Für Elise.mp3", "夜に駆ける.m4a"}));
}

// A device of many equal tracks, so that a copy runs long enough to interrupt.
bool WriteLongDevice(const std::string& root, int tracks, size_t bytes) {
    dbwriter::Database db;
    dbwriter::Playlist master{true, u"Long", {}};
    std::filesystem::create_directories(root + "/iPod_Control/iTunes");
    std::filesystem::create_directories(root + "/iPod_Control/Music/F00");
    for (int i = 0; i < tracks; ++i) {
        // Appended: GCC 12's -Wrestrict misreads an inlined "T" + std::string.
        std::string name = "T";
        name += std::to_string(i);
        dbwriter::Track track;
        track.id = 1000 + i;
        track.fileSize = static_cast<uint32_t>(bytes);
        track.title = FromUtf8("Track " + name);
        track.location = FromUtf8(":iPod_Control:Music:F00:" + name + ".mp3");
        db.tracks.push_back(track);
        master.items.push_back(track.id);
        std::ofstream(root + "/iPod_Control/Music/F00/" + name + ".mp3", std::ios::binary)
            << std::string(bytes, 'L');
    }
    db.playlists = {master};
    return dbwriter::WriteFile(root + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes);
}

TEST_F(CliCopyTest, TerminalControlsInTheDatabaseAreNotPrinted) {
    dbwriter::Database db;
    dbwriter::Track track;
    track.id = 7;
    track.fileSize = 3;
    track.title = u"Evil\x1b]0;owned\x07"
                  u"\u009b"
                  u"31m";
    track.artist = u"\x1b[2J";
    track.location = u":iPod_Control:Music:F00:EVIL.mp3";
    db.tracks = {track};
    db.playlists = {{true, u"Master", {7}}};
    const std::string root = device.Path("evil");
    device.Write("evil/iPod_Control/Music/F00/EVIL.mp3", "abc");
    device.Write("evil/iPod_Control/iTunes/iTunesDB", "");
    ASSERT_TRUE(
        dbwriter::WriteFile(root + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes));
    const CliRun run = RunCli({"copy", "--device", root, "--to", out.Path()}, "");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "copying 1/1: Evil?]0;owned??31m - ?[2J\n");
    EXPECT_EQ(out.List(), Strings{"Evil_]0;owned__31m.mp3"});
}

// corvane-cli copy running in the background: its summary goes to a file,
// its progress lines come through a pipe, read line by line.
class BackgroundCopy {
public:
    BackgroundCopy(const std::string& device, const std::string& target,
                   const std::string& summaryFile, bool closeProgress = false) {
        int errPipe[2];
        if (::pipe(errPipe) != 0)
            std::abort();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, summaryFile.c_str(), O_WRONLY | O_CREAT,
                                         0600);
        posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
        posix_spawn_file_actions_addclose(&actions, errPipe[0]);
        std::vector<std::string> argv = {CORVANE_CLI_PATH, "copy", "--device",
                                         device,           "--to", target};
        std::vector<char*> pointers;
        for (std::string& arg : argv)
            pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        // The reader that has gone away before the first line, as with | head.
        if (closeProgress)
            ::close(errPipe[0]);
        if (::posix_spawn(&pid_, CORVANE_CLI_PATH, &actions, nullptr, pointers.data(), environ) !=
            0)
            std::abort();
        posix_spawn_file_actions_destroy(&actions);
        ::close(errPipe[1]);
        err_ = closeProgress ? nullptr : ::fdopen(errPipe[0], "r");
    }
    ~BackgroundCopy() {
        if (err_)
            std::fclose(err_);
    }

    std::string ReadLine() {
        char line[512];
        return err_ && std::fgets(line, sizeof line, err_) ? line : "";
    }
    void Signal(int signal) { ::kill(pid_, signal); }
    // Reads what is left of the progress, then gives the exit status.
    int Wait() {
        while (!ReadLine().empty()) {
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = 0;
    FILE* err_ = nullptr;
};

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

// Every file copied is whole and no temporary file is left.
void ExpectOnlyWholeFiles(const std::string& folder, const Strings& names, uintmax_t bytes) {
    for (const std::string& name : names) {
        EXPECT_EQ(name.find(".part"), std::string::npos) << name;
        EXPECT_EQ(std::filesystem::file_size(folder + "/" + name), bytes) << name;
    }
}

TEST_F(CliCopyTest, CtrlCTermAndHupStopAfterTheCurrentFileWithASummary) {
    const std::string longDevice = device.Path("long");
    ASSERT_TRUE(WriteLongDevice(longDevice, 300, 256 * 1024));
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string target = out.Path("music" + std::to_string(signal));
        const std::string summaryFile = target + ".txt";
        BackgroundCopy copy(longDevice, target, summaryFile);
        // Interrupt as soon as the first file is announced.
        const std::string first = copy.ReadLine();
        EXPECT_TRUE(StartsWith(first, "copying 1/300: ")) << first;
        copy.Signal(signal);
        EXPECT_EQ(copy.Wait(), 128 + signal);
        const Strings copied = out.List("music" + std::to_string(signal));
        EXPECT_GE(copied.size(), 1u);
        EXPECT_LT(copied.size(), 300u);
        ExpectOnlyWholeFiles(target, copied, 256 * 1024);
        EXPECT_EQ(ScratchFolder::ReadFile(summaryFile),
                  "copied " + std::to_string(copied.size()) + ", failed 0, cancelled " +
                      std::to_string(300 - copied.size()) + " of 300 into " + target + "/\n");
    }
}

TEST_F(CliCopyTest, ASecondCtrlCAbandonsTheFileBeingCopied) {
    const std::string longDevice = device.Path("long");
    ASSERT_TRUE(WriteLongDevice(longDevice, 3, 1024));
    // A first file large enough to be still copying when the user presses
    // Ctrl-C twice; sparse, so that it costs no disk on the device side.
    ASSERT_EQ(::truncate((longDevice + "/iPod_Control/Music/F00/T0.mp3").c_str(), off_t{1} << 30),
              0);
    const std::string target = out.Path("music");
    BackgroundCopy copy(longDevice, target, out.Path("summary.txt"));
    EXPECT_TRUE(StartsWith(copy.ReadLine(), "copying 1/3: "));
    copy.Signal(SIGINT);
    // Two signals sent at once would arrive as one, unlike two key presses.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    copy.Signal(SIGINT);
    EXPECT_EQ(copy.Wait(), 130);
    EXPECT_TRUE(out.List("music").empty());
    EXPECT_EQ(out.Read("summary.txt"),
              "copied 0, failed 0, cancelled 3 of 3 into " + target + "/\n");
}

TEST_F(CliCopyTest, AClosedProgressPipeDoesNotStopTheCopy) {
    const std::string longDevice = device.Path("long");
    ASSERT_TRUE(WriteLongDevice(longDevice, 20, 64 * 1024));
    const std::string target = out.Path("music");
    BackgroundCopy copy(longDevice, target, out.Path("summary.txt"), true);
    EXPECT_EQ(copy.Wait(), 0);
    EXPECT_EQ(out.List("music").size(), 20u);
    ExpectOnlyWholeFiles(target, out.List("music"), 64 * 1024);
    EXPECT_EQ(out.Read("summary.txt"),
              "copied 20, failed 0, cancelled 0 of 20 into " + target + "/\n");
}

// Starts the CLI as a script's "cmd &" does, with SIGINT ignored, sends it
// `signals` SIGINTs a moment apart once it is stuck, and gives its exit
// status, or -1 when it is still running seconds later.
int StopWhileStuck(const Strings& args, int signals) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGINT, SIG_IGN);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv = {const_cast<char*>(CORVANE_CLI_PATH)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(CORVANE_CLI_PATH, argv.data());
        ::_exit(127);
    }
    for (int i = 0; i < signals; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        ::kill(pid, SIGINT);
    }
    int status = 0;
    for (int waited = 0; waited < 50; ++waited) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

TEST_F(CliCopyTest, ADeviceThatStopsAnsweringCanStillBeStopped) {
    const std::string mount = device.Path("stuck");
    ::mkdir(mount.c_str(), 0755);
    for (const char* hanging : {"iTunesDB", "SOWH.mp3"}) {
        ScopedHangingMirror mirror(device.Path("ipod"), mount, hanging);
        if (!mirror.Mounted())
            GTEST_SKIP() << "cannot mount the hanging FUSE mirror here (python3-fusepy, /dev/fuse)";
        if (std::string(hanging) == "iTunesDB") {
            // Reading the database: the first Ctrl-C ends the run.
            EXPECT_EQ(StopWhileStuck({"playlists", "--device", mount}, 1), 130);
        } else {
            // Copying So What, the second track: the first Ctrl-C waits for
            // the file, the second gives it up, whatever the kernel does.
            EXPECT_EQ(StopWhileStuck({"copy", "--device", mount, "--to", out.Path("m")}, 2), 130);
            // What the stuck file left, the next run into the folder sweeps.
            EXPECT_EQ(Copy({"--to", out.Path("m"), "--only", "1", "--overwrite"}).exitCode, 0);
            EXPECT_EQ(out.List("m"), Strings{"Blue in Green.mp3"});
        }
    }
}

} // namespace
