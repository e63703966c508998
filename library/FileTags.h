#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What one music file tells about itself, read with TagLib.
struct FileTags {
    // Absent when the file has no tag, the tag lacks the field, or it is empty.
    std::optional<std::u16string> title, artist, album, genre;
    std::optional<std::u16string> composer, albumArtist;
    uint32_t trackNumber = 0, trackCount = 0, discNumber = 0, discCount = 0, year = 0; // 0: none
    bool compilation = false;
    uint64_t size = 0;     // bytes on disk
    uint32_t lengthMs = 0; // playing time, 0 when unknown
};

enum class TagReadResult : int {
    Tagged = 0,     // tags and properties read
    Untagged = 1,   // the file is there but TagLib cannot make sense of it
    Unreadable = 2, // vanished, not a regular file, or cannot be opened
};

// Reads `path`'s tags, size and length. Untagged still fills `size`.
TagReadResult ReadFileTags(const std::string& path, FileTags& tags);
