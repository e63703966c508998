#include "transfer/IdenticalFile.h"

#include "transfer/FreeName.h"
#include "transfer/PathComponent.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Fd {
public:
    explicit Fd(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    const int fd;
};

// Fills `buffer` as far as the file goes; -1 on a read error.
ssize_t ReadFull(int fd, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += size_t(got);
    }
    return ssize_t(done);
}

} // namespace

bool SameContent(const std::string& a, const std::string& b) {
    const Fd first(a), second(b);
    if (first.fd < 0 || second.fd < 0)
        return false;
    constexpr size_t kChunk = 1 << 16;
    std::array<char, kChunk> left{}, right{};
    for (;;) {
        const ssize_t n = ReadFull(first.fd, left.data(), kChunk);
        const ssize_t m = ReadFull(second.fd, right.data(), kChunk);
        if (n < 0 || n != m || std::memcmp(left.data(), right.data(), size_t(n)) != 0)
            return false;
        if (n == 0)
            return true;
    }
}

bool FindIdenticalFile(const std::string& source, const std::string& folder,
                       const std::string& title, const std::string& ext, std::string& found) {
    struct stat from {};
    if (::stat(source.c_str(), &from) != 0 || !S_ISREG(from.st_mode))
        return false;
    for (int counter = -1; counter < kMaxNameLookups - 1; ++counter) {
        const std::string candidate = folder + CandidateFileName(title, counter, ext);
        struct stat st {};
        if (::lstat(candidate.c_str(), &st) != 0)
            return false;
        if (S_ISREG(st.st_mode) && st.st_size == from.st_size && SameContent(source, candidate)) {
            found = candidate;
            return true;
        }
    }
    return false;
}
