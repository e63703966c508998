#include "support/ItunesDbWriter.h"

#include <algorithm>
#include <fstream>
#include <zlib.h>

#include "support/ChunkBuffer.h"

namespace dbwriter {
namespace {

constexpr uint32_t kRootHeaderMinimal = 0x68;
constexpr uint32_t kRootHeaderReal = 0xF4;
constexpr uint32_t kTrackHeaderMinimal = 0xF4;
constexpr uint32_t kTrackHeaderReal = 0x248;
constexpr uint32_t kDataSetHeader = 0x60;
constexpr uint32_t kListHeader = 0x5C;
constexpr uint32_t kPlaylistHeader = 0x6C;
constexpr uint32_t kItemHeader = 0x4C;
constexpr uint32_t kObjectHeader = 0x18;

void WriteString(ChunkBuffer& out, uint32_t type, const std::u16string& text) {
    const size_t at = out.Begin("mhod", kObjectHeader);
    out.Set(at, 12, type);
    out.bytes.resize(at + 40, 0);
    out.Set(at, 24, 1);                         // position
    out.Set(at, 28, uint32_t(text.size() * 2)); // string length in bytes
    out.Set(at, 32, 1);                         // UTF-16 marker
    for (char16_t unit : text) {
        const uint8_t le[2] = {uint8_t(unit & 0xFF), uint8_t(unit >> 8)};
        out.Append(le, 2);
    }
    out.End(at);
}

// Data objects the reader must step over: index and layout blobs.
void WriteOpaqueObject(ChunkBuffer& out, uint32_t type, size_t payload) {
    const size_t at = out.Begin("mhod", kObjectHeader);
    out.Set(at, 12, type);
    for (size_t i = 0; i < payload; ++i)
        out.bytes.push_back(uint8_t(0xA0 + i % 32));
    out.End(at);
}

constexpr uint32_t kArtworkLinkHeader = 0x184;
constexpr uint32_t kPlayCountsHeader = 0x60;
constexpr uint32_t kOnTheGoHeader = 0x14;

uint32_t TrackObjectCount(const Track& track, bool extras) {
    uint32_t n = extras ? 2 : 0;
    for (const auto* field : {&track.title, &track.location, &track.album, &track.artist,
                              &track.genre, &track.composer, &track.albumArtist})
        n += field->has_value();
    return n;
}

void WriteHeaderFields(ChunkBuffer& out, size_t at, uint32_t header, const Track& track) {
    auto fits = [header](size_t offset, size_t size) { return offset + size <= header; };
    if (fits(30, 1))
        out.bytes[at + 30] = track.compilation;
    if (fits(31, 1))
        out.bytes[at + 31] = track.rating;
    const std::pair<size_t, uint32_t> words[] = {{44, track.trackNumber},
                                                 {48, track.trackCount},
                                                 {52, track.year},
                                                 {80, track.playCount},
                                                 {88, track.lastPlayed},
                                                 {92, track.discNumber},
                                                 {96, track.discCount},
                                                 {104, track.dateAdded},
                                                 {112, uint32_t(track.dbid)},
                                                 {116, uint32_t(track.dbid >> 32)},
                                                 {156, track.skipCount},
                                                 {160, track.lastSkipped}};
    for (const auto& [offset, value] : words)
        if (fits(offset, 4))
            out.Set(at, offset, value);
    if (header >= kArtworkLinkHeader)
        out.Set(at, 352, track.artworkLink);
}

void WriteTrack(ChunkBuffer& out, const Track& track, const Options& options, Written& marks) {
    uint32_t header = options.trackHeaderLength;
    if (header == 0)
        header = options.realDeviceExtras ? kTrackHeaderReal : kTrackHeaderMinimal;
    const size_t at = out.Begin("mhit", header);
    marks.trackOffsets.push_back(at);
    out.Set(at, 12, TrackObjectCount(track, options.realDeviceExtras));
    out.Set(at, 16, track.id);
    out.Set(at, 36, track.fileSize);
    if (header >= 44)
        out.Set(at, 40, track.lengthMs);
    if (header >= 212)
        out.Set(at, 208, track.kindFlag);
    WriteHeaderFields(out, at, header, track);
    if (options.realDeviceExtras)
        WriteString(out, 6, u"MPEG audio file");
    const std::pair<uint32_t, const std::optional<std::u16string>*> fields[] = {
        {1, &track.title}, {2, &track.location},  {3, &track.album},       {4, &track.artist},
        {5, &track.genre}, {12, &track.composer}, {22, &track.albumArtist}};
    for (const auto& [type, text] : fields)
        if (text->has_value())
            WriteString(out, type, **text);
    if (options.realDeviceExtras)
        WriteOpaqueObject(out, 100, 20);
    out.End(at);
}

void WritePlaylist(ChunkBuffer& out, const Playlist& playlist, bool extras,
                   std::vector<size_t>* marks) {
    const size_t at = out.Begin("mhyp", kPlaylistHeader);
    if (marks)
        marks->push_back(at);
    uint32_t objects = playlist.name ? 1 : 0;
    if (playlist.name)
        WriteString(out, 1, *playlist.name);
    if (extras) {
        WriteOpaqueObject(out, 100, 0x270);
        objects += 1;
        if (playlist.master) {
            WriteOpaqueObject(out, 52, 64);
            WriteOpaqueObject(out, 53, 32);
            objects += 2;
        }
    }
    out.Set(at, 12, objects);
    out.Set(at, 16, uint32_t(playlist.items.size()));
    out.bytes[at + 20] = playlist.master ? 1 : 0;
    uint32_t position = 0;
    for (uint32_t id : playlist.items) {
        const size_t item = out.Begin("mhip", kItemHeader);
        out.Set(item, 12, extras ? 1 : 0);
        out.Set(item, 24, id);
        if (extras) {
            // Each item carries its position in a type-100 mhod.
            const size_t child = out.Begin("mhod", kObjectHeader);
            out.Set(child, 12, 100);
            out.bytes.resize(out.bytes.size() + 20, 0);
            out.Set(child, 24, position++);
            out.End(child);
        }
        out.End(item);
    }
    out.End(at);
}

void WritePlaylistList(ChunkBuffer& out, const std::vector<Playlist>& playlists, bool extras,
                       std::vector<size_t>* marks) {
    const size_t list = out.Begin("mhlp", kListHeader);
    out.Set(list, 8, uint32_t(playlists.size()));
    for (const Playlist& playlist : playlists)
        WritePlaylist(out, playlist, extras, marks);
}

std::vector<Playlist> PodcastPlaylists(const Database& database) {
    if (database.podcastPlaylists)
        return *database.podcastPlaylists;
    std::vector<Playlist> copy = database.playlists;
    copy.push_back({false, u"Podcasts", {}});
    return copy;
}

void WriteDataSet(ChunkBuffer& out, uint32_t kind, const Database& database, Written& marks) {
    const bool extras = database.options.realDeviceExtras;
    const size_t at = out.Begin("mhsd", kDataSetHeader);
    marks.dataSetOffsets.push_back(at);
    out.Set(at, 12, kind);
    if (kind == 1) {
        const size_t list = out.Begin("mhlt", kListHeader);
        out.Set(list, 8, uint32_t(database.tracks.size()));
        for (const Track& track : database.tracks)
            WriteTrack(out, track, database.options, marks);
    } else if (kind == 2) {
        WritePlaylistList(out, database.playlists, extras, &marks.playlistOffsets);
    } else if (kind == 3) {
        WritePlaylistList(out, PodcastPlaylists(database), extras, nullptr);
    } else if (kind == 5) {
        // Smart playlists: a playlist list of its own that is never read.
        WritePlaylistList(out, {{false, u"Recently Added", {}}}, extras, nullptr);
    } else if (kind == 6) {
        // Another track list format that is never read.
        const size_t list = out.Begin("mhlt", kListHeader);
        out.Set(list, 8, 0);
    } else {
        const size_t list = out.Begin(kind == 8 ? "mhli" : "mhla", kListHeader);
        out.Set(list, 8, 0);
    }
    out.End(at);
}

} // namespace

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= uint32_t(bytes[offset + i]) << (8 * i);
    return value;
}

Written Write(const Database& database) {
    const Options& options = database.options;
    std::vector<uint32_t> order = options.dataSetOrder;
    if (order.empty())
        order = options.realDeviceExtras ? std::vector<uint32_t>{4, 1, 3, 2, 5, 6, 8, 10}
                                         : std::vector<uint32_t>{1, 2};
    Written written;
    ChunkBuffer out;
    const size_t root =
        out.Begin("mhbd", options.realDeviceExtras ? kRootHeaderReal : kRootHeaderMinimal);
    out.Set(root, 12, 1);
    out.Set(root, 16, 0x19); // database version
    out.Set(root, 20, options.rootDataSetCount.value_or(uint32_t(order.size())));
    for (uint32_t kind : order)
        WriteDataSet(out, kind, database, written);
    out.End(root);
    written.bytes = std::move(out.bytes);
    return written;
}

std::vector<uint8_t> WritePlayCounts(const std::vector<PlayCount>& entries, uint32_t entryLength) {
    ChunkBuffer out;
    out.Begin("mhdp", kPlayCountsHeader);
    out.Set(0, 8, entryLength);
    out.Set(0, 12, uint32_t(entries.size()));
    for (const PlayCount& entry : entries) {
        const size_t at = out.bytes.size();
        out.bytes.resize(at + entryLength, 0);
        const std::pair<size_t, uint32_t> fields[] = {{0, entry.plays},
                                                      {4, entry.lastPlayed},
                                                      {12, entry.rating},
                                                      {20, entry.skips},
                                                      {24, entry.lastSkipped}};
        for (const auto& [offset, value] : fields)
            if (offset + 4 <= entryLength)
                out.Set(at, offset, value);
    }
    return out.bytes;
}

std::vector<uint8_t> WriteOnTheGo(const std::vector<uint32_t>& trackIndexes) {
    ChunkBuffer out;
    out.Begin("mhpo", kOnTheGoHeader);
    out.Set(0, 8, 4);
    out.Set(0, 12, uint32_t(trackIndexes.size()));
    out.Set(0, 16, 0x1234); // devices refuse the file when this word is 0
    for (uint32_t index : trackIndexes) {
        out.bytes.resize(out.bytes.size() + 4);
        out.Set(out.bytes.size() - 4, 0, index);
    }
    return out.bytes;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& plain) {
    const size_t header = Get32(plain, 4);
    uLongf packedSize = compressBound(uLong(plain.size() - header));
    std::vector<uint8_t> file(header + packedSize);
    std::copy(plain.begin(), plain.begin() + std::ptrdiff_t(header), file.begin());
    compress2(file.data() + header, &packedSize, plain.data() + header,
              uLong(plain.size() - header), 1);
    file.resize(header + packedSize);
    Put32(file, 8, uint32_t(file.size()));
    Put32(file, 12, 2);
    if (header >= 0xAA) {
        file[0xA8] = 1;
        file[0xA9] = 0;
    }
    return file;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

} // namespace dbwriter
