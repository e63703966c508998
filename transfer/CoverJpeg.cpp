#include "transfer/CoverJpeg.h"

#include "library/ArtworkLibrary.h"

#include <limits>
#include <turbojpeg.h>

namespace {

// Frees the encoder's or decoder's handle however the call ends.
class TurboHandle {
public:
    explicit TurboHandle(tjhandle handle) : handle_(handle) {}
    ~TurboHandle() {
        if (handle_)
            tjDestroy(handle_);
    }
    TurboHandle(const TurboHandle&) = delete;
    TurboHandle& operator=(const TurboHandle&) = delete;
    tjhandle Get() const { return handle_; }

private:
    tjhandle handle_;
};

bool FitsTurboSize(uint32_t width, uint32_t height) {
    constexpr uint32_t kMax = uint32_t(std::numeric_limits<int>::max());
    return width > 0 && height > 0 && width <= kMax / 3 && height <= kMax / (width * 3);
}

} // namespace

bool EncodeCoverJpeg(const CoverPixels& pixels, std::vector<uint8_t>& jpeg) {
    jpeg.clear();
    if (!FitsTurboSize(pixels.width, pixels.height) ||
        pixels.rgb.size() != size_t(pixels.width) * pixels.height * 3)
        return false;
    const TurboHandle encoder(tjInitCompress());
    if (!encoder.Get())
        return false;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int result =
        tjCompress2(encoder.Get(), pixels.rgb.data(), int(pixels.width), 0, int(pixels.height),
                    TJPF_RGB, &out, &size, TJSAMP_444, kCoverJpegQuality, TJFLAG_ACCURATEDCT);
    if (result == 0 && out)
        jpeg.assign(out, out + size);
    tjFree(out);
    return result == 0 && !jpeg.empty();
}

bool IsReadableJpeg(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
        return false;
    const TurboHandle decoder(tjInitDecompress());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    return decoder.Get() &&
           tjDecompressHeader3(decoder.Get(), bytes.data(), bytes.size(), &width, &height,
                               &subsampling, &colorspace) == 0 &&
           width > 0 && height > 0;
}
