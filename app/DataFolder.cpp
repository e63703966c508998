#include "app/DataFolder.h"

#include "app/SettingsKeys.h"
#include "app/UserFolders.h"
#include "transfer/FolderPath.h"

#include <string_view>

#include <sys/stat.h>

namespace {

// Builds a new string rather than replacing in place: GCC 12's -Wrestrict
// misreads the inlined in-place replace of a constant text as overlapping.
std::string FillIn(std::string_view text, std::string_view path) {
    const size_t at = text.find("%s");
    if (at == std::string_view::npos)
        return std::string(text);
    std::string filled(text.substr(0, at));
    filled += path;
    filled += text.substr(at + 2);
    return filled;
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
