#include "library/ResolvePath.h"

#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string FoldAsciiCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return folded;
}

// The names of one folder, answering for each name the entry of that name
// or, when there is none, the byte-wise smallest that differs only in case,
// so the answer never depends on directory order.
class FolderListing {
public:
    explicit FolderListing(const std::string& folder) {
        std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "/" : folder.c_str()),
                                                closedir);
        if (!dir)
            return;
        while (const dirent* entry = readdir(dir.get())) {
            const std::string name(entry->d_name);
            std::string& best = byFoldedName[FoldAsciiCase(name)];
            if (best.empty() || name < best)
                best = name;
            exactNames.insert(name);
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
                mayBeLinks.insert(name);
        }
    }
    // "" when the folder holds no such name.
    std::string Find(std::string_view name) const {
        if (exactNames.find(name) != exactNames.end())
            return std::string(name);
        const auto found = byFoldedName.find(FoldAsciiCase(name));
        return found == byFoldedName.end() ? std::string() : found->second;
    }
    // Entries that are links, or whose type the file system did not say.
    bool MayBeLink(const std::string& entry) const {
        return mayBeLinks.find(entry) != mayBeLinks.end();
    }

private:
    // Looks names up as views, without a string made for each.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>()(name);
        }
    };
    std::unordered_map<std::string, std::string> byFoldedName;
    std::unordered_set<std::string, NameHash, std::equal_to<>> exactNames;
    std::unordered_set<std::string> mayBeLinks;
};

// `path` with every link in it followed; nothing when that leads nowhere.
std::optional<std::string> RealPath(const std::string& path) {
    const std::unique_ptr<char, void (*)(void*)> real(::realpath(path.c_str(), nullptr), std::free);
    if (!real)
        return std::nullopt;
    return std::string(real.get());
}

// Whether `path`, once its links are followed, is not in the folder
// `realRoot` (itself free of links); a link that leads nowhere counts as out.
bool LeadsOut(const std::string& path, const std::string& realRoot) {
    const std::optional<std::string> real = RealPath(path);
    if (!real)
        return true;
    if (realRoot == "/" || *real == realRoot)
        return false;
    return real->size() <= realRoot.size() || real->compare(0, realRoot.size(), realRoot) != 0 ||
           (*real)[realRoot.size()] != '/';
}

// Walks absolutePath component by component; `find` gives the entry of a
// folder that stands for a name, or "". Nothing when a component has none.
template <typename Find>
std::optional<std::string> ResolveComponents(const std::string& absolutePath, Find find) {
    std::string resolved;
    size_t start = 1;
    while (start <= absolutePath.size()) {
        size_t end = absolutePath.find('/', start);
        if (end == std::string::npos)
            end = absolutePath.size();
        const std::string_view name(absolutePath.data() + start, end - start);
        start = end + 1;
        if (name.empty())
            continue;
        const std::string entry = find(resolved, name);
        if (entry.empty())
            return std::nullopt;
        resolved += '/';
        resolved += entry;
    }
    return resolved;
}

struct SharedListings {
    std::mutex lock;
    // The device's root with its links followed; until a load names one,
    // every path lies in it.
    std::string realRoot = "/";
    std::unordered_map<std::string, std::unique_ptr<FolderListing>> byFolder;
    // A track's folder as stored, and as it is spelled on disk; nothing when
    // some level of it has no entry, "" when it leads out of the device.
    // Tracks share a few dozen folders.
    std::unordered_map<std::string, std::optional<std::string>> folderOnDisk;

    const FolderListing& ListingOf(const std::string& folder) {
        std::unique_ptr<FolderListing>& listing = byFolder[folder];
        if (!listing)
            listing = std::make_unique<FolderListing>(folder);
        return *listing;
    }
};

SharedListings& TrackFolderListings() {
    static SharedListings listings;
    return listings;
}

} // namespace

std::string ResolveExistingPath(const std::string& absolutePath) {
    if (absolutePath.empty() || absolutePath[0] != '/' || Exists(absolutePath))
        return absolutePath;
    return ResolveComponents(absolutePath,
                             [](const std::string& folder, std::string_view name) {
                                 std::string written = folder + '/';
                                 written += name;
                                 return Exists(written) ? std::string(name)
                                                        : FolderListing(folder).Find(name);
                             })
        .value_or(absolutePath);
}

// The file itself is looked up in its folder's listing, even when it is
// spelled right: thousands of look-ups of a whole path cost far more than
// one listing per folder. Only the folder is checked as written, once, and
// where links are followed only once per folder and for the files that are
// links.
std::string ResolveTrackPath(const std::string& absolutePath) {
    if (absolutePath.empty() || absolutePath[0] != '/')
        return absolutePath;
    SharedListings& listings = TrackFolderListings();
    const std::lock_guard<std::mutex> hold(listings.lock);
    const size_t slash = absolutePath.rfind('/');
    const std::string folder = absolutePath.substr(0, slash);
    auto [known, added] = listings.folderOnDisk.try_emplace(folder);
    if (added && Exists(folder))
        known->second = folder;
    else if (added)
        known->second = ResolveComponents(
            folder, [&listings](const std::string& parent, std::string_view name) {
                return listings.ListingOf(parent).Find(name);
            });
    if (added && known->second && LeadsOut(*known->second, listings.realRoot))
        known->second = "";
    if (!known->second)
        return absolutePath;
    if (known->second->empty())
        return {};
    const FolderListing& listing = listings.ListingOf(*known->second);
    const std::string name = listing.Find(std::string_view(absolutePath).substr(slash + 1));
    if (name.empty())
        return absolutePath;
    std::string path = *known->second + '/' + name;
    return listing.MayBeLink(name) && LeadsOut(path, listings.realRoot) ? std::string() : path;
}

void StartTrackResolution(const std::string& deviceRoot) {
    SharedListings& listings = TrackFolderListings();
    const std::lock_guard<std::mutex> hold(listings.lock);
    listings.realRoot = RealPath(deviceRoot).value_or(deviceRoot);
    listings.byFolder.clear();
    listings.folderOnDisk.clear();
}
