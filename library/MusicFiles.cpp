#include "library/MusicFiles.h"

#include <algorithm>
#include <array>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

#include "library/ResolvePath.h"

namespace {

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
    if (name.size() <= suffix.size())
        return false;
    const std::string_view tail = name.substr(name.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(),
                      [](char a, char b) { return Fold(a) == b; });
}

// Links and file systems that give no type are asked with stat.
bool IsKind(const std::string& path, const dirent& entry, mode_t kind) {
    if (entry.d_type == DT_DIR)
        return kind == S_IFDIR;
    if (entry.d_type == DT_REG)
        return kind == S_IFREG;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}

// Entries of `folder` of the given kind, by full path, sorted; "." and ".."
// and hidden entries left out.
std::vector<std::string> Entries(const std::string& folder, mode_t kind, size_t limit) {
    std::vector<std::string> found;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name.empty() || name[0] == '.')
            continue;
        std::string path = folder + "/" + entry->d_name;
        if (!IsKind(path, *entry, kind) || (kind == S_IFREG && !IsMusicFileName(name)))
            continue;
        found.push_back(std::move(path));
        if (found.size() >= limit)
            break;
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::string> Scan(const std::string& volumeRoot, size_t limit) {
    const std::string music =
        ResolveExistingPath((volumeRoot == "/" ? "" : volumeRoot) + "/" + kMusicOnVolume);
    std::vector<std::string> files;
    for (const std::string& folder : Entries(music, S_IFDIR, SIZE_MAX)) {
        std::vector<std::string> inFolder = Entries(folder, S_IFREG, limit - files.size());
        files.insert(files.end(), std::make_move_iterator(inFolder.begin()),
                     std::make_move_iterator(inFolder.end()));
        if (files.size() >= limit)
            break;
    }
    return files;
}

} // namespace

bool IsMusicFileName(std::string_view name) {
    static constexpr std::array<std::string_view, 9> kExtensions = {
        ".mp3", ".m4a", ".m4b", ".m4p", ".aac", ".aif", ".aiff", ".wav", ".flac"};
    if (name.substr(0, 2) == "._")
        return false;
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [name](std::string_view ext) { return EndsWithIgnoringCase(name, ext); });
}

std::vector<std::string> ListMusicFiles(const std::string& volumeRoot) {
    return Scan(volumeRoot, SIZE_MAX);
}

bool HasMusicFiles(const std::string& volumeRoot) {
    return !Scan(volumeRoot, 1).empty();
}
