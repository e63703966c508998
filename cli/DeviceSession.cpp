#include "cli/DeviceSession.h"

#include <ostream>

#include "cli/ExitCodes.h"
#include "library/DatabaseChoice.h"
#include "library/DevicePaths.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"

int OpenDevice(const ParsedOptions& options, CItuneDB& db, std::ostream& err) {
    std::string dbPath;
    if (options.Has("device")) {
        const std::string volume = AbsoluteFolder(options.Get("device"));
        dbPath = ChooseDatabaseOnVolume(volume);
        if (dbPath.empty()) {
            err << "corvane-cli: no iPod database at " << DatabasePathOnVolume(volume) << "\n";
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
        err << "corvane-cli: cannot read the database " << dbPath << "\n";
        return kExitUnreadable;
    }
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
