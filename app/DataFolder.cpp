#include "app/DataFolder.h"

#include "transfer/FolderPath.h"
#include "app/SettingsKeys.h"
#include "app/UserFolders.h"

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
    // Any failed look-up means there is no folder to use (a level of the path
    // may be a file, for one); trying to create it tells whether one can be made.
    struct stat st {};
    if (::stat(dataFolder.c_str(), &st) != 0 && !EnsureFolderPath(dataFolder)) {
        failureText = FillIn(kTextCannotCreateDataFolder, dataFolder);
        return false;
    }
    paths.dataFolder = dataFolder;
    paths.settingsPath = dataFolder + "/" + kSettingsFileName;
    return true;
}
