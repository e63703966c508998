// corvane-cli copy --covers, run as a program on written devices, its
// covers read back with ImageMagick.
#include "RunCli.h"
#include "library/Utf16.h"
#include "support/EmbeddedCover.h"
#include "support/ImageMagick.h"
#include "support/ScratchFolder.h"
#include "support/TaggedAudio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/mount.h>

namespace {

using Strings = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

// Quadrants of different colours with a gradient through them: a cover
// turned, mirrored, shifted or with its channels swapped differs from it
// by far more than JPEG's loss.
CoverPixels TestPattern(uint32_t width, uint32_t height, uint8_t seed) {
    CoverPixels pixels{width, height, {}};
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            pixels.rgb.push_back(uint8_t(right ? 230 : 20 + seed));
            pixels.rgb.push_back(uint8_t(bottom ? 200 : 40));
            pixels.rgb.push_back(uint8_t((x + y) * 255 / (width + height)));
        }
    return pixels;
}

Bytes ReadBytes(const std::string& path) {
    const std::string text = ScratchFolder::ReadFile(path);
    return Bytes(text.begin(), text.end());
}

// Every file below `root` with its content, to show that nothing changed.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[entry.path().string()] = ScratchFolder::ReadFile(entry.path().string());
    return files;
}

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

// A device whose database is gone: the covers are the files' own pictures.
class RescueCovers : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(device.Path("iPod_Control/iTunes"));
        std::filesystem::create_directories(device.Path("iPod_Control/Music/F00"));
        ASSERT_TRUE(WritePictureWithImageMagick(TestPattern(24, 16, 0), pictures.Path("a.jpg")));
        ASSERT_TRUE(WritePictureWithImageMagick(TestPattern(20, 20, 9), pictures.Path("b.png")));
    }

    std::string Track(const std::string& name, const std::u16string& album) {
        const std::string path = device.Path("iPod_Control/Music/F00/" + name);
        EXPECT_TRUE(WriteTaggedAudio(path, {u"T " + FromUtf8(name), u"Band", album, u"Rock"}));
        return path;
    }

    ScratchFolder device, pictures, out;
};

TEST_F(RescueCovers, EachAlbumFolderTakesTheFirstEmbeddedPictureJpegAsItIsPngReencoded) {
    const Bytes jpeg = ReadBytes(pictures.Path("a.jpg")), png = ReadBytes(pictures.Path("b.png"));
    Track("A1.mp3", u"Alpha");
    ASSERT_TRUE(AddEmbeddedPicture(Track("A2.mp3", u"Alpha"), jpeg));
    ASSERT_TRUE(AddEmbeddedPicture(Track("A3.mp3", u"Alpha"), png));
    ASSERT_TRUE(AddEmbeddedPicture(Track("B1.m4a", u"Beta"), png));
    // A back cover alone is the file's picture all the same.
    ASSERT_TRUE(AddEmbeddedPicture(Track("C1.flac", u"Gamma"), jpeg, 4));
    Track("D1.mp3", u"Delta");
    const auto before = Snapshot(device.Path());

    const CliRun run = RunCli(
        {"copy", "--device", device.Path(), "--to", out.Path(), "--organize", "--covers"}, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(HasLine(run.out, "covers 3, kept 0, failed 0")) << run.out;
    EXPECT_EQ(ReadBytes(out.Path("Band/Alpha/cover.jpg")), jpeg);
    EXPECT_EQ(ReadBytes(out.Path("Band/Gamma/cover.jpg")), jpeg);
    CoverPixels beta;
    ASSERT_TRUE(ReadPictureWithImageMagick(out.Path("Band/Beta/cover.jpg"), beta));
    EXPECT_LT(MeanDifference(beta, TestPattern(20, 20, 9)), 2.0);
    EXPECT_FALSE(std::filesystem::exists(out.Path("Band/Delta/cover.jpg")));
    EXPECT_EQ(Snapshot(device.Path()), before);

    // Into one flat folder, no cover: its tracks are of every album.
    const CliRun flat =
        RunCli({"copy", "--device", device.Path(), "--to", out.Path("flat"), "--covers"}, "");
    ASSERT_EQ(flat.exitCode, 0) << flat.err;
    EXPECT_TRUE(HasLine(flat.out, "covers 0, kept 0, failed 0")) << flat.out;
    EXPECT_FALSE(std::filesystem::exists(out.Path("flat/cover.jpg")));
}

TEST_F(RescueCovers, ACoverIsKeptReplacedOnlyWithOverwriteAndSkippedTracksStillCount) {
    const Bytes jpeg = ReadBytes(pictures.Path("a.jpg"));
    ASSERT_TRUE(AddEmbeddedPicture(Track("A1.mp3", u"Alpha"), jpeg));
    ASSERT_TRUE(AddEmbeddedPicture(Track("B1.mp3", u"Beta"), jpeg));
    auto copy = [&](Strings more) {
        Strings args = {"copy",     "--device",   device.Path(), "--to",
                        out.Path(), "--organize", "--covers"};
        args.insert(args.end(), more.begin(), more.end());
        return RunCli(args, "");
    };
    ASSERT_EQ(copy({}).exitCode, 0);
    out.Write("Band/Alpha/cover.jpg", "the user's own");

    const CliRun again = copy({});
    EXPECT_TRUE(HasLine(again.out, "covers 0, kept 2, failed 0")) << again.out;
    EXPECT_EQ(out.Read("Band/Alpha/cover.jpg"), "the user's own");

    const CliRun overwriting = copy({"--overwrite"});
    EXPECT_TRUE(HasLine(overwriting.out, "covers 2, kept 0, failed 0")) << overwriting.out;
    EXPECT_EQ(ReadBytes(out.Path("Band/Alpha/cover.jpg")), jpeg);

    // Every track already there: the folders still get their covers, and a
    // cover that cannot be written is told without failing the copy.
    std::filesystem::remove(out.Path("Band/Alpha/cover.jpg"));
    std::filesystem::remove(out.Path("Band/Beta/cover.jpg"));
    const std::string beta = out.Path("Band/Beta");
    if (::mount(beta.c_str(), beta.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, beta.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        ::umount(beta.c_str());
        GTEST_SKIP() << "cannot mount a read-only folder here";
    }
    const CliRun skipping = copy({"--skip-identical"});
    ::umount(beta.c_str());
    EXPECT_EQ(skipping.exitCode, 0) << skipping.err;
    EXPECT_TRUE(HasLine(skipping.out, "covers 1, kept 0, failed 1")) << skipping.out;
    EXPECT_TRUE(HasLine(skipping.out,
                        "cover not written: " + beta + "/cover.jpg: destination not writable"))
        << skipping.out;
    EXPECT_EQ(ReadBytes(out.Path("Band/Alpha/cover.jpg")), jpeg);
}

} // namespace
