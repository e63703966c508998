#include "library/ArtworkLibrary.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <unordered_map>

#include "library/ArtworkDatabaseWalker.h"
#include "library/DevicePaths.h"
#include "library/ResolvePath.h"
#include "library/Rgb565.h"
#include "library/TrackDetails.h"

namespace {

// Far beyond the database of the largest library a device holds; a larger
// file is no artwork database.
constexpr off_t kLargestArtworkDatabase = off_t(256) << 20;

// The raw RGB565 little-endian formats devices keep album covers in; the
// others are photos (UYVY, I420, big-endian RGB565).
constexpr uint32_t kCoverFormats[] = {1016, 1017, 1027, 1028, 1029, 1031, 1055, 1056,
                                      1060, 1061, 1068, 1071, 1073, 1074, 1078, 1084};

bool IsCoverFormat(uint32_t format) {
    return std::find(std::begin(kCoverFormats), std::end(kCoverFormats), format) !=
           std::end(kCoverFormats);
}

// The one place a track's dbid is read: the artwork database names tracks by it.
bool TrackDbid(const TrackDetails& details, uint64_t& dbid) {
    dbid = details.Dbid();
    return details.Has(TrackDetails::kDbid) && dbid != 0;
}

// A regular file opened for reading, its size noted; links are not
// followed, and a FIFO or device node never blocks the open.
struct OpenFile {
    int fd = -1;
    uint64_t size = 0;
};

OpenFile OpenRegularFile(const std::string& path) {
    OpenFile file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (file.fd >= 0 && (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(file.fd);
        file.fd = -1;
    }
    if (file.fd >= 0)
        file.size = uint64_t(st.st_size);
    return file;
}

bool ReadAt(int fd, uint64_t offset, uint8_t* out, size_t size) {
    while (size > 0) {
        const ssize_t got = ::pread(fd, out, size, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got, offset += uint64_t(got), size -= size_t(got);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    const OpenFile file = OpenRegularFile(path);
    if (file.fd < 0)
        return false;
    const bool fits = file.size <= uint64_t(kLargestArtworkDatabase);
    if (fits)
        bytes.resize(file.size);
    const bool read = fits && ReadAt(file.fd, 0, bytes.data(), bytes.size());
    ::close(file.fd);
    return read;
}

// The file a stored name (":F1028_1.ithmb", or with the folder,
// ":Artwork:F1028_1.ithmb") stands for in the artwork folder: its last
// component, which must be a plain name. "" for none.
std::string ThumbnailFileName(const std::string& stored) {
    const size_t colon = stored.rfind(':');
    std::string name = colon == std::string::npos ? stored : stored.substr(colon + 1);
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\0", 2)) != std::string::npos)
        return {};
    return name;
}

ThumbnailShape ShapeOf(const ThumbnailEntry& thumbnail) {
    auto magnitude = [](int16_t padding) { return uint32_t(padding < 0 ? -padding : padding); };
    return {thumbnail.width, thumbnail.height, magnitude(thumbnail.verticalPadding),
            magnitude(thumbnail.horizontalPadding)};
}

} // namespace

struct ArtworkLibrary::Tables {
    struct Cover {
        bool valid = false;
        uint32_t file = 0;
        uint64_t offset = 0;
        uint32_t size = 0;
        ThumbnailShape shape;
        uint64_t key = 0;
    };

    Tables() = default;
    Tables(const Tables&) = delete;
    Tables& operator=(const Tables&) = delete;
    ~Tables() {
        for (const OpenFile& file : files)
            ::close(file.fd);
    }

    void AddImages(const std::string& folder, const std::vector<ArtworkImageEntry>& images);
    // The index into `files` of the thumbnail file a stored name stands
    // for, opened on first need; -1 when there is no such file.
    int32_t FileOf(const std::string& folder, const std::string& stored);
    Cover ChooseCover(const std::string& folder, const ArtworkImageEntry& image);

    std::vector<OpenFile> files;
    std::unordered_map<std::string, int32_t> fileByName;
    std::map<std::tuple<uint32_t, uint64_t, uint32_t>, uint64_t> keyByBytes;
    std::vector<Cover> covers; // one for each image, in file order
    std::unordered_map<uint32_t, int32_t> imageById;
    std::unordered_map<uint64_t, int32_t> imageByDbid;
};

void ArtworkLibrary::Tables::AddImages(const std::string& folder,
                                       const std::vector<ArtworkImageEntry>& images) {
    covers.reserve(images.size());
    for (const ArtworkImageEntry& image : images) {
        const auto index = int32_t(covers.size());
        covers.push_back(ChooseCover(folder, image));
        imageById.try_emplace(image.id, index);
        imageByDbid.try_emplace(image.trackDbid, index);
    }
}

int32_t ArtworkLibrary::Tables::FileOf(const std::string& folder, const std::string& stored) {
    const auto [known, added] = fileByName.try_emplace(stored, -1);
    if (!added)
        return known->second;
    const std::string name = ThumbnailFileName(stored);
    if (name.empty())
        return -1;
    const OpenFile file = OpenRegularFile(ResolveExistingPath(folder + '/' + name));
    if (file.fd < 0)
        return -1;
    files.push_back(file);
    known->second = int32_t(files.size() - 1);
    return known->second;
}

// The largest cover format whose stated size is its pixels' and whose
// bytes lie wholly inside its file; the first of equal sizes.
ArtworkLibrary::Tables::Cover ArtworkLibrary::Tables::ChooseCover(const std::string& folder,
                                                                  const ArtworkImageEntry& image) {
    Cover best;
    uint64_t bestArea = 0;
    for (const ThumbnailEntry& thumbnail : image.thumbnails) {
        const ThumbnailShape shape = ShapeOf(thumbnail);
        const uint64_t area = uint64_t(shape.width) * shape.height;
        if (!IsCoverFormat(thumbnail.format) || area <= bestArea || !shape.HasPicture() ||
            thumbnail.size != area * 2)
            continue;
        const int32_t file = FileOf(folder, thumbnail.fileName);
        if (file < 0 || uint64_t(thumbnail.offset) + thumbnail.size > files[size_t(file)].size)
            continue;
        best = {true, uint32_t(file), thumbnail.offset, thumbnail.size, shape, 0};
        bestArea = area;
    }
    if (best.valid)
        best.key =
            keyByBytes.try_emplace({best.file, best.offset, best.size}, keyByBytes.size() + 1)
                .first->second;
    return best;
}

ArtworkLibrary::ArtworkLibrary() = default;
ArtworkLibrary::~ArtworkLibrary() = default;

int ArtworkLibrary::Load(const std::string& deviceRoot) {
    tables.reset();
    const std::string path =
        ResolveExistingPath(PathOnVolume(deviceRoot, kArtworkDatabaseOnVolume));
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return 0;
    const std::vector<ArtworkImageEntry> images = WalkArtworkDatabase(bytes.data(), bytes.size());
    auto loaded = std::make_unique<Tables>();
    loaded->AddImages(path.substr(0, path.rfind('/')), images);
    tables = std::move(loaded);
    return 1;
}

// An image the link names is the track's even when none of its formats is
// usable: the dbid names the same image, not a second chance.
CoverRef ArtworkLibrary::CoverOf(const TrackDetails& details) const {
    if (!tables)
        return {};
    int32_t image = -1;
    if (details.Has(TrackDetails::kArtworkLink) && details.artworkLink != 0)
        if (const auto found = tables->imageById.find(details.artworkLink);
            found != tables->imageById.end())
            image = found->second;
    uint64_t dbid = 0;
    if (image < 0 && TrackDbid(details, dbid))
        if (const auto found = tables->imageByDbid.find(dbid); found != tables->imageByDbid.end())
            image = found->second;
    if (image < 0 || !tables->covers[size_t(image)].valid)
        return {};
    return {image, tables->covers[size_t(image)].key};
}

bool ArtworkLibrary::ReadCover(const CoverRef& ref, CoverPixels& out) const {
    out = CoverPixels{};
    if (!tables || !ref.Valid() || size_t(ref.image) >= tables->covers.size())
        return false;
    const Tables::Cover& cover = tables->covers[size_t(ref.image)];
    if (!cover.valid)
        return false;
    std::vector<uint8_t> bytes(cover.size);
    return ReadAt(tables->files[cover.file].fd, cover.offset, bytes.data(), bytes.size()) &&
           DecodeRgb565(bytes.data(), cover.shape, out);
}
