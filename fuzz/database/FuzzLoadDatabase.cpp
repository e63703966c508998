// libFuzzer target: raw bytes as a device's iTunesDB, through the same
// LoadDatabase the program uses, then every view and every string read back.
// A plain input is also packed into its iTunesCDB form, which must load
// alike; packed inputs (in the seeds) take the inflating path directly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "library/CItuneDB.h"
#include "library/CompressedImage.h"

namespace {

int DatabaseFile() {
    static const int fd = memfd_create("iTunesDB", MFD_CLOEXEC);
    return fd;
}

size_t TouchStrings(const TrackRecord& row) {
    size_t units = 0;
    for (const char16_t* field : {row.title, row.artist, row.album, row.genre, row.location})
        for (const char16_t* p = field; p && *p; ++p)
            ++units;
    return units;
}

int LoadBytes(CItuneDB& db, const uint8_t* data, size_t size) {
    const int fd = DatabaseFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
        return -1;
    return db.LoadDatabase("/proc/self/fd/" + std::to_string(fd));
}

uint32_t Word(const uint8_t* data, size_t offset) {
    return uint32_t(data[offset]) | uint32_t(data[offset + 1]) << 8 |
           uint32_t(data[offset + 2]) << 16 | uint32_t(data[offset + 3]) << 24;
}

// The iTunesCDB form of a plain root, or empty when the input has none or
// packs so well that the inflating bound rightly refuses it.
std::vector<uint8_t> PackedTwin(const uint8_t* data, size_t size) {
    if (size < 24 || std::string(reinterpret_cast<const char*>(data), 4) != "mhbd" ||
        Word(data, 12) != 1 || Word(data, 4) < 24 || Word(data, 4) > size)
        return {};
    const size_t header = Word(data, 4);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CItuneDB db;
    const int result = LoadBytes(db, data, size);
    if (result < 0)
        return 0;
    if (const std::vector<uint8_t> packed = PackedTwin(data, size); !packed.empty()) {
        CItuneDB twin;
        if (LoadBytes(twin, packed.data(), packed.size()) != result)
            __builtin_trap(); // the two forms of one database must load alike
    }
    if (result != 1)
        return 0;
    volatile size_t sink = 0;
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        for (const char16_t* c = db.playlists[p].name; c && *c; ++c)
            sink = sink + 1;
        if (db.BuildPlaylistView(int32_t(p)) != 1)
            __builtin_trap(); // a loaded table must give every view
        for (uint32_t r = 0; r < db.viewRowCount; ++r)
            sink = sink + TouchStrings(db.viewRows[r]);
    }
    return 0;
}
