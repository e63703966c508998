#include "library/RemovableVolumes.h"

#include "library/DevicePaths.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// mountinfo writes space, tab, newline and backslash in paths as \ooo.
std::string UnescapeMountField(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && field.size() - i >= 4 &&
                           std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                                       [](char c) { return c >= '0' && c <= '7'; });
        if (octal) {
            out +=
                char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string ReadSmallFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<Volume> ParseVolumeList(std::string_view colonSeparated) {
    std::vector<Volume> volumes;
    size_t start = 0;
    while (start <= colonSeparated.size()) {
        size_t end = colonSeparated.find(':', start);
        if (end == std::string_view::npos)
            end = colonSeparated.size();
        if (end > start)
            volumes.push_back({int32_t(volumes.size() + 1),
                               WithoutTrailingSlash(AbsoluteFolder(
                                   std::string(colonSeparated.substr(start, end - start))))});
        start = end + 1;
    }
    return volumes;
}

std::vector<Volume> ParseMountInfo(std::string_view mountinfo, const BlockDeviceTest& isRemovable) {
    std::vector<Volume> volumes;
    std::istringstream lines{std::string(mountinfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        long id = -1;
        std::string parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint) || id < 0 || id > INT32_MAX)
            continue;
        unsigned major = 0, minor = 0;
        if (std::sscanf(device.c_str(), "%u:%u", &major, &minor) != 2)
            continue;
        // Major 0 is no block device: proc, tmpfs, network and FUSE mounts.
        if (major == 0 || !isRemovable(major, minor))
            continue;
        volumes.push_back({int32_t(id), WithoutTrailingSlash(UnescapeMountField(mountPoint))});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.mountPoint < b.mountPoint; });
    return volumes;
}

bool IsRemovableBlockDevice(unsigned major, unsigned minor) {
    const std::string link =
        "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
    char* real = realpath(link.c_str(), nullptr);
    if (!real)
        return false;
    std::string device(real);
    free(real);
    if (device.find("/usb") != std::string::npos)
        return true;
    // A partition's removable flag lives on its disk, one level up.
    struct stat st {};
    if (stat((device + "/partition").c_str(), &st) == 0)
        device = device.substr(0, device.rfind('/'));
    const std::string flag = ReadSmallFile(device + "/removable");
    return !flag.empty() && flag[0] == '1';
}

std::vector<Volume> ListRemovableVolumes() {
    if (const char* list = std::getenv("CORVANE_VOLUMES"))
        return ParseVolumeList(list);
    return ParseMountInfo(ReadSmallFile("/proc/self/mountinfo"), IsRemovableBlockDevice);
}
