#include "ScratchFolder.h"
#include "cli/RunCli.h"
#include "library/Utf16.h"
#include "support/SampleDevice.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
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
    EXPECT_EQ(out.List(), (Strings{"file", "x/"}));
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

TEST_F(CliCopyTest, CtrlCStopsAfterTheCurrentFileWithASummary) {
    const std::string longDevice = device.Path("long");
    ASSERT_TRUE(WriteLongDevice(longDevice, 300, 256 * 1024));
    int errPipe[2];
    ASSERT_EQ(::pipe(errPipe), 0);
    const std::string outFile = out.Path("summary.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    const std::string target = out.Path("music");
    std::vector<std::string> argv = {CORVANE_CLI_PATH, "copy", "--device",
                                     longDevice,       "--to", target};
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, CORVANE_CLI_PATH, &actions, nullptr, pointers.data(), environ),
              0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(errPipe[1]);

    // Interrupt as soon as the first file is announced.
    FILE* err = ::fdopen(errPipe[0], "r");
    char line[512];
    ASSERT_NE(std::fgets(line, sizeof line, err), nullptr);
    EXPECT_EQ(std::string(line).rfind("copying 1/300: ", 0), 0u) << line;
    ::kill(pid, SIGINT);
    while (std::fgets(line, sizeof line, err)) {
    }
    std::fclose(err);
    int status = 0;
    ::waitpid(pid, &status, 0);

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    const Strings copied = out.List("music");
    EXPECT_GE(copied.size(), 1u);
    EXPECT_LT(copied.size(), 300u);
    for (const std::string& name : copied) {
        EXPECT_EQ(name.find(".part"), std::string::npos) << name;
        EXPECT_EQ(std::filesystem::file_size(target + "/" + name), 256u * 1024) << name;
    }
    const std::string summary = out.Read("summary.txt");
    EXPECT_EQ(summary, "copied " + std::to_string(copied.size()) + ", failed 0, cancelled " +
                           std::to_string(300 - copied.size()) + " of 300 into " + target + "/\n");
}

} // namespace
