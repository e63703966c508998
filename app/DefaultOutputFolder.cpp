#include "app/DefaultOutputFolder.h"

#include "app/SettingsKeys.h"
#include "app/UserFolders.h"

#include <sys/stat.h>

std::string DefaultOutputFolder() {
    std::string parent = MusicFolder();
    if (parent.empty())
        parent = HomeFolder();
    // Without even a home folder there is no sensible place to guess; the
    // empty path makes the user choose one.
    if (parent.empty())
        return {};
    const std::string folder = (parent == "/" ? parent : parent + "/") + kDefaultOutputFolderName;
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        ::mkdir(folder.c_str(), 0777);
    return folder;
}
