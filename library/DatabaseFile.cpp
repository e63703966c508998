// Reading the database file: mapped, so a load costs no copy of a hundred
// megabytes, under a guard that turns a cable pulled mid-load into zeros
// the load then refuses (ImageBuffer::Faulted). Nothing on Linux stops
// another process rewriting the file during a load either; a fill never
// writes past the room its tables have, so that load fails or holds the
// newer bytes, never more. Where a guard cannot be had, the file
// is read whole into memory instead.
#include "library/CItuneDB.h"
#include "library/DeviceSideFile.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Offsets inside the format are 32-bit, so a larger file is not a database.
constexpr uint64_t kLargestDatabase = UINT32_MAX;

} // namespace

int CItuneDB::MapDatabase() {
    // Non-blocking so that a FIFO in the database's place fails at once
    // instead of hanging the window; regular files ignore the flag.
    const int fd = open(dbPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return 0;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
              uint64_t(st.st_size) <= kLargestDatabase;
    if (ok) {
        const auto size = static_cast<size_t>(st.st_size);
        if (!fileImage.MapFile(fd, size)) {
            outOfMemory = !fileImage.Allocate(size);
            ok = !outOfMemory && ReadWholeFile(fd, fileImage.data(), size);
        }
    }
    close(fd);
    if (!ok)
        UnmapDatabase();
    return ok ? 1 : 0;
}

void CItuneDB::UnmapDatabase() {
    fileImage.Release();
}
