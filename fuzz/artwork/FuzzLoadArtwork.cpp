// libFuzzer target: raw bytes as a device's ArtworkDB, through the same
// ArtworkLibrary the copy uses, then every cover it finds read back. Bytes
// after the root chunk's total length become the thumbnail file the seeds
// name (F1060_1.ithmb), so mutated offsets, sizes and paddings meet a real
// file; a mutated name meets a missing one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "library/ArtworkLibrary.h"
#include "library/TrackDetails.h"

namespace {

// Links and dbids tried: the seeds' images use ids and dbids below this.
constexpr uint32_t kIdsTried = 64;

std::string& DeviceRoot() {
    static std::string root;
    return root;
}

// A device folder of this process's own on a memory file system, made once
// and removed when the process ends. Empty when it cannot be made.
const std::string& ArtworkFolder() {
    static const std::string folder = [] {
        char base[] = "/dev/shm/corvane-fuzz-art-XXXXXX";
        if (!mkdtemp(base))
            return std::string();
        DeviceRoot() = base;
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(DeviceRoot(), error);
        });
        const std::string artwork = DeviceRoot() + "/iPod_Control/Artwork/";
        std::error_code error;
        std::filesystem::create_directories(artwork, error);
        return error ? std::string() : artwork;
    }();
    return folder;
}

bool WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    FILE* file = std::fopen((ArtworkFolder() + name).c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

size_t DatabaseEnd(const uint8_t* data, size_t size) {
    if (size < 12)
        return size;
    const size_t total = uint32_t(data[8]) | uint32_t(data[9]) << 8 | uint32_t(data[10]) << 16 |
                         uint32_t(data[11]) << 24;
    return total < size ? total : size;
}

void ReadBack(const ArtworkLibrary& library, const TrackDetails& details) {
    const CoverRef ref = library.CoverOf(details);
    CoverPixels pixels;
    if (!library.ReadCover(ref, pixels))
        return;
    if (pixels.width == 0 || pixels.height == 0 ||
        pixels.rgb.size() != size_t(pixels.width) * pixels.height * 3)
        __builtin_trap(); // a cover read is a whole picture
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ArtworkFolder().empty())
        return 0;
    const size_t databaseEnd = DatabaseEnd(data, size);
    if (!WriteFile("ArtworkDB", data, databaseEnd) ||
        !WriteFile("F1060_1.ithmb", data + databaseEnd, size - databaseEnd))
        return 0;
    ArtworkLibrary library;
    if (library.Load(DeviceRoot()) != 1)
        return 0;
    for (uint32_t id = 0; id < kIdsTried; ++id) {
        TrackDetails details;
        details.artworkLink = id;
        details.SetDbid(id);
        details.present = TrackDetails::kArtworkLink;
        ReadBack(library, details);
        details.present = TrackDetails::kDbid;
        ReadBack(library, details);
    }
    return 0;
}
