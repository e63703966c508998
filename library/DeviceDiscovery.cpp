#include "library/CItuneDB.h"

#include <sys/stat.h>

#include "library/DevicePaths.h"
#include "library/MusicFiles.h"
#include "library/RemovableVolumes.h"
#include "library/ResolvePath.h"

int CItuneDB::FindDevice(std::string& dbPathOut) {
    for (const Volume& volume : ListRemovableVolumes()) {
        const std::string path = ResolveExistingPath(DatabasePathOnVolume(volume.mountPoint));
        struct stat st {};
        // A volume that lost its database still holds its music files.
        if (stat(path.c_str(), &st) == 0 || HasMusicFiles(volume.mountPoint)) {
            dbPathOut = path;
            driveIndex = volume.id;
            return 1;
        }
    }
    driveIndex = -1;
    return 0;
}
