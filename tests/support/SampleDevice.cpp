#include "support/SampleDevice.h"

#include <filesystem>
#include <optional>

#include "library/Utf16.h"

namespace {

using Text = std::optional<std::u16string>;

// Every sample track's dbid is this plus its id.
constexpr uint64_t kDbidBase = 0x5A3D'0000'0000'0000;

dbwriter::Track MakeTrack(uint32_t id, Text title, Text artist, Text album, Text genre,
                          const char16_t* file) {
    dbwriter::Track track;
    track.id = id;
    track.dbid = kDbidBase + id;
    // Large enough that the list shows sizes people recognise (0.18 MB and up),
    // small enough that every test can write a fresh device.
    track.fileSize = 150000 + 37000 * (id - 100);
    track.lengthMs = track.fileSize / 16; // as long as 128 kbit/s MPEG audio of that size
    track.title = std::move(title);
    track.artist = std::move(artist);
    track.album = std::move(album);
    track.genre = std::move(genre);
    track.location = std::u16string(u":iPod_Control:Music:") + file;
    return track;
}

} // namespace

dbwriter::Database SampleDeviceDatabase() {
    const Text none;
    dbwriter::Database db;
    db.tracks = {
        MakeTrack(101, u"Blue in Green", u"Miles Davis", u"Kind of Blue", u"Jazz", u"F00:MDBG.mp3"),
        MakeTrack(102, u"So What", u"Miles Davis", u"Kind of Blue", u"Jazz", u"F00:SOWH.mp3"),
        MakeTrack(103, u"Für Elise", u"Ludwig van Beethoven", u"Klavierstücke", u"Classical",
                  u"F01:FURE.mp3"),
        MakeTrack(104, u"夜に駆ける", u"YOASOBI", u"THE BOOK", u"J-Pop", u"F01:YORU.m4a"),
        MakeTrack(105, none, u"Unknown Busker", u"Street Tapes", u"Folk", u"F02:NOTI.mp3"),
        MakeTrack(106, u"Intro", none, u"Demo Reel", u"Rock", u"F02:INTR.mp3"),
        MakeTrack(107, u"Intro", u"The Hollow Pines", none, u"Rock", u"F03:INT2.mp3"),
        MakeTrack(108, u"Ça plane pour moi", u"Plastic Bertrand", u"An 1", u"Punk",
                  u"F03:CAPL.mp3"),
        MakeTrack(109, u"Smile \U0001F600", u"Emoji Band", u"Faces", u"Pop", u"F04:SMIL.mp3"),
        MakeTrack(110, u"Voice Memo 1", none, none, none, u"F04:MEMO.wav"),
        MakeTrack(111, u"Ελληνικά", u"Κώστας", u"Θάλασσα", u"World", u"F05:GREK.mp3"),
        MakeTrack(112, u"Last Track", u"Nobody", u"Ending", u"Ambient", u"F05:LAST.mp3"),
    };
    std::vector<uint32_t> all;
    for (const auto& track : db.tracks)
        all.push_back(track.id);
    db.playlists = {
        {false, u"Road Trip", {102, 108, 109, 102, 104}},
        {false, u"Late Night", {101, 999, 111, 112}},
        {true, u"Sample iPod", all},
        {false, u"Favourites", {103, 106, 107}},
    };
    return db;
}

namespace {

uint16_t Rgb565(uint32_t r, uint32_t g, uint32_t b) {
    return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
}

// A cover anyone can tell apart at a glance: a diagonal wash of `hue` with
// a pale disc in the middle.
std::vector<uint8_t> CoverPicture(uint32_t side, const uint8_t (&hue)[3]) {
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(side) * side * 2);
    const int centre = int(side) / 2, radius = int(side) * 3 / 10;
    for (int y = 0; y < int(side); ++y) {
        for (int x = 0; x < int(side); ++x) {
            const uint32_t shade = 128 + 127 * uint32_t(x + y) / (2 * side);
            const bool disc =
                (x - centre) * (x - centre) + (y - centre) * (y - centre) < radius * radius;
            const uint16_t value =
                disc ? Rgb565(240, 236, 220)
                     : Rgb565(hue[0] * shade / 255, hue[1] * shade / 255, hue[2] * shade / 255);
            pixels.push_back(uint8_t(value));
            pixels.push_back(uint8_t(value >> 8));
        }
    }
    return pixels;
}

} // namespace

artwriter::Artwork SampleDeviceArtwork() {
    struct AlbumCover {
        std::vector<uint32_t> tracks;
        uint8_t hue[3];
    };
    const AlbumCover albums[] = {{{101, 102}, {40, 90, 220}},
                                 {{103}, {200, 40, 40}},
                                 {{104}, {230, 170, 30}},
                                 {{109}, {60, 180, 90}}};
    artwriter::Artwork artwork;
    uint32_t offsets[2] = {0, 0}; // where the next picture starts in each file
    for (const AlbumCover& album : albums) {
        std::vector<artwriter::Thumbnail> thumbnails;
        for (uint32_t format : {1060u, 1055u}) {
            artwriter::Thumbnail thumbnail = artwriter::Thumb(format);
            thumbnail.pixels = CoverPicture(artwriter::CoverFormatOf(format).width, album.hue);
            thumbnails.push_back(thumbnail);
        }
        for (size_t i = 0; i < album.tracks.size(); ++i) {
            const uint32_t id = album.tracks[i];
            artwork.images.push_back({id, kDbidBase + id, thumbnails});
            if (i == 0)
                for (size_t f = 0; f < 2; ++f)
                    thumbnails[f].offset = offsets[f]; // the tracks after share its bytes
        }
        for (size_t f = 0; f < 2; ++f)
            offsets[f] += uint32_t(thumbnails[f].pixels.size());
    }
    return artwork;
}

bool WriteSampleArtwork(const std::string& root) {
    return artwriter::WriteDevice(root, artwriter::Write(SampleDeviceArtwork()));
}

bool WriteSampleDevice(const std::string& root) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base(root);
    fs::create_directories(base / "iPod_Control" / "iTunes", error);
    if (error)
        return false;
    const dbwriter::Database db = SampleDeviceDatabase();
    if (!dbwriter::WriteFile((base / "iPod_Control/iTunes/iTunesDB").string(),
                             dbwriter::Write(db).bytes))
        return false;
    for (const auto& track : db.tracks) {
        std::string relative = ToUtf8(*track.location);
        for (char& c : relative)
            c = c == ':' ? '/' : c;
        const fs::path file = base / relative.substr(1);
        fs::create_directories(file.parent_path(), error);
        // Recognisable content: an ID3 tag marker, then the track id.
        std::vector<uint8_t> bytes(track.fileSize, 0);
        bytes[0] = 'I', bytes[1] = 'D', bytes[2] = '3', bytes[3] = uint8_t(track.id);
        if (error || !dbwriter::WriteFile(file.string(), bytes))
            return false;
    }
    return true;
}

bool CompressSampleDatabase(const std::string& root) {
    const std::string folder = root + "/iPod_Control/iTunes/";
    return dbwriter::WriteFile(folder + "iTunesCDB",
                               dbwriter::Compress(dbwriter::Write(SampleDeviceDatabase()).bytes)) &&
           dbwriter::WriteFile(folder + "iTunesDB", {});
}

bool WriteCompressedSampleDevice(const std::string& root) {
    return WriteSampleDevice(root) && CompressSampleDatabase(root);
}
