#include "library/DeviceSideFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadWholeFile(int fd, uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

DeviceFileRead ReadDeviceSideFile(const std::string& path, size_t maxBytes,
                                  std::vector<uint8_t>& bytes) {
    bytes.clear();
    // Non-blocking, as for the database: a FIFO in its place must not hang.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? DeviceFileRead::Missing
                                                   : DeviceFileRead::Unreadable;
    struct stat st {};
    DeviceFileRead result = DeviceFileRead::Unreadable;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (uint64_t(st.st_size) > maxBytes) {
            result = DeviceFileRead::TooLarge;
        } else {
            bytes.resize(size_t(st.st_size));
            result = ReadWholeFile(fd, bytes.data(), bytes.size()) ? DeviceFileRead::Read
                                                                   : DeviceFileRead::Unreadable;
        }
    }
    close(fd);
    if (result != DeviceFileRead::Read)
        bytes.clear();
    return result;
}
