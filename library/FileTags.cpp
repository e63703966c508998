#include "library/FileTags.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include "library/NumberPair.h"
#include "library/TagReadStream.h"
#include "library/Utf16.h"

namespace {

std::optional<std::u16string> Field(const TagLib::String& text) {
    if (text.isEmpty())
        return std::nullopt;
    return FromUtf8(text.to8Bit(true));
}

// The fields the common Tag interface lacks, under TagLib's property names,
// which each format maps from its own frames and atoms.
void ReadLibraryFields(const TagLib::PropertyMap& properties, FileTags& tags) {
    auto first = [&properties](const char* key) {
        const auto found = properties.find(key);
        return found == properties.end() || found->second.isEmpty() ? TagLib::String()
                                                                    : found->second.front();
    };
    tags.composer = Field(first("COMPOSER"));
    tags.albumArtist = Field(first("ALBUMARTIST"));
    const NumberPair track = ParseNumberPair(first("TRACKNUMBER").to8Bit(true));
    const NumberPair disc = ParseNumberPair(first("DISCNUMBER").to8Bit(true));
    tags.trackNumber = track.number, tags.trackCount = track.count;
    tags.discNumber = disc.number, tags.discCount = disc.count;
    tags.compilation = ParseNumberPair(first("COMPILATION").to8Bit(true)).number != 0;
}

} // namespace

TagReadResult ReadFileTags(const std::string& path, FileTags& tags) {
    tags = FileTags{};
    const int fd = OpenRegularFileForTags(path, tags.size);
    if (fd < 0)
        return TagReadResult::Unreadable;
    TagReadStream stream(fd, path, tags.size);
    const TagLib::FileRef file(&stream, true, TagLib::AudioProperties::Fast);
    if (file.isNull() || !file.tag())
        return TagReadResult::Untagged;
    const TagLib::Tag& tag = *file.tag();
    tags.title = Field(tag.title());
    tags.artist = Field(tag.artist());
    tags.album = Field(tag.album());
    tags.genre = Field(tag.genre());
    tags.year = tag.year();
    ReadLibraryFields(file.file()->properties(), tags);
    if (const TagLib::AudioProperties* properties = file.audioProperties())
        tags.lengthMs = uint32_t(std::max(0, properties->lengthInMilliseconds()));
    return TagReadResult::Tagged;
}
