#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The front cover a music file carries in its own tags, read with TagLib
// through a TagReadStream (read-only, bounded): an ID3v2 APIC frame (mp3,
// aac, aiff, wav), an MP4 covr item or a FLAC picture. A picture marked as
// the front cover wins; failing that the file's first picture. The bytes are
// as stored (JPEG or PNG, or whatever the tag holds). False when the file is
// unreadable or has no picture.
bool ReadEmbeddedPicture(const std::string& path, std::vector<uint8_t>& picture);
