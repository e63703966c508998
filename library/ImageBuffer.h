#pragma once

#include <cstddef>
#include <cstdint>

// The memory that holds one database image for the length of a load: the
// file itself, mapped read-only and guarded against a device pulled under
// it, or an anonymous mapping backed by huge pages where the kernel allows
// (an inflated image, or a file that could not be guarded), since a
// device's database runs to a hundred megabytes and touching it page by
// page would cost more than the walks over it.
class ImageBuffer {
public:
    ImageBuffer() = default;
    ~ImageBuffer() { Release(); }
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    // Releases any earlier buffer first. Pages are only reserved: memory is
    // taken as they are first written, so a generous size costs nothing.
    bool Allocate(size_t size);
    // Releases any earlier buffer first, then maps `size` bytes of `fd`
    // read-only; false when it cannot be mapped or guarded.
    bool MapFile(int fd, size_t size);
    // True when part of a mapped file could not be read since MapFile: the
    // image then holds zeros there, not the file.
    bool Faulted() const;
    void Release();
    void Shrink(size_t size); // keeps the first `size` bytes (no larger)
    void Swap(ImageBuffer& other);
    uint8_t* data() const { return bytes; }
    size_t size() const { return length; }

private:
    uint8_t* bytes = nullptr;
    size_t length = 0;
    int guard = -1; // the mapped file's read-fault guard
};
