#include "library/DeviceSideFile.h"

#include "library/ImageBuffer.h"

#include <cerrno>
#include <cstdint>
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

namespace {

// Opens and checks the file, then has `take` read its `size` bytes from
// `fd`; `take` returns false when it cannot.
template <typename Take>
DeviceFileRead TakeDeviceSideFile(const std::string& path, size_t maxBytes, Take take) {
    // Non-blocking, as for the database: a FIFO in its place must not hang.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? DeviceFileRead::Missing
                                                   : DeviceFileRead::Unreadable;
    struct stat st {};
    DeviceFileRead result = DeviceFileRead::Unreadable;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (uint64_t(st.st_size) > maxBytes)
            result = DeviceFileRead::TooLarge;
        else if (take(fd, size_t(st.st_size)))
            result = DeviceFileRead::Read;
    }
    close(fd);
    return result;
}

} // namespace

DeviceFileRead ReadDeviceSideFile(const std::string& path, size_t maxBytes,
                                  std::vector<uint8_t>& bytes) {
    bytes.clear();
    const DeviceFileRead result = TakeDeviceSideFile(path, maxBytes, [&](int fd, size_t size) {
        bytes.resize(size);
        return ReadWholeFile(fd, bytes.data(), size);
    });
    if (result != DeviceFileRead::Read)
        bytes.clear();
    return result;
}

DeviceFileRead MapDeviceSideFile(const std::string& path, size_t maxBytes, ImageBuffer& image) {
    image.Release();
    const DeviceFileRead result = TakeDeviceSideFile(path, maxBytes, [&](int fd, size_t size) {
        // Nothing to map in an empty file, which reads as one all the same.
        if (size == 0 || image.MapFile(fd, size))
            return true;
        return image.Allocate(size) && ReadWholeFile(fd, image.data(), size);
    });
    if (result != DeviceFileRead::Read)
        image.Release();
    return result;
}
