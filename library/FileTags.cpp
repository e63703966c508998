#include "library/FileTags.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include "library/TagReadStream.h"
#include "library/Utf16.h"

namespace {

std::optional<std::u16string> Field(const TagLib::String& text) {
    if (text.isEmpty())
        return std::nullopt;
    return FromUtf8(text.to8Bit(true));
}

// Opening the file ourselves tells a vanished or locked file (skip it) from
// one whose content TagLib does not understand (keep its row). The file is
// opened once, read-only, and TagLib reads that same file. -1 when it is no
// regular file.
int OpenRegularFile(const std::string& path, uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = uint64_t(st.st_size);
    return fd;
}

} // namespace

TagReadResult ReadFileTags(const std::string& path, FileTags& tags) {
    tags = FileTags{};
    const int fd = OpenRegularFile(path, tags.size);
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
    if (const TagLib::AudioProperties* properties = file.audioProperties())
        tags.lengthMs = uint32_t(std::max(0, properties->lengthInMilliseconds()));
    return TagReadResult::Tagged;
}
