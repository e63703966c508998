#include "app/UserFolders.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kMusicDirPrefix = "XDG_MUSIC_DIR=\"";
constexpr std::string_view kHomeVariable = "$HOME";

bool IsFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string PasswordHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return {};
    return found->pw_dir;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return StripTrailingSlashes(home);
    return StripTrailingSlashes(PasswordHome());
}

std::string ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return StripTrailingSlashes(config);
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.config";
}

std::string MusicDirFromUserDirs(std::string_view text, const std::string& home) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.substr(0, kMusicDirPrefix.size()) != kMusicDirPrefix)
            continue;
        line.remove_prefix(kMusicDirPrefix.size());
        const size_t quote = line.find('"');
        if (quote == std::string_view::npos)
            return {};
        std::string value(line.substr(0, quote));
        if (value.substr(0, kHomeVariable.size()) == kHomeVariable)
            value = home + value.substr(kHomeVariable.size());
        value = StripTrailingSlashes(value);
        if (value.empty() || value[0] != '/' || value == home)
            return {};
        return value;
    }
    return {};
}

std::string MusicFolder() {
    const std::string home = HomeFolder();
    const std::string config = ConfigFolder();
    if (!config.empty()) {
        const std::string xdg =
            MusicDirFromUserDirs(ReadWholeFile(config + "/user-dirs.dirs"), home);
        if (IsFolder(xdg))
            return xdg;
    }
    if (!home.empty() && IsFolder(home + "/Music"))
        return home + "/Music";
    return {};
}
