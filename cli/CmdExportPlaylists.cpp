// corvane-cli export-playlists: every playlist as an M3U8 file, with each
// track copied once however many playlists hold it.
#include <map>
#include <ostream>

#include "cli/Commands.h"
#include "cli/CopyRun.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/StopSignals.h"
#include "transfer/RunNames.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli export-playlists [--device DIR] --to DIR [--organize] [--overwrite]\n"
    "                                    [--skip-identical] [--from-files]\n"
    "\n"
    "Copies the tracks of every playlist into DIR, each track once, and writes\n"
    "<playlist name>.m3u8 for each playlist beside them. Nothing on the device is\n"
    "written.\n"
    "  --device DIR       the iPod's mount point (default: the first one found)\n"
    "  --to DIR           the output folder; missing levels are created\n"
    "  --organize         sort the copies into artist and album folders\n"
    "  --overwrite        replace existing files instead of numbering new ones\n"
    "  --skip-identical   leave out tracks already in DIR byte for byte\n"
    "  --from-files       read the music files' own tags, not the database\n"
    "\n"
    "Exit status: 0 every track copied and every playlist written, 1 some failed,\n"
    "2 bad arguments or output folder, 128 + the signal's number when stopped\n"
    "by Ctrl-C (130), SIGTERM (143) or SIGHUP (129).\n";

// Every track of every playlist once, master first, in the order they first
// appear; and each playlist as rows of that table. A track is known by its
// location, which points at one place in the pool whatever view holds it.
struct ExportTable {
    std::vector<TrackRecord> rows;
    std::vector<std::vector<uint32_t>> playlistRows;
};

bool BuildExportTable(CItuneDB& db, ExportTable& table) {
    std::map<const char16_t*, uint32_t> rowOfLocation;
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        if (!db.BuildPlaylistView(int32_t(p)))
            return false;
        std::vector<uint32_t>& members = table.playlistRows.emplace_back();
        for (uint32_t i = 0; i < db.viewRowCount; ++i) {
            const TrackRecord& track = db.viewRows[i];
            auto [at, added] = rowOfLocation.try_emplace(track.location, table.rows.size());
            if (added || !track.location) {
                at->second = uint32_t(table.rows.size());
                table.rows.push_back(track);
                table.rows.back().checked = 1;
            }
            members.push_back(at->second);
        }
    }
    return true;
}

// Two playlists of one name give Mix.m3u8 and Mix(0).m3u8, as two tracks would.
bool WritePlaylists(const CItuneDB& db, const ExportTable& table, const CopyJob& job,
                    const CopyOutcome& outcome, std::ostream& out, std::ostream& err) {
    std::map<uint32_t, const PlacedFile*> placedByRow;
    for (const PlacedFile& placed : outcome.placed)
        placedByRow[placed.row] = &placed;
    bool allWritten = true;
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        CopyOutcome subset;
        for (uint32_t row : table.playlistRows[p])
            if (auto found = placedByRow.find(row); found != placedByRow.end())
                subset.placed.push_back(*found->second);
        const std::vector<M3uEntry> entries =
            PlacedEntries(db, table.rows.data(), subset, job.outputFolder);
        const std::string name =
            WritePlaylistOrSay(job.outputFolder, M3uTitle(db.playlists[p].name), entries,
                               *job.names, job.overwriteExisting, err);
        if (!name.empty())
            out << "playlist " << name << ": " << entries.size() << " tracks\n";
        else
            allWritten = false;
    }
    return allWritten;
}

} // namespace

int RunExportPlaylists(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ParsedOptions options;
    const std::vector<OptionSpec> specs = {{"device", true}, {"to", true},       {"organize"},
                                           {"overwrite"},    {"skip-identical"}, kFromFilesOption};
    if (int done = HandleCommonOptions(args, specs, kUsage, options, out, err); done >= 0)
        return done;
    if (!options.Has("to")) {
        err << "corvane-cli: export-playlists needs --to DIR (see --help)\n";
        return kExitUsage;
    }
    CItuneDB db;
    if (int code = OpenDevice(options, db, err); code != kExitOk)
        return code;
    CopyJob job;
    if (!PrepareOutputFolder(options.Get("to"), db, job.outputFolder, err))
        return kExitUsage;
    ExportTable table;
    if (!BuildExportTable(db, table)) {
        err << "corvane-cli: out of memory building the playlists' views\n";
        return kExitUnreadable;
    }
    std::vector<uint32_t> chosen(table.rows.size());
    for (uint32_t i = 0; i < chosen.size(); ++i)
        chosen[i] = i;
    job.rows = table.rows.data();
    job.rowCount = uint32_t(table.rows.size());
    ApplyCopyOptions(options, job);
    RunNames names;
    job.names = &names;
    const CopyOutcome outcome = RunCopyJob(job, chosen, err);
    PrintCopySummary(job, outcome, chosen.size(), out);
    const bool written = WritePlaylists(db, table, job, outcome, out, err);
    if (outcome.cancelled)
        return StoppedExitCode();
    return outcome.failedCount > 0 || !written ? kExitSomeFailed : kExitOk;
}
