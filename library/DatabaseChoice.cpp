#include "library/DatabaseChoice.h"

#include <sys/stat.h>

#include "library/DevicePaths.h"
#include "library/MusicFiles.h"
#include "library/ResolvePath.h"

namespace {

// -1: no entry at `path`; otherwise its size in bytes.
long long EntrySize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

} // namespace

std::string ChooseDatabaseOnVolume(const std::string& mountPoint) {
    const std::string compressed =
        ResolveExistingPath(DatabasePathOnVolume(mountPoint, kCompressedDatabaseName));
    const long long compressedSize = EntrySize(compressed);
    if (compressedSize > 0)
        return compressed;
    const std::string plain = ResolveExistingPath(DatabasePathOnVolume(mountPoint));
    if (EntrySize(plain) >= 0)
        return plain;
    return compressedSize == 0 ? compressed : std::string();
}

std::string DevicePathOnVolume(const std::string& mountPoint) {
    std::string path = ChooseDatabaseOnVolume(mountPoint);
    if (path.empty() && HasMusicFiles(mountPoint))
        path = DatabasePathOnVolume(mountPoint);
    return path;
}
