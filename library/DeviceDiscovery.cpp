#include "library/CItuneDB.h"

#include "library/DatabaseChoice.h"
#include "library/RemovableVolumes.h"

int CItuneDB::FindDevice(std::string& dbPathOut) {
    for (const Volume& volume : ListRemovableVolumes()) {
        const std::string path = DevicePathOnVolume(volume.mountPoint);
        if (!path.empty()) {
            dbPathOut = path;
            driveIndex = volume.id;
            return 1;
        }
    }
    driveIndex = -1;
    return 0;
}
