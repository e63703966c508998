#include "library/ArtworkDatabaseWalker.h"

#include "library/ArtworkLayout.h"
#include "library/ByteReader.h"
#include "library/ChunkEntry.h"
#include "library/ChunkLayout.h"
#include "library/Utf16.h"

using namespace artchunk;

namespace {

using Step = ChunkStep;

class ArtworkWalker {
public:
    ArtworkWalker(const uint8_t* data, size_t size)
        : reader(data, size), chunkBudget(size / kChunkBudgetBytes), stringBudget(size) {}

    std::vector<ArtworkImageEntry> Walk();

private:
    struct Chunk {
        size_t start = 0;
        size_t children = 0; // start + header length
        size_t end = 0;      // start + total length
    };

    Step Enter(size_t at, const char (&tag)[5], size_t fixed, Chunk& out);
    Step WalkImageList(size_t at);
    Step WalkImage(const Chunk& image, ArtworkImageEntry& entry);
    Step WalkThumbnail(size_t at, ThumbnailEntry& thumbnail);
    Step ReadName(const Chunk& object, std::string& name);

    // Chunk headers of a real file never overlap, and the smallest fixed
    // part is 12 bytes: a file has at most one chunk per 8 bytes.
    static constexpr size_t kChunkBudgetBytes = 8;
    ByteReader reader;
    size_t chunkBudget;
    size_t stringBudget;
    std::vector<ArtworkImageEntry> images;
};

std::vector<ArtworkImageEntry> ArtworkWalker::Walk() {
    if (!reader.Has(0, kRootFixed) || !reader.TagIs(0, "mhfd"))
        return {};
    const uint32_t dataSetCount = reader.U32(kRootDataSetCount);
    size_t at = reader.U32(chunk::kHeaderLength);
    for (uint32_t i = 0; i < dataSetCount; ++i) {
        Chunk set;
        if (Enter(at, "mhsd", kDataSetFixed, set) != Step::Matched)
            break;
        if (reader.U16(at + kDataSetKind) == kImageListKind &&
            WalkImageList(set.children) == Step::Fault)
            break;
        at = set.end;
    }
    return std::move(images);
}

// Only a fault ends the walk; any other step ends the list it is in.
Step ArtworkWalker::Enter(size_t at, const char (&tag)[5], size_t fixed, Chunk& out) {
    const Step step = EnterChunk(reader, at, tag, fixed, chunkBudget);
    if (step == Step::Matched)
        out = {at, at + reader.U32(at + chunk::kHeaderLength),
               at + reader.U32(at + chunk::kTotalLength)};
    return step;
}

Step ArtworkWalker::WalkImageList(size_t at) {
    if (const Step head = TestChunkHead(reader, at, "mhli", kListFixed); head != Step::Matched)
        return head;
    const uint32_t count = reader.U32(at + kListCount);
    size_t child = at + reader.U32(at + chunk::kHeaderLength);
    for (uint32_t i = 0; i < count; ++i) {
        Chunk image;
        if (const Step step = Enter(child, "mhii", kImageFixed, image); step != Step::Matched)
            return step;
        ArtworkImageEntry entry;
        entry.id = reader.U32(child + kImageId);
        entry.trackDbid = reader.U64(child + kImageTrackDbid);
        if (WalkImage(image, entry) == Step::Fault)
            return Step::Fault;
        images.push_back(std::move(entry));
        child = image.end;
    }
    return Step::Matched;
}

Step ArtworkWalker::WalkImage(const Chunk& image, ArtworkImageEntry& entry) {
    const uint32_t count = reader.U32(image.start + kImageChildCount);
    size_t at = image.children;
    for (uint32_t i = 0; i < count; ++i) {
        Chunk object;
        if (const Step step = Enter(at, "mhod", kObjectFixed, object); step != Step::Matched)
            return step;
        if (reader.U16(at + kObjectType) == kThumbnailObject) {
            ThumbnailEntry thumbnail;
            const Step step = WalkThumbnail(object.children, thumbnail);
            if (step == Step::Fault)
                return step;
            if (step == Step::Matched)
                entry.thumbnails.push_back(std::move(thumbnail));
        }
        at = object.end;
    }
    return Step::Matched;
}

Step ArtworkWalker::WalkThumbnail(size_t at, ThumbnailEntry& thumbnail) {
    Chunk thumb;
    if (const Step step = Enter(at, "mhni", kThumbFixed, thumb); step != Step::Matched)
        return step;
    thumbnail.format = reader.U32(at + kThumbFormat);
    thumbnail.offset = reader.U32(at + kThumbOffset);
    thumbnail.size = reader.U32(at + kThumbSize);
    thumbnail.verticalPadding = int16_t(reader.U16(at + kThumbVerticalPadding));
    thumbnail.horizontalPadding = int16_t(reader.U16(at + kThumbHorizontalPadding));
    thumbnail.height = reader.U16(at + kThumbHeight);
    thumbnail.width = reader.U16(at + kThumbWidth);
    const uint32_t count = reader.U32(at + kThumbChildCount);
    size_t child = thumb.children;
    for (uint32_t i = 0; i < count; ++i) {
        Chunk object;
        if (const Step step = Enter(child, "mhod", kObjectFixed, object); step != Step::Matched)
            return step == Step::Fault ? step : Step::Matched; // a thumbnail without a name
        if (reader.U16(child + kObjectType) == kFileNameObject)
            return ReadName(object, thumbnail.fileName);
        child = object.end;
    }
    return Step::Matched;
}

// The name's bytes are charged to a budget of the image's size, so names
// that all claim the same long run cannot make the walk quadratic.
Step ArtworkWalker::ReadName(const Chunk& object, std::string& name) {
    if (!reader.Has(object.start, kNameStart))
        return Step::Fault;
    const uint32_t length = reader.U32(object.start + kNameByteLength);
    if (!reader.Has(object.start + kNameStart, length) || stringBudget < length)
        return Step::Fault;
    stringBudget -= length;
    const uint8_t* bytes = reader.At(object.start + kNameStart);
    if (reader.U8(object.start + kNameEncoding) != kNameUtf16) {
        name.assign(reinterpret_cast<const char*>(bytes), length);
        return Step::Matched;
    }
    std::u16string units(length / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
    name = ToUtf8(units);
    return Step::Matched;
}

} // namespace

std::vector<ArtworkImageEntry> WalkArtworkDatabase(const uint8_t* data, size_t size) {
    return ArtworkWalker(data, size).Walk();
}
