#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Adds `picture` (JPEG or PNG bytes, told by their first bytes) to a file
// WriteTaggedAudio wrote, with TagLib's writing side, the way taggers store
// a cover: an ID3v2 APIC frame for .mp3, an MP4 covr item for .m4a, a FLAC
// picture block for .flac. `type` is the ID3v2/FLAC picture type (3, the
// front cover; ignored for MP4). False on any failure.
bool AddEmbeddedPicture(const std::string& path, const std::vector<uint8_t>& picture, int type = 3);
