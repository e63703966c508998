#include "support/TaggedSampleDevice.h"

#include <filesystem>

#include "library/Utf16.h"
#include "support/SampleDevice.h"
#include "support/TaggedAudio.h"

namespace {

// ":iPod_Control:Music:F00:MDBG.mp3" under `root`.
std::string TrackFile(const std::string& root, const std::u16string& location) {
    std::string relative = ToUtf8(location);
    for (char& c : relative)
        c = c == ':' ? '/' : c;
    return root + relative;
}

} // namespace

bool WriteTaggedSampleDevice(const std::string& root) {
    if (!WriteSampleDevice(root) || !WriteSampleArtwork(root))
        return false;
    for (const dbwriter::Track& track : SampleDeviceDatabase().tracks) {
        const AudioTags tags{track.title, track.artist, track.album, track.genre};
        if (!WriteTaggedAudio(TrackFile(root, *track.location), tags, 1, track.fileSize))
            return false;
    }
    return true;
}

bool WriteSampleDeviceWithoutDatabase(const std::string& root) {
    std::error_code error;
    return WriteTaggedSampleDevice(root) &&
           std::filesystem::remove(root + "/iPod_Control/iTunes/iTunesDB", error) && !error;
}
