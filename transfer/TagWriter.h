#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transfer/TagValues.h"

enum class TagWriteResult : int {
    Tagged = 0,
    NotTaggable = 1, // not a format tags are written into
    Refused = 2,     // TagLib could not make sense of the file
    NotSaved = 3,    // TagLib could not write the tags back; the file may be damaged
};

// Lower-case text for reports: "not a format that takes tags", ...
const char* TagWriteText(TagWriteResult result);

// Writes the library's view of a track into the music file at `path`, a
// copy that is not in place yet: the standard tags the file lacks (those it
// has stay), the rating and the play count as Linux players read them, and
// `jpeg` (may be null) as the front cover when the file has no picture.
// `ext` is the name the file will have, from its dot ("." + "mp3"); the
// format follows it. An unrated track gets no rating tag, one never played
// no play count.
TagWriteResult WriteTags(const std::string& path, const std::string& ext, const TagValues& values,
                         const std::vector<uint8_t>* jpeg);

// A tag that takes the place of the first `replaced` bytes of a file.
struct FrontTag {
    std::string bytes;
    uint64_t replaced = 0;
};

// A tag that goes in front of a file's audio grows the file at its start,
// and saving it into a copy would write the audio a second time. For such
// a file (an MP3 whose ID3v2 tag, if any, starts it) this renders, from
// the file on the device (opened only for reading), the tag WriteTags
// would give its copy, so that the copy is written once: `front`, then the
// file's bytes after `front.replaced`. False for any other file, which is
// tagged by WriteTags once copied.
bool RenderFrontTag(const std::string& source, const std::string& ext, const TagValues& values,
                    const std::vector<uint8_t>* jpeg, FrontTag& front);
