#include "app/DataFolder.h"

#include "app/FolderPath.h"
#include "app/SettingsKeys.h"
#include "app/UserFolders.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

std::string FillIn(std::string text, const std::string& path) {
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

} // namespace

bool PrepareDataFolder(DataFolderPaths& paths, std::string& failureText) {
    const std::string config = ConfigFolder();
    if (config.empty()) {
        failureText = kTextNoDataFolder;
        return false;
    }
    const std::string dataFolder = config + "/" + kDataFolderName;
    struct stat st {};
    if (::stat(dataFolder.c_str(), &st) != 0 && errno == ENOENT && !EnsureFolderPath(dataFolder)) {
        failureText = FillIn(kTextCannotCreateDataFolder, dataFolder);
        return false;
    }
    paths.dataFolder = dataFolder;
    paths.settingsPath = dataFolder + "/" + kSettingsFileName;
    return true;
}
