// libFuzzer target: raw bytes as a device's iTunesDB, through the same
// LoadDatabase the program uses, then every view, every string and every
// track's details read back. Bytes after the root chunk's total length
// become the files the device writes beside it: each run starting "mhdp" a
// Play Counts file, each starting "mhpo" the next On-The-Go file. A plain
// input is also packed into its iTunesCDB form, which must load alike;
// packed inputs (in the seeds) take the inflating path directly.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "FuzzDevice.h"
#include "library/ByteReader.h"
#include "library/CItuneDB.h"
#include "library/CompressedImage.h"

namespace {

// The largest number of On-The-Go files one input writes.
constexpr size_t kMostOnTheGoFiles = 8;

bool TagAt(const uint8_t* data, size_t size, size_t at, const char* tag) {
    return size - at >= 4 && std::memcmp(data + at, tag, 4) == 0;
}

const std::string& DeviceFolder() {
    return fuzzdevice::Folder("iPod_Control/iTunes/");
}

bool WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    return !DeviceFolder().empty() && fuzzdevice::WriteFile(DeviceFolder() + name, data, size);
}

std::string OnTheGoName(size_t n) {
    return n == 0 ? "OTGPlaylistInfo" : "OTGPlaylistInfo_" + std::to_string(n);
}

// Where the database ends and the device's other files begin.
size_t DatabaseEnd(const uint8_t* data, size_t size) {
    if (size < 12 || !TagAt(data, size, 0, "mhbd"))
        return size;
    const size_t total = ByteReader(data, size).U32(8);
    return total < size ? total : size;
}

// Writes the tail's files, removing those of the input before.
bool WriteSideFiles(const uint8_t* data, size_t size, size_t from) {
    if (DeviceFolder().empty())
        return false;
    unlink((DeviceFolder() + "Play Counts").c_str());
    for (size_t n = 0; n < kMostOnTheGoFiles; ++n)
        unlink((DeviceFolder() + OnTheGoName(n)).c_str());
    std::vector<size_t> starts;
    for (size_t at = from; at < size; ++at)
        if (TagAt(data, size, at, "mhdp") || TagAt(data, size, at, "mhpo"))
            starts.push_back(at);
    size_t onTheGo = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        const size_t end = i + 1 < starts.size() ? starts[i + 1] : size;
        const bool playCounts = data[starts[i] + 3] == 'p';
        if (!playCounts && onTheGo == kMostOnTheGoFiles)
            continue;
        const std::string name = playCounts ? "Play Counts" : OnTheGoName(onTheGo++);
        if (!WriteFile(name, data + starts[i], end - starts[i]))
            return false;
    }
    return true;
}

int LoadBytes(CItuneDB& db, const char* name, const uint8_t* data, size_t size) {
    if (!WriteFile(name, data, size))
        return -1;
    return db.LoadDatabase(DeviceFolder() + name);
}

// The iTunesCDB form of a plain root, or empty when the input has none or
// packs so well that the inflating bound rightly refuses it.
std::vector<uint8_t> PackedTwin(const uint8_t* data, size_t size) {
    const ByteReader bytes(data, size);
    if (!bytes.Has(0, 24) || !bytes.TagIs(0, "mhbd") || bytes.U32(12) != 1 || bytes.U32(4) < 24 ||
        bytes.U32(4) > size)
        return {};
    const size_t header = bytes.U32(4);
    uLongf packedSize = compressBound(uLong(size - header));
    std::vector<uint8_t> packed(header + packedSize);
    std::copy(data, data + header, packed.begin());
    packed[12] = 2;
    if (compress2(packed.data() + header, &packedSize, data + header, uLong(size - header), 1) !=
            Z_OK ||
        packedSize * kLargestInflateRatio < size - header)
        return {};
    packed.resize(header + packedSize);
    return packed;
}

size_t CountUnits(const char16_t* text) {
    size_t units = 0;
    for (const char16_t* p = text; p && *p; ++p)
        ++units;
    return units;
}

size_t TouchRow(const CItuneDB& db, const TrackRecord& row) {
    size_t units = 0;
    for (const char16_t* field : {row.title, row.artist, row.album, row.genre, row.location})
        units += CountUnits(field);
    if (const TrackDetails* details = db.DetailsOf(row))
        units += CountUnits(db.DetailText(details->composer)) +
                 CountUnits(db.DetailText(details->albumArtist)) + details->playCount % 2;
    return units;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t databaseSize = DatabaseEnd(data, size);
    if (!WriteSideFiles(data, size, databaseSize))
        return 0;
    CItuneDB db;
    const int result = LoadBytes(db, "iTunesDB", data, databaseSize);
    if (result < 0)
        return 0;
    if (const std::vector<uint8_t> packed = PackedTwin(data, databaseSize); !packed.empty()) {
        CItuneDB twin;
        if (LoadBytes(twin, "iTunesCDB", packed.data(), packed.size()) != result)
            __builtin_trap(); // the two forms of one database must load alike
    }
    if (result != 1)
        return 0;
    volatile size_t sink = 0;
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        sink = sink + CountUnits(db.playlists[p].name) + db.IsOnTheGo(p);
        if (db.BuildPlaylistView(int32_t(p)) != 1)
            __builtin_trap(); // a loaded table must give every view
        for (uint32_t r = 0; r < db.viewRowCount; ++r)
            sink = sink + TouchRow(db, db.viewRows[r]);
    }
    return 0;
}
