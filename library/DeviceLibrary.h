#pragma once

#include <string>

class CItuneDB;
class FileScanProgress;

// Which source a device's tables come from. The database wins whenever it
// loads with 1; a device whose database is missing, empty or unreadable
// (0 or 2) is read from its music files instead, when it has any.
enum class SourceChoice { DatabaseThenFiles, FilesOnly };

// After a database load gave `databaseResult`: must the files be read?
bool ShouldReadFiles(int databaseResult, const std::string& volumeRoot);

// Loads the device whose database path is `dbPath` (the file need not
// exist) as chosen. The result is that of the load whose tables are kept:
// 1 loaded, 2 nothing to show, 0 unreadable or stopped; db.source says which.
int LoadDeviceLibrary(CItuneDB& db, const std::string& dbPath, SourceChoice choice,
                      FileScanProgress* progress = nullptr);
