#include "library/TagReadStream.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

TagReadStream::TagReadStream(int fd, std::string path, uint64_t size)
    : fd_(fd), path_(std::move(path)), size_(long(std::min<uint64_t>(size, LONG_MAX))) {}

TagReadStream::~TagReadStream() {
    ::close(fd_);
}

TagLib::ByteVector TagReadStream::readBlock(unsigned long length) {
    // Shared: a copy of it costs less than a new empty block, and TagLib's
    // backward scans ask for millions once the reads are spent.
    static const TagLib::ByteVector kNothing;
    if (readsLeft_ == 0 || position_ >= size_)
        return kNothing;
    --readsLeft_;
    const uint64_t wanted = std::min({uint64_t(length), uint64_t(size_ - position_), bytesLeft_});
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), 0);
    size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::pread(fd_, block.data() + got, wanted - got, position_ + long(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += size_t(n);
    }
    block.resize(static_cast<unsigned int>(got));
    position_ += long(got);
    bytesLeft_ -= got;
    return block;
}

// A seek before the start is refused, as fseek refuses it.
void TagReadStream::seek(long offset, Position from) {
    const long base = from == Beginning ? 0 : from == Current ? position_ : size_;
    if (offset >= -base && offset <= LONG_MAX - base)
        position_ = base + offset;
}

int OpenRegularFileForTags(const std::string& path, uint64_t& size) {
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
