#include "library/VolumeLabel.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr const char* kLabelFolder = "/dev/disk/by-label";

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A folder given as a volume (tests, CORVANE_VOLUMES) sits on the file
// system of its parent; only a mount's root has a label of its own.
bool IsMountRoot(const std::string& mountPoint, dev_t& device) {
    struct stat self {
    }, parent{};
    if (::stat(mountPoint.c_str(), &self) != 0)
        return false;
    device = self.st_dev;
    if (mountPoint == "/")
        return true;
    return ::stat((mountPoint + "/..").c_str(), &parent) == 0 && parent.st_dev != self.st_dev;
}

} // namespace

std::string UnescapeUdevName(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && name.size() - i >= 4 && name[i + 1] == 'x' &&
            HexDigit(name[i + 2]) >= 0 && HexDigit(name[i + 3]) >= 0) {
            out += char(HexDigit(name[i + 2]) * 16 + HexDigit(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::string VolumeLabel(const std::string& mountPoint) {
    dev_t device = 0;
    if (!IsMountRoot(mountPoint, device))
        return std::string();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(kLabelFolder), ::closedir);
    if (!dir)
        return std::string();
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat node {};
        const std::string link = std::string(kLabelFolder) + "/" + entry->d_name;
        if (::stat(link.c_str(), &node) == 0 && S_ISBLK(node.st_mode) && node.st_rdev == device)
            return UnescapeUdevName(entry->d_name);
    }
    return std::string();
}
