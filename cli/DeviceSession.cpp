#include "cli/DeviceSession.h"

#include <ostream>
#include <sys/stat.h>

#include "cli/ExitCodes.h"
#include "library/DevicePaths.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

} // namespace

int OpenDevice(const ParsedOptions& options, CItuneDB& db, std::ostream& err) {
    std::string dbPath;
    if (options.Has("device")) {
        dbPath = ResolveExistingPath(DatabasePathOnVolume(AbsoluteFolder(options.Get("device"))));
        if (!Exists(dbPath)) {
            err << "corvane-cli: no iPod database at " << dbPath << "\n";
            return kExitNoDevice;
        }
    } else if (!db.FindDevice(dbPath)) {
        err << "corvane-cli: no iPod found: no removable volume holds " << kDatabaseOnVolume
            << "\n";
        return kExitNoDevice;
    }
    switch (db.LoadDatabase(dbPath)) {
    case 1:
        return kExitOk;
    case 2:
        err << "corvane-cli: the database " << dbPath << " holds no tracks or no playlists\n";
        return kExitEmpty;
    default:
        if (db.outOfMemory)
            err << "corvane-cli: out of memory reading the database " << dbPath << "\n";
        else
            err << "corvane-cli: cannot read the database " << dbPath << "\n";
        return kExitUnreadable;
    }
}

std::string TrackSourcePath(const TrackRecord& track) {
    if (!track.location)
        return std::string();
    return ResolveExistingPath(ToUtf8(Utf16View(track.location)));
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
