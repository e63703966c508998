// libFuzzer target: raw bytes as a device's ArtworkDB, through the same
// ArtworkLibrary the copy uses, then every cover it finds read back. Bytes
// after the root chunk's total length become the thumbnail file the seeds
// name (F1060_1.ithmb), so mutated offsets, sizes and paddings meet a real
// file; a mutated name meets a missing one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzDevice.h"
#include "library/ArtworkLibrary.h"
#include "library/ByteReader.h"
#include "library/TrackDetails.h"

namespace {

// Links and dbids tried: the seeds' images use ids and dbids below this.
constexpr uint32_t kIdsTried = 64;

const std::string& ArtworkFolder() {
    return fuzzdevice::Folder("iPod_Control/Artwork/");
}

bool WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    return fuzzdevice::WriteFile(ArtworkFolder() + name, data, size);
}

size_t DatabaseEnd(const uint8_t* data, size_t size) {
    if (size < 12)
        return size;
    const size_t total = ByteReader(data, size).U32(8);
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
    if (library.Load(fuzzdevice::Root()) != 1)
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
