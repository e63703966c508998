#include "support/ArtworkDbWriter.h"

#include <filesystem>
#include <set>

#include "library/Utf16.h"
#include "support/ChunkBuffer.h"
#include "support/ItunesDbWriter.h"

namespace artwriter {
namespace {

constexpr uint32_t kRootHeader = 0x84;
constexpr uint32_t kDataSetHeader = 0x60;
constexpr uint32_t kListHeader = 0x5C;
constexpr uint32_t kImageHeader = 0x98;
constexpr uint32_t kObjectHeader = 0x18;
constexpr uint32_t kThumbnailHeader = 0x4C;
constexpr uint32_t kFormatHeader = 0x7C;

std::string StoredName(const Thumbnail& thumbnail) {
    if (!thumbnail.fileName.empty())
        return thumbnail.fileName;
    std::string name = ":F";
    name += std::to_string(thumbnail.format);
    name += "_1.ithmb";
    return name;
}

std::string FileNameOf(const std::string& stored) {
    return stored.substr(stored.rfind(':') + 1);
}

void WriteName(dbwriter::ChunkBuffer& out, const Thumbnail& thumbnail) {
    const std::string name = StoredName(thumbnail);
    std::vector<uint8_t> text;
    if (thumbnail.utf8Name) {
        text.assign(name.begin(), name.end());
    } else {
        for (char16_t unit : FromUtf8(name)) {
            text.push_back(uint8_t(unit));
            text.push_back(uint8_t(unit >> 8));
        }
    }
    const size_t at = out.Begin("mhod", kObjectHeader);
    out.Set16(at, 12, 3);
    out.bytes.resize(at + 36, 0);
    out.Set(at, 24, uint32_t(text.size()));
    out.bytes[at + 28] = thumbnail.utf8Name ? 1 : 2;
    out.bytes.insert(out.bytes.end(), text.begin(), text.end());
    out.bytes.resize((out.bytes.size() + 3) / 4 * 4, 0); // devices pad names to 4 bytes
    out.End(at);
}

class Writer {
public:
    explicit Writer(const Artwork& artwork) : artwork(artwork) {}

    Written Write() {
        const size_t root = out.Begin("mhfd", kRootHeader);
        out.Set(root, 16, 2); // version
        out.Set(root, 20, uint32_t(artwork.dataSetOrder.size()));
        for (uint16_t kind : artwork.dataSetOrder)
            WriteDataSet(kind);
        out.End(root);
        written.database = std::move(out.bytes);
        return std::move(written);
    }

private:
    void WriteDataSet(uint16_t kind) {
        const size_t at = out.Begin("mhsd", kDataSetHeader);
        out.Set16(at, 12, kind);
        if (kind == 1)
            WriteImages();
        else if (kind == 3)
            WriteFormats();
        else
            out.Begin("mhla", kListHeader);
        out.End(at);
    }

    void WriteImages() {
        const size_t list = out.Begin("mhli", kListHeader);
        out.Set(list, 8, uint32_t(artwork.images.size()));
        for (const Image& image : artwork.images) {
            const size_t at = out.Begin("mhii", kImageHeader);
            written.imageOffsets.push_back(at);
            out.Set(at, 12, uint32_t(image.thumbnails.size()));
            out.Set(at, 16, image.id);
            out.Set(at, 20, uint32_t(image.trackDbid));
            out.Set(at, 24, uint32_t(image.trackDbid >> 32));
            for (const Thumbnail& thumbnail : image.thumbnails)
                WriteThumbnail(thumbnail);
            out.End(at);
        }
    }

    void WriteThumbnail(const Thumbnail& thumbnail) {
        const CoverFormat size = CoverFormatOf(thumbnail.format);
        const uint16_t width = thumbnail.width ? thumbnail.width : size.width;
        const uint16_t height = thumbnail.height ? thumbnail.height : size.height;
        const std::vector<uint8_t> pixels = thumbnail.pixels.empty()
                                                ? CoordinatePixels(width, height, thumbnail.tint)
                                                : thumbnail.pixels;
        std::vector<uint8_t>& file = written.files[FileNameOf(StoredName(thumbnail))];
        uint32_t offset = uint32_t(file.size());
        if (thumbnail.offset)
            offset = *thumbnail.offset;
        else
            file.insert(file.end(), pixels.begin(), pixels.end());
        formats.insert(thumbnail.format);

        const size_t object = out.Begin("mhod", kObjectHeader);
        out.Set16(object, 12, 2);
        const size_t at = out.Begin("mhni", kThumbnailHeader);
        written.thumbnailOffsets.push_back(at);
        out.Set(at, 12, 1);
        out.Set(at, 16, thumbnail.format);
        out.Set(at, 20, offset);
        out.Set(at, 24, thumbnail.statedSize.value_or(uint32_t(pixels.size())));
        out.Set16(at, 28, uint16_t(thumbnail.verticalPadding));
        out.Set16(at, 30, uint16_t(thumbnail.horizontalPadding));
        out.Set16(at, 32, height);
        out.Set16(at, 34, width);
        WriteName(out, thumbnail);
        out.End(at);
        out.End(object);
    }

    void WriteFormats() {
        const size_t list = out.Begin("mhlf", kListHeader);
        out.Set(list, 8, uint32_t(formats.size()));
        for (uint32_t format : formats) {
            const size_t at = out.Begin("mhif", kFormatHeader);
            const CoverFormat size = CoverFormatOf(format);
            out.Set(at, 16, format);
            out.Set(at, 20, uint32_t(size.width) * size.height * 2);
            out.End(at);
        }
    }

    const Artwork& artwork;
    dbwriter::ChunkBuffer out;
    Written written;
    std::set<uint32_t> formats; // of the thumbnails written before the format list
};

} // namespace

const std::vector<CoverFormat>& CoverFormats() {
    static const std::vector<CoverFormat> formats = {
        {1016, 140, 140}, {1017, 56, 56},   {1027, 100, 100}, {1031, 42, 42},
        {1028, 100, 100}, {1029, 200, 200}, {1055, 128, 128}, {1060, 320, 320},
        {1061, 56, 56},   {1068, 128, 128}, {1071, 240, 240}, {1074, 50, 50},
        {1078, 80, 80},   {1084, 240, 240}, {1056, 128, 128}, {1073, 240, 240},
    };
    return formats;
}

CoverFormat CoverFormatOf(uint32_t format) {
    for (const CoverFormat& known : CoverFormats())
        if (known.format == format)
            return known;
    return {format, 0, 0};
}

std::vector<uint8_t> CoordinatePixels(uint16_t width, uint16_t height, uint8_t tint) {
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(width) * height * 2);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t value = (x % 32) << 11 | (y % 64) << 5 | (tint % 32u);
            pixels.push_back(uint8_t(value));
            pixels.push_back(uint8_t(value >> 8));
        }
    }
    return pixels;
}

Thumbnail Thumb(uint32_t format, uint8_t tint) {
    Thumbnail thumbnail;
    thumbnail.format = format;
    thumbnail.tint = tint;
    return thumbnail;
}

Written Write(const Artwork& artwork) {
    return Writer(artwork).Write();
}

bool WriteDevice(const std::string& root, const Written& written, const std::string& folder,
                 const std::string& databaseName) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::path(root) / folder;
    std::filesystem::create_directories(base, error);
    if (error || !dbwriter::WriteFile((base / databaseName).string(), written.database))
        return false;
    for (const auto& [name, bytes] : written.files)
        if (!dbwriter::WriteFile((base / name).string(), bytes))
            return false;
    return true;
}

} // namespace artwriter
