#pragma once

// Builds iTunesDB bytes from a plain description, so tests state layouts
// directly. It writes both a minimal layout and the extras real devices
// write and a reader must step over.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dbwriter {

struct Track {
    uint32_t id = 0;
    uint32_t fileSize = 0;
    uint32_t kindFlag = 1;
    uint32_t lengthMs = 0;
    std::optional<std::u16string> title;
    std::optional<std::u16string> location; // stored form, ":iPod_Control:Music:F00:A.mp3"
    std::optional<std::u16string> album;
    std::optional<std::u16string> artist;
    std::optional<std::u16string> genre;
    std::optional<std::u16string> composer;    // mhod type 12
    std::optional<std::u16string> albumArtist; // mhod type 22
    // Header fields, each written only where the track header reaches it
    // (the artwork link only in headers of 0x184 bytes or more).
    uint8_t compilation = 0;
    uint8_t rating = 0;
    uint32_t trackNumber = 0, trackCount = 0, year = 0, playCount = 0, lastPlayed = 0;
    uint32_t discNumber = 0, discCount = 0, dateAdded = 0, skipCount = 0, lastSkipped = 0;
    uint32_t artworkLink = 0;
    uint64_t dbid = 0;
};

struct Playlist {
    bool master = false;
    std::optional<std::u16string> name;
    std::vector<uint32_t> items; // track ids
};

struct Options {
    // mhit header 0x248, mhbd header 0xF4, mhod types 6/52/53/100, a child
    // mhod in every mhip, and data sets of kinds 3, 4, 5, 6, 8 and 10.
    bool realDeviceExtras = false;
    // Data set kinds in file order; empty means {1, 2}, or with the extras
    // {4, 1, 3, 2, 5, 6, 8, 10}. Kind 3 holds `podcastPlaylists`.
    std::vector<uint32_t> dataSetOrder;
    // The root's data set count; empty means every data set written.
    std::optional<uint32_t> rootDataSetCount;
    uint32_t trackHeaderLength = 0; // 0: 0xF4, or 0x248 with the extras
};

struct Database {
    std::vector<Track> tracks;
    std::vector<Playlist> playlists;
    // Content of a kind-3 data set; empty means `playlists` plus an empty
    // playlist named "Podcasts", so that reading it by mistake shows.
    std::optional<std::vector<Playlist>> podcastPlaylists;
    Options options;
};

struct Written {
    std::vector<uint8_t> bytes;
    std::vector<size_t> dataSetOffsets;  // mhsd chunks in file order
    std::vector<size_t> trackOffsets;    // mhit chunks
    std::vector<size_t> playlistOffsets; // mhyp chunks of the kind-2 list
};

Written Write(const Database& database);

// One track's entry of a "Play Counts" file; entries of 12 bytes hold the
// first two fields, of 16 and 20 the rating too, of 28 the skips as well.
struct PlayCount {
    uint32_t plays = 0;
    uint32_t lastPlayed = 0;
    uint32_t rating = 0;
    uint32_t skips = 0;
    uint32_t lastSkipped = 0;
};
std::vector<uint8_t> WritePlayCounts(const std::vector<PlayCount>& entries, uint32_t entryLength);

// An On-The-Go playlist file: indexes into the tracks in file order.
std::vector<uint8_t> WriteOnTheGo(const std::vector<uint32_t>& trackIndexes);

// The iTunesCDB form of a plain database: its mhbd header with the form
// word (offset 12) at 2, then the rest as one zlib stream (level 1, so it
// starts 78 01, as devices write it). The total length at offset 8 becomes
// the compressed file's size, as on a device.
std::vector<uint8_t> Compress(const std::vector<uint8_t>& plain);

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace dbwriter
