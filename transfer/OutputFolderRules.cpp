#include "transfer/OutputFolderRules.h"

#include "transfer/FolderPath.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const struct passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

bool IsInside(const fs::path& path, const fs::path& folder) {
    return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first ==
           folder.end();
}

// The nearest level of `path` that exists; the folder is created below it.
fs::path ExistingLevel(fs::path path) {
    std::error_code error;
    while (!fs::exists(path, error) && path.has_relative_path())
        path = path.parent_path();
    return path;
}

bool SameFileSystem(const fs::path& a, const fs::path& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

// A device folder that is a mount point owns its whole file system; one
// that is a plain folder (a copy of an iPod, a test device) only itself.
bool IsMountPoint(const fs::path& folder) {
    return folder == folder.root_path() || !SameFileSystem(folder, folder.parent_path());
}

} // namespace

std::string ExpandHomeFolder(const std::string& path) {
    if (path == "~")
        return HomeFolder();
    if (path.rfind("~/", 0) != 0)
        return path;
    const std::string home = HomeFolder();
    return home.empty() ? path : home + path.substr(1);
}

bool IsOnDeviceVolume(const std::string& folder, const std::string& deviceRoot) {
    if (deviceRoot.empty())
        return false;
    std::error_code error;
    const fs::path root = fs::canonical(deviceRoot, error);
    if (error)
        return false; // the device is gone; nothing can be written onto it
    const fs::path target = fs::weakly_canonical(folder, error);
    if (error)
        return false;
    return IsInside(target, root) ||
           (IsMountPoint(root) && SameFileSystem(ExistingLevel(target), root));
}

bool IsWritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

OutputFolderProblem PrepareOutputFolder(const std::string& folder, const std::string& deviceRoot) {
    if (!folder.empty() && IsOnDeviceVolume(folder, deviceRoot))
        return OutputFolderProblem::OnDevice;
    if (!EnsureFolderPath(folder))
        return OutputFolderProblem::CannotCreate;
    return IsWritableFolder(folder) ? OutputFolderProblem::None : OutputFolderProblem::NotWritable;
}
