#include "library/DeviceLibrary.h"

#include "library/CItuneDB.h"
#include "library/DevicePaths.h"
#include "library/MusicFiles.h"

bool ShouldReadFiles(int databaseResult, const std::string& volumeRoot) {
    return databaseResult != 1 && HasMusicFiles(volumeRoot);
}

int LoadDeviceLibrary(CItuneDB& db, const std::string& dbPath, SourceChoice choice,
                      FileScanProgress* progress) {
    const std::string volumeRoot = VolumeRootOfDatabase(dbPath);
    if (choice == SourceChoice::FilesOnly)
        return db.LoadFromFiles(volumeRoot, progress);
    const int databaseResult = db.LoadDatabase(dbPath);
    if (!ShouldReadFiles(databaseResult, volumeRoot))
        return databaseResult;
    return db.LoadFromFiles(volumeRoot, progress);
}
