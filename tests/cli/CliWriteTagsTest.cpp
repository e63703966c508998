// copy --write-tags, run as a program on the sample device with real audio.
#include "cli/RunCli.h"
#include "support/ItunesDbWriter.h"
#include "support/MutagenTags.h"
#include "support/SampleDevice.h"
#include "support/ScratchFolder.h"
#include "support/TaggedAudio.h"
#include "support/TaggedSampleDevice.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Every file below `root` with its bytes and its modification time.
std::string Snapshot(const std::string& root) {
    std::string all;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        struct stat st {};
        if (!entry.is_regular_file() || ::stat(entry.path().c_str(), &st) != 0)
            continue;
        all += entry.path().string();
        all += ScratchFolder::ReadFile(entry.path());
        all += std::to_string(st.st_mtim.tv_sec);
        all += std::to_string(st.st_mtim.tv_nsec);
    }
    return all;
}

std::pair<time_t, long> MtimeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

// Blue in Green rated four stars and played four times, two more since the
// last sync; So What's file without tags; 夜に駆ける's no MP4 at all; the
// voice memo (tagged in place, as a WAV) synced long ago and rated.
TEST(CliWriteTagsTest, CopiesCarryTheLibrarysTagsTheDeviceStaysAndAReRunAddsNothing) {
    ScratchFolder device, out;
    const std::string ipod = device.Path("ipod/"), music = ipod + "iPod_Control/Music/";
    ASSERT_TRUE(WriteTaggedSampleDevice(ipod));
    dbwriter::Database library = SampleDeviceDatabase();
    library.tracks[0].rating = 80, library.tracks[0].playCount = 4;
    library.tracks[0].composer = u"Bill Evans", library.tracks[9].rating = 20;
    ASSERT_TRUE(
        dbwriter::WriteFile(ipod + "iPod_Control/iTunes/iTunesDB", dbwriter::Write(library).bytes));
    ASSERT_TRUE(dbwriter::WriteFile(ipod + "iPod_Control/iTunes/Play Counts",
                                    dbwriter::WritePlayCounts({{2, 0, 0, 0, 0}}, 16)));
    ASSERT_TRUE(WriteUntaggedAudio(music + "F00/SOWH.mp3"));
    device.Write("ipod/iPod_Control/Music/F01/YORU.m4a", "not a movie");
    const struct timespec synced[2] = {{1000000000, 5}, {1000000000, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (music + "F04/MEMO.wav").c_str(), synced, 0), 0);
    const std::string before = Snapshot(ipod);
    const auto copy = [&] {
        return RunCli(
            {"copy", "--device", ipod, "--to", out.Path("o"), "--write-tags", "--skip-identical"},
            "");
    };

    const CliRun first = copy();
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.out.find("\ncopied, not tagged: 1\n"), std::string::npos) << first.out;
    EXPECT_NE(
        first.out.find(
            std::string("夜に駆ける\": taglib could not read the file (").append(out.Path("o/"))),
        std::string::npos)
        << first.out;
    for (const auto& [file, line] : {std::pair{"Blue in Green.mp3", "TXXX:FMPS_Rating=0.8"},
                                     {"Blue in Green.mp3", "TXXX:FMPS_Playcount=6"},
                                     {"Blue in Green.mp3", "POPM:=196/6"},
                                     {"Blue in Green.mp3", "TCOM=Bill Evans"},
                                     {"So What.mp3", "TIT2=So What"},
                                     {"So What.mp3", "TCON=Jazz"},
                                     {"Voice Memo 1.wav", "TXXX:FMPS_Rating=0.2"}}) {
        const std::vector<std::string> tags = MutagenTags(out.Path("o/") + file);
        EXPECT_EQ(std::count(tags.begin(), tags.end(), line), 1) << file << ": " << line;
    }
    EXPECT_EQ(MtimeOf(out.Path("o/Voice Memo 1.wav")), std::make_pair(time_t{1000000000}, 5L));

    const CliRun again = copy();
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out.substr(0, again.out.find(" of ")),
              "copied 0, already there 12, failed 0, cancelled 0");
    EXPECT_EQ(Snapshot(ipod), before);
}

} // namespace
