#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/FileTags.h"
#include "library/TrackDetails.h"

class CItuneDB;
class FileScanProgress;

// Builds CItuneDB's tables from the music files' own tags instead of the
// database: one master playlist holding every file, in scan order. The
// tables have the same shape a database load leaves, so views, sorting,
// copies and names work unchanged.
class FileScanner {
public:
    FileScanner(CItuneDB& db, FileScanProgress* progress) : db(db), progress(progress) {}

    // CItuneDB::LoadFromFiles' body; see there.
    int Load(const std::string& volumeRoot);

private:
    struct ScannedFile {
        std::string path;
        FileTags tags;
    };

    bool ReadAll(const std::vector<std::string>& paths); // false when stopped
    bool BuildTables(const std::string& playlistName);
    uint64_t StringUnits(const std::string& playlistName) const;
    const char16_t* PutString(const std::u16string& text);
    void FillTrack(uint32_t row, const ScannedFile& file);
    void FillDetails(TrackDetails& details, const FileTags& tags);

    CItuneDB& db;
    FileScanProgress* progress;
    std::vector<ScannedFile> files;
    uint32_t skipped = 0;
    uint32_t untagged = 0;
};
