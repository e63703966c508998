// corvane-cli copy --covers, run as a program on written devices, its
// covers read back with ImageMagick.
#include "RunCli.h"
#include "library/Utf16.h"
#include "support/ArtworkDbWriter.h"
#include "support/EmbeddedCover.h"
#include "support/ImageMagick.h"
#include "support/ItunesDbWriter.h"
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

// What a device shows of its RGB565 pixels: each channel's high bits
// repeated into its low ones.
CoverPixels FromRgb565(const Bytes& rgb565, uint32_t width, uint32_t height) {
    CoverPixels pixels{width, height, {}};
    for (size_t i = 0; i + 1 < rgb565.size(); i += 2) {
        const uint32_t value = rgb565[i] | uint32_t(rgb565[i + 1]) << 8;
        const uint32_t red = value >> 11, green = (value >> 5) & 0x3F, blue = value & 0x1F;
        pixels.rgb.push_back(uint8_t(red << 3 | red >> 2));
        pixels.rgb.push_back(uint8_t(green << 2 | green >> 4));
        pixels.rgb.push_back(uint8_t(blue << 3 | blue >> 2));
    }
    return pixels;
}

// A device with its database and artwork database, one track an album.
class DatabaseCovers : public ::testing::Test {
protected:
    void SetUp() override {
        db.options.trackHeaderLength = 0x184; // long enough for the artwork link
        db.playlists = {{true, u"iPod", {}}};
    }

    dbwriter::Track& Track(const std::u16string& album) {
        const uint32_t id = uint32_t(db.tracks.size() + 1);
        const std::string name = "T" + std::to_string(id) + ".mp3";
        device.Write("iPod_Control/Music/F00/" + name, "music " + name);
        dbwriter::Track track;
        track.id = id, track.dbid = 0xD0D0'0000'0000'0000ull + id;
        track.title = FromUtf8(name), track.artist = u"Band", track.album = album;
        track.location = FromUtf8(":iPod_Control:Music:F00:" + name);
        db.tracks.push_back(track);
        db.playlists[0].items.push_back(id);
        return db.tracks.back();
    }

    void WriteDevice() {
        std::filesystem::create_directories(device.Path("iPod_Control/iTunes"));
        ASSERT_TRUE(dbwriter::WriteFile(device.Path("iPod_Control/iTunes/iTunesDB"),
                                        dbwriter::Write(db).bytes));
        ASSERT_TRUE(artwriter::WriteDevice(device.Path(), artwriter::Write(artwork)));
    }

    CliRun Copy(Strings more) {
        Strings args = {"copy", "--device", device.Path(), "--to", out.Path(), "--covers"};
        args.insert(args.end(), more.begin(), more.end());
        return RunCli(args, "");
    }

    dbwriter::Database db;
    artwriter::Artwork artwork;
    ScratchFolder device, out;
};

TEST_F(DatabaseCovers, EachAlbumFolderGetsItsFirstTracksCoverAtTheDevicesSize) {
    Track(u"Alpha"); // no cover: the next track's is the folder's
    Track(u"Alpha").artworkLink = 100;
    Track(u"Alpha").artworkLink = 101;
    Track(u"Beta"); // found by its dbid
    Track(u"Gamma");
    artwork.images = {{100, 0, {artwriter::Thumb(1055, 3), artwriter::Thumb(1060, 7)}},
                      {101, 0, {artwriter::Thumb(1060, 30)}},
                      {102, db.tracks[3].dbid, {artwriter::Thumb(1029, 12)}}};
    WriteDevice();
    const auto before = Snapshot(device.Path());

    const CliRun run = Copy({"--organize"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(HasLine(run.out, "covers 2, kept 0, failed 0")) << run.out;
    CoverPixels alpha, beta;
    ASSERT_TRUE(ReadPictureWithImageMagick(out.Path("Band/Alpha/cover.jpg"), alpha));
    EXPECT_LT(MeanDifference(alpha, FromRgb565(artwriter::CoordinatePixels(320, 320, 7), 320, 320)),
              2.0);
    ASSERT_TRUE(ReadPictureWithImageMagick(out.Path("Band/Beta/cover.jpg"), beta));
    EXPECT_LT(MeanDifference(beta, FromRgb565(artwriter::CoordinatePixels(200, 200, 12), 200, 200)),
              2.0);
    EXPECT_FALSE(std::filesystem::exists(out.Path("Band/Gamma/cover.jpg")));
    EXPECT_EQ(Snapshot(device.Path()), before);

    // Folders a name format makes get them too.
    const CliRun formatted = Copy({"--name", "{album}/{title}", "--to", out.Path("named")});
    ASSERT_EQ(formatted.exitCode, 0) << formatted.err;
    EXPECT_EQ(ReadBytes(out.Path("named/Alpha/cover.jpg")),
              ReadBytes(out.Path("Band/Alpha/cover.jpg")));
    EXPECT_TRUE(std::filesystem::exists(out.Path("named/Beta/cover.jpg")));
}

TEST_F(DatabaseCovers, DamagedArtworkOnlyMeansNoCover) {
    Track(u"Alpha").artworkLink = 100;
    Track(u"Beta").artworkLink = 101;
    Track(u"Gamma").artworkLink = 102;
    artwriter::Thumbnail pastItsFile = artwriter::Thumb(1060), missingFile = artwriter::Thumb(1055);
    pastItsFile.offset = 320 * 320 * 2;
    missingFile.fileName = ":F1055_9.ithmb";
    artwriter::Thumbnail wrongSize = artwriter::Thumb(1060);
    wrongSize.statedSize = 1000;
    artwork.images = {{100, 0, {pastItsFile}}, {101, 0, {missingFile}}, {102, 0, {wrongSize}}};
    WriteDevice();
    std::filesystem::remove(device.Path("iPod_Control/Artwork/F1055_9.ithmb"));

    const CliRun run = Copy({"--organize"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(HasLine(run.out, "copied 3, failed 0, cancelled 0 of 3 into " + out.Path()))
        << run.out;
    EXPECT_TRUE(HasLine(run.out, "covers 0, kept 0, failed 0")) << run.out;

    ASSERT_TRUE(
        dbwriter::WriteFile(device.Path("iPod_Control/Artwork/ArtworkDB"), {'b', 'a', 'd'}));
    const CliRun unreadable = Copy({"--organize", "--to", out.Path("again")});
    EXPECT_EQ(unreadable.exitCode, 0) << unreadable.err;
    EXPECT_TRUE(HasLine(unreadable.out, "covers 0, kept 0, failed 0")) << unreadable.out;
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
        std::u16string title = u"T ";
        title += FromUtf8(name);
        EXPECT_TRUE(WriteTaggedAudio(path, {title, u"Band", album, u"Rock"}));
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
