// The artwork database read as a device leaves it: covers found by a
// track's artwork link or its dbid, the largest usable cover format, the
// padding cut away, exact pixels, and every kind of damage giving no cover
// (for that image alone) rather than a failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "LoadHelpers.h"
#include "library/ArtworkLibrary.h"
#include "library/Rgb565.h"
#include "support/ArtworkDbWriter.h"

namespace {

using artwriter::Image;
using artwriter::Thumb;
using artwriter::Thumbnail;

TrackDetails Linked(uint32_t link) {
    TrackDetails details;
    details.artworkLink = link;
    details.present = TrackDetails::kArtworkLink;
    return details;
}

TrackDetails WithDbid(uint64_t dbid) {
    TrackDetails details;
    details.SetDbid(dbid);
    details.present = TrackDetails::kDbid;
    return details;
}

// A device folder holding the artwork `artwork` describes (and, where a
// test changes them, the written bytes), loaded into `library`.
struct ArtworkDevice {
    TempDir dir;
    artwriter::Written written;

    explicit ArtworkDevice(const artwriter::Artwork& artwork)
        : written(artwriter::Write(artwork)) {}
    int Load(ArtworkLibrary& library) const {
        EXPECT_TRUE(artwriter::WriteDevice(dir.path(), written));
        return library.Load(dir.path());
    }
    std::string File(const std::string& name) const {
        std::string relative = "iPod_Control/Artwork/";
        relative += name;
        return dir / relative;
    }
    // Loads again with the database alone replaced.
    int Reload(ArtworkLibrary& library, const std::vector<uint8_t>& database) const {
        EXPECT_TRUE(dbwriter::WriteFile(File("ArtworkDB"), database));
        return library.Load(dir.path());
    }
};

CoverPixels Read(const ArtworkLibrary& library, const TrackDetails& details) {
    CoverPixels pixels;
    const CoverRef ref = library.CoverOf(details);
    EXPECT_TRUE(ref.Valid());
    EXPECT_TRUE(library.ReadCover(ref, pixels));
    return pixels;
}

// The red, green and blue of CoordinatePixels at (x, y), their low bits
// (which the decoder fills from the high ones) dropped.
void ExpectCoordinates(const CoverPixels& pixels, uint32_t x, uint32_t y, uint8_t tint) {
    const uint8_t* p = &pixels.rgb[(size_t(y) * pixels.width + x) * 3];
    EXPECT_EQ(p[0] >> 3, x % 32) << x << "," << y;
    EXPECT_EQ(p[1] >> 2, y % 64) << x << "," << y;
    EXPECT_EQ(p[2] >> 3, tint % 32) << x << "," << y;
}

TEST(ArtworkLibrary, FindsTracksCoversByTheirLinkElseTheirDbid) {
    // Through the track table as a load reads it: the link at mhit 352 in
    // long headers, the dbid at 112 in every header.
    dbwriter::Database tracks = SimpleDatabase(4);
    tracks.options.trackHeaderLength = 0x184;
    tracks.tracks[0].artworkLink = 100; // its dbid names the other image: the link wins
    tracks.tracks[0].dbid = 0xB0B0'0000'0000'0002;
    tracks.tracks[1].dbid = 0xB0B0'0000'0000'0002; // no link: by dbid
    tracks.tracks[2].artworkLink = 555;            // no such image: by dbid, which has none
    tracks.tracks[2].dbid = 7;
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, tracks), 1);
    artwriter::Artwork artwork;
    artwork.images = {{100, 0xB0B0'0000'0000'0001, {Thumb(1060, 1)}},
                      {101, 0xB0B0'0000'0000'0002, {Thumb(1060, 2)}}};
    ASSERT_TRUE(artwriter::WriteDevice(device.volume(), artwriter::Write(artwork)));
    ArtworkLibrary library;
    ASSERT_EQ(library.Load(db.DeviceRoot()), 1);
    ASSERT_EQ(db.BuildPlaylistView(0), 1);
    std::vector<int> tints;
    for (uint32_t row = 0; row < db.viewRowCount; ++row) {
        const CoverRef ref = library.CoverOf(*db.DetailsOf(db.viewRows[row]));
        CoverPixels pixels;
        tints.push_back(library.ReadCover(ref, pixels) ? pixels.rgb[2] >> 3 : -1);
    }
    EXPECT_EQ(tints, (std::vector<int>{1, 2, -1, -1}));

    // A short header holds no link: the same word is then not one.
    tracks.options.trackHeaderLength = 0xF4;
    tracks.tracks[0].dbid = 0xB0B0'0000'0000'0001;
    tracks.tracks[0].artworkLink = 101;
    ASSERT_EQ(device.Load(db, tracks), 1);
    ASSERT_EQ(db.BuildPlaylistView(0), 1);
    EXPECT_EQ(Read(library, *db.DetailsOf(db.viewRows[0])).rgb[2] >> 3, 1);
}

TEST(ArtworkLibrary, FindsTheDatabaseAndThumbnailsInAnyLetterCase) {
    TempDir dir;
    artwriter::Artwork artwork;
    artwork.images = {{7, 0, {Thumb(1028)}}};
    artwriter::Written written = artwriter::Write(artwork);
    written.files = {{"f1028_1.ITHMB", written.files.begin()->second}};
    ASSERT_TRUE(artwriter::WriteDevice(dir.path(), written, "IPOD_CONTROL/ARTWORK", "artworkdb"));
    ArtworkLibrary library;
    ASSERT_EQ(library.Load(dir.path()), 1);
    EXPECT_EQ(Read(library, Linked(7)).width, 100u);
}

TEST(ArtworkLibrary, ImagesSharingTheirThumbnailShareOneKey) {
    artwriter::Artwork artwork;
    Thumbnail shared = Thumb(1060);
    shared.offset = 0; // the first image's bytes
    artwork.images = {{1, 11, {Thumb(1060)}}, {2, 12, {shared}}, {3, 13, {Thumb(1060)}}};
    ArtworkDevice device(artwork);
    ArtworkLibrary library;
    ASSERT_EQ(device.Load(library), 1);
    const CoverRef first = library.CoverOf(Linked(1));
    ASSERT_TRUE(first.Valid());
    EXPECT_EQ(library.CoverOf(WithDbid(12)).key, first.key);
    EXPECT_NE(library.CoverOf(Linked(3)).key, first.key);
}

TEST(ArtworkLibrary, ChoosesTheLargestCoverFormatThatIsWhole) {
    artwriter::Artwork artwork;
    Thumbnail photo = Thumb(1019); // larger, but a photo format
    photo.width = 720;
    photo.height = 480;
    Thumbnail cutShort = Thumb(1060);
    cutShort.offset = 0xFFFF0000; // past its file
    artwork.images = {{1, 0, {Thumb(1061), Thumb(1060), Thumb(1055), photo}},
                      {2, 0, {Thumb(1061), cutShort, Thumb(1055)}}};
    ArtworkDevice device(artwork);
    ArtworkLibrary library;
    ASSERT_EQ(device.Load(library), 1);
    EXPECT_EQ(Read(library, Linked(1)).width, 320u);
    EXPECT_EQ(Read(library, Linked(2)).width, 128u);

    // Every cover format is read, at its own size.
    artwork.images.clear();
    for (const artwriter::CoverFormat& format : artwriter::CoverFormats())
        artwork.images.push_back({format.format, 0, {Thumb(format.format)}});
    ArtworkDevice every(artwork);
    ASSERT_EQ(every.Load(library), 1);
    for (const artwriter::CoverFormat& format : artwriter::CoverFormats()) {
        const CoverPixels pixels = Read(library, Linked(format.format));
        EXPECT_EQ(pixels.width, format.width) << format.format;
        EXPECT_EQ(pixels.height, format.height) << format.format;
        ExpectCoordinates(pixels, format.width - 1u, format.height - 1u, 0);
    }
}

TEST(ArtworkLibrary, DecodesPixelsExactlyAndCutsThePadding) {
    // Full, empty and middle values of each channel, bits repeated downwards.
    const std::vector<uint8_t> stored = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00,
                                         0xFF, 0xFF, 0x00, 0x00, 0x01, 0x84};
    CoverPixels pixels;
    ASSERT_TRUE(DecodeRgb565(stored.data(), {6, 1, 0, 0}, pixels));
    EXPECT_EQ(pixels.rgb, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0,
                                                0, 0, 132, 130, 8}));

    // Padding of either sign: that many rows at the bottom, columns on the right.
    artwriter::Artwork artwork;
    Thumbnail padded = Thumb(1060);
    padded.verticalPadding = 3;
    padded.horizontalPadding = -5;
    padded.tint = 9;
    artwork.images = {{1, 0, {padded}}};
    ArtworkDevice device(artwork);
    ArtworkLibrary library;
    ASSERT_EQ(device.Load(library), 1);
    const CoverPixels cut = Read(library, Linked(1));
    ASSERT_EQ(cut.width, 315u);
    ASSERT_EQ(cut.height, 317u);
    ASSERT_EQ(cut.rgb.size(), 315u * 317u * 3u);
    for (const auto& [x, y] :
         {std::pair{0u, 0u}, {314u, 0u}, {0u, 316u}, {314u, 316u}, {77u, 200u}})
        ExpectCoordinates(cut, x, y, 9);
}

TEST(ArtworkLibrary, DamageMeansNoCoverForThatImageAlone) {
    artwriter::Artwork artwork;
    Thumbnail pastFile = Thumb(1060);
    pastFile.offset = 0; // set below: starts inside the file, ends past it
    Thumbnail missingFile = Thumb(1060);
    missingFile.fileName = ":F1060_9.ithmb";
    Thumbnail wrongSize = Thumb(1060);
    wrongSize.statedSize = 320 * 320 * 2 - 2;
    Thumbnail allPadding = Thumb(1060);
    allPadding.horizontalPadding = 320;
    Thumbnail escaping = Thumb(1060);
    escaping.fileName = ":../ArtworkDB";
    artwork.images = {{1, 0, {Thumb(1060)}}, {2, 0, {Thumb(1060)}}, {3, 0, {pastFile}},
                      {4, 0, {missingFile}}, {5, 0, {wrongSize}},   {6, 0, {allPadding}},
                      {7, 0, {escaping}}};
    ArtworkDevice device(artwork);
    device.written.files.erase("F1060_9.ithmb");
    const auto fileSize = uint32_t(device.written.files["F1060_1.ithmb"].size());
    dbwriter::Put32(device.written.database, device.written.thumbnailOffsets[2] + 20,
                    fileSize - 100);
    ArtworkLibrary library;
    ASSERT_EQ(device.Load(library), 1);
    for (uint32_t id = 3; id <= 7; ++id)
        EXPECT_FALSE(library.CoverOf(Linked(id)).Valid()) << id;
    EXPECT_TRUE(library.CoverOf(Linked(1)).Valid());

    // A thumbnail file cut short after the load: the read fails, nothing else.
    const CoverRef second = library.CoverOf(Linked(2));
    std::filesystem::resize_file(device.File("F1060_1.ithmb"), 320 * 320 * 2);
    CoverPixels pixels;
    EXPECT_FALSE(library.ReadCover(second, pixels));
    EXPECT_TRUE(pixels.rgb.empty());
    EXPECT_TRUE(library.ReadCover(library.CoverOf(Linked(1)), pixels));
}

TEST(ArtworkLibrary, MissingOrDamagedDatabasesGiveNoCovers) {
    ArtworkLibrary library;
    TempDir empty;
    EXPECT_EQ(library.Load(empty.path()), 0);
    EXPECT_FALSE(library.CoverOf(Linked(1)).Valid());
    CoverPixels pixels;
    EXPECT_FALSE(library.ReadCover({0, 1}, pixels));

    artwriter::Artwork artwork;
    artwork.images = {{1, 0, {Thumb(1061), Thumb(1060)}}, {2, 0, {Thumb(1060)}}};
    artwork.dataSetOrder = {3, 2, 1}; // the images last, as some devices keep them
    ArtworkDevice device(artwork);
    ASSERT_EQ(device.Load(library), 1);
    ASSERT_TRUE(library.CoverOf(Linked(2)).Valid());
    const std::vector<uint8_t> whole = device.written.database;

    // Cut anywhere: an image wholly before the cut keeps its cover, the
    // later ones have none, and every cover found still reads whole.
    const size_t secondImage = device.written.imageOffsets[1];
    for (size_t cut = 0; cut < whole.size(); cut += 3) {
        device.Reload(library, {whole.begin(), whole.begin() + std::ptrdiff_t(cut)});
        SCOPED_TRACE(cut);
        EXPECT_EQ(library.CoverOf(Linked(1)).Valid(), cut >= secondImage);
        EXPECT_FALSE(library.CoverOf(Linked(2)).Valid());
        if (library.CoverOf(Linked(1)).Valid()) {
            EXPECT_EQ(Read(library, Linked(1)).width, 320u);
        }
    }

    // Zero-length chunks and counts that claim billions end their lists.
    auto damaged = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> bytes = whole;
        dbwriter::Put32(bytes, at, value);
        return device.Reload(library, bytes);
    };
    const size_t firstImage = device.written.imageOffsets[0];
    const size_t imageList = firstImage - 0x5C;
    EXPECT_EQ(damaged(secondImage + 8, 0), 1);
    EXPECT_TRUE(library.CoverOf(Linked(1)).Valid());
    EXPECT_FALSE(library.CoverOf(Linked(2)).Valid());
    EXPECT_EQ(damaged(imageList + 8, 0xFFFFFFFF), 1);
    EXPECT_TRUE(library.CoverOf(Linked(2)).Valid());
    EXPECT_EQ(damaged(firstImage + 12, 0xFFFFFFFF), 1); // the image's children
    EXPECT_TRUE(library.CoverOf(Linked(1)).Valid());
    EXPECT_EQ(damaged(device.written.thumbnailOffsets[0] + 8, 0), 1); // the thumbnail: skipped
    EXPECT_TRUE(library.CoverOf(Linked(1)).Valid());
    EXPECT_EQ(damaged(8, 0), 1);          // the root's own length is never needed
    EXPECT_EQ(damaged(0, 0x6466686E), 1); // not an artwork database
    EXPECT_FALSE(library.CoverOf(Linked(1)).Valid());
}

} // namespace
