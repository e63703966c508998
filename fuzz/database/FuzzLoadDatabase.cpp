// libFuzzer target: raw bytes as a device's iTunesDB, through the same
// LoadDatabase the program uses, then every view and every string read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "library/CItuneDB.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = DatabaseFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
        return 0;
    CItuneDB db;
    if (db.LoadDatabase("/proc/self/fd/" + std::to_string(fd)) != 1)
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
