#include "library/DevicePaths.h"

#include <filesystem>
#include <system_error>

std::string AbsoluteFolder(const std::string& folder) {
    if (folder.empty() || folder[0] == '/')
        return folder;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return error ? folder : absolute.lexically_normal().string();
}

std::string PathOnVolume(const std::string& mountPoint, const char* relative) {
    std::string path = mountPoint;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + relative;
}

std::string DatabasePathOnVolume(const std::string& mountPoint, const char* fileName) {
    return PathOnVolume(mountPoint, kDatabaseFolderOnVolume) + fileName;
}

std::string VolumeRootOfDatabase(const std::string& dbPath) {
    size_t end = dbPath.size();
    for (int i = 0; i < 3; ++i) {
        const size_t slash = end == 0 ? std::string::npos : dbPath.rfind('/', end - 1);
        if (slash == std::string::npos)
            return std::string();
        end = slash;
    }
    return dbPath.substr(0, end);
}

std::string VolumeFolder(const std::string& volumeRoot) {
    return volumeRoot.empty() ? "/" : volumeRoot;
}
