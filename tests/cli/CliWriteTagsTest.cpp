// copy --write-tags, run as a program on the sample device with real audio.
#include "cli/RunCli.h"
#include "support/MutagenTags.h"
#include "support/ScratchFolder.h"
#include "support/TaggedAudio.h"
#include "support/TaggedSampleDevice.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(CliWriteTagsTest, CopiesAreTaggedAndOnesThatCannotBeAreCountedWithTheirReason) {
    ScratchFolder device, out;
    ASSERT_TRUE(WriteTaggedSampleDevice(device.Path("ipod")));
    const std::string broken = device.Write("ipod/iPod_Control/Music/F01/YORU.m4a", "not a movie");
    ASSERT_TRUE(WriteUntaggedAudio(device.Path("ipod/iPod_Control/Music/F00/SOWH.mp3")));

    const CliRun run = RunCli(
        {"copy", "--device", device.Path("ipod"), "--to", out.Path("o"), "--write-tags"}, "");

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\ncopied, not tagged: 1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\": taglib could not read the file (" + out.Path("o/")),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ScratchFolder::ReadFile(broken), "not a movie");
    // A file without tags has the library's in its copy.
    const std::vector<std::string> tags = MutagenTags(out.Path("o/So What.mp3"));
    for (const char* line : {"TIT2=So What", "TPE1=Miles Davis", "TCON=Jazz"})
        EXPECT_NE(std::find(tags.begin(), tags.end(), line), tags.end())
            << line << " not in " << testing::PrintToString(tags);
}

} // namespace
