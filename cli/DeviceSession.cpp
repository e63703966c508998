#include "cli/DeviceSession.h"

#include <ostream>

#include "cli/ExitCodes.h"
#include "cli/ScanProgressBar.h"
#include "cli/StopSignals.h"
#include "library/DatabaseChoice.h"
#include "library/DeviceLibrary.h"
#include "library/DevicePaths.h"
#include "library/MusicFiles.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"

namespace {

int LoadResultToExit(int result, bool outOfMemory, SourceChoice choice, const std::string& dbPath,
                     std::ostream& err) {
    const std::string what =
        choice == SourceChoice::FilesOnly
            ? "the music files under " + VolumeRootOfDatabase(dbPath) + "/" + kMusicOnVolume
            : "the database " + dbPath;
    switch (result) {
    case 1:
        return kExitOk;
    case 2:
        err << "corvane-cli: " << what << " holds no tracks or no playlists\n";
        return kExitEmpty;
    default:
        err << "corvane-cli: " << (outOfMemory ? "out of memory reading " : "cannot read ") << what
            << "\n";
        return kExitUnreadable;
    }
}

int FindAndLoad(const ParsedOptions& options, CItuneDB& db, std::ostream& err) {
    std::string dbPath;
    if (options.Has("device")) {
        const std::string volume = AbsoluteFolder(options.Get("device"));
        dbPath = DevicePathOnVolume(volume);
        if (dbPath.empty()) {
            err << "corvane-cli: no iPod database at " << DatabasePathOnVolume(volume) << "\n";
            return kExitNoDevice;
        }
    } else if (!db.FindDevice(dbPath)) {
        err << "corvane-cli: no iPod found: no removable volume holds " << kDatabaseOnVolume
            << ", iTunesCDB beside it, or music files\n";
        return kExitNoDevice;
    }
    const SourceChoice choice =
        options.Has("from-files") ? SourceChoice::FilesOnly : SourceChoice::DatabaseThenFiles;
    int result = 0;
    {
        ScanProgressBar bar(err);
        result = LoadDeviceLibrary(db, dbPath, choice, &bar);
    }
    if (db.source == CItuneDB::Source::Files && choice != SourceChoice::FilesOnly)
        err << "corvane-cli: no usable database at " << dbPath
            << "; read the music files' own tags instead\n";
    return LoadResultToExit(result, db.outOfMemory, choice, dbPath, err);
}

} // namespace

int OpenDevice(const ParsedOptions& options, CItuneDB& db, std::ostream& err) {
    return RunUntilStopSignal([&] { return FindAndLoad(options, db, err); });
}

const char* SourceName(const CItuneDB& db) {
    return db.source == CItuneDB::Source::Files ? "files" : "database";
}

std::string SourceLine(const CItuneDB& db) {
    return db.source == CItuneDB::Source::Files ? "Source: the music files' own tags"
                                                : "Source: the iPod database";
}

std::string TrackSourcePath(const TrackRecord& track) {
    if (!track.location)
        return std::string();
    return ResolveTrackPath(ToUtf8(Utf16View(track.location)));
}

int HandleCommonOptions(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                        const char* usage, ParsedOptions& parsed, std::ostream& out,
                        std::ostream& err) {
    std::string error;
    if (!ParseOptions(args, specs, parsed, error)) {
        err << "corvane-cli: " << error << " (see --help)\n";
        return kExitUsage;
    }
    if (parsed.Has("help")) {
        out << usage;
        return kExitOk;
    }
    return -1;
}
