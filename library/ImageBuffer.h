#pragma once

#include <cstddef>
#include <cstdint>

// The memory that holds one database image for the length of a load: an
// anonymous mapping backed by huge pages where the kernel allows, since a
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
    void Release();
    void Shrink(size_t size); // keeps the first `size` bytes (no larger)
    void Swap(ImageBuffer& other);
    uint8_t* data() const { return bytes; }
    size_t size() const { return length; }

private:
    uint8_t* bytes = nullptr;
    size_t length = 0;
};
