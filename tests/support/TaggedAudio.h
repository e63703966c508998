#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Small but real audio files, tagged with TagLib's writing side, for the
// tests, the sample device and the scan benchmark. The containers are the
// least each format needs (silent MPEG frames, an empty MP4 movie, a few
// PCM samples); the tags are TagLib's own.
struct AudioTags {
    std::optional<std::u16string> title, artist, album, genre;
    // More fields under TagLib's property names ("TRACKNUMBER" = "3/12",
    // "ALBUMARTIST", ...), which each format maps to its own frames.
    std::vector<std::pair<std::string, std::string>> properties = {};
};

// The format follows the extension of `path`: .mp3 (and .aac, written as
// MPEG frames), .m4a/.m4b/.m4p, .wav, .aif/.aiff, .flac, .ogg (Vorbis).
// `seconds` of silence; with padTo the file is grown to at least that many
// bytes by more frames or samples. False on any failure, or for another extension.
bool WriteTaggedAudio(const std::string& path, const AudioTags& tags, uint32_t seconds = 1,
                      uint32_t padTo = 0);

// The untagged container alone, as WriteTaggedAudio lays it down.
bool WriteUntaggedAudio(const std::string& path, uint32_t seconds = 1, uint32_t padTo = 0);
