// corvane-cli copy: the copy worker on one playlist's view, for scripts.
#include <mutex>
#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/CopyRun.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/LibraryChoice.h"
#include "cli/StopSignals.h"
#include "library/ArtworkLibrary.h"
#include "library/TrackTableLock.h"
#include "transfer/NameFormat.h"
#include "transfer/RunNames.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli copy [--device DIR] [--playlist INDEX] --to DIR [--organize]\n"
    "                        [--name FORMAT] [--overwrite] [--only N,N,...]\n"
    "                        [--min-rating STARS] [--min-plays N] [--skip-identical]\n"
    "                        [--write-tags] [--m3u] [--covers] [--from-files]\n"
    "\n"
    "Copies a playlist's tracks off the iPod into DIR, as corvane's Copy to Computer\n"
    "does. Nothing on the device is written.\n"
    "  --device DIR       the iPod's mount point (default: the first one found)\n"
    "  --playlist INDEX   the playlist's index from 'playlists' (default 0, the master)\n"
    "  --to DIR           the output folder; missing levels are created\n"
    "  --organize         sort the copies into artist and album folders\n"
    "  --name FORMAT      name the copies by FORMAT instead (the extension is added),\n"
    "                     e.g. '{albumartist}/{album}/{disc}-{track:02} {title}';\n"
    "                     fields {title} {artist} {album} {albumartist} {genre}\n"
    "                     {composer} {year} {track} {disc}, a width pads numbers\n"
    "                     with zeros ({track:02}), '/' makes folders; an empty\n"
    "                     field drops the text that separates it, an empty level\n"
    "                     makes no folder\n"
    "  --overwrite        replace existing files instead of numbering new ones\n"
    "  --only N,N,...     copy only these rows (the numbers 'tracks' shows)\n"
    "  --min-rating STARS copy only tracks rated at least STARS (0-5) on the iPod\n"
    "  --min-plays N      copy only tracks played at least N times (plays since the\n"
    "                     last sync included)\n"
    "  --skip-identical   leave out tracks already in DIR byte for byte, under their\n"
    "                     name or a numbered one, so a re-run adds no duplicates\n"
    "  --write-tags       fill the tags each copy lacks from the iPod's library and\n"
    "                     add its rating and play count (FMPS, and POPM in MP3s);\n"
    "                     a copy that cannot be tagged is still copied\n"
    "  --m3u              also write <playlist name>.m3u8 into DIR, listing the copies\n"
    "  --covers           write cover.jpg into each album folder (with --organize, or\n"
    "                     a --name FORMAT with folders), from the iPod's artwork or,\n"
    "                     for tracks read from the files, their embedded pictures;\n"
    "                     an existing cover.jpg is kept unless --overwrite\n"
    "  --from-files       read the music files' own tags, not the database (the\n"
    "                     default when the database is missing, empty or unreadable)\n"
    "\n"
    "Ctrl-C (or SIGTERM, SIGHUP) stops after the current file, a second one at once.\n"
    "Exit status: 0 every chosen track copied, 1 some failed, 2 bad arguments or\n"
    "output folder, 128 + the signal's number when stopped (130 for Ctrl-C).\n";

// "3,1,7" into row indices (0-based) of a view of `rowCount` rows.
bool ParseRowList(const std::string& text, uint32_t rowCount, std::vector<uint32_t>& rows,
                  std::string& error) {
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        int32_t number = 0;
        if (!ParseIndex(item, number) || number < 1 || uint32_t(number) > rowCount) {
            error =
                "--only: '" + item + "' is not a row number from 1 to " + std::to_string(rowCount);
            return false;
        }
        rows.push_back(uint32_t(number) - 1);
    }
    if (rows.empty())
        error = "--only needs row numbers such as 1,4,9";
    return !rows.empty();
}

// Marks the chosen rows checked (all when `only` is empty, of those the
// library choice lets through) and returns them in table order, which is
// the order the worker walks them.
std::vector<uint32_t> CheckRows(CItuneDB& db, const std::vector<uint32_t>& only,
                                const LibraryChoice& choice) {
    std::lock_guard lock(g_trackTableLock);
    for (uint32_t row = 0; row < db.viewRowCount; ++row)
        db.viewRows[row].checked = only.empty() ? 1 : 0;
    for (uint32_t row : only)
        db.viewRows[row].checked = 1;
    for (uint32_t row = 0; row < db.viewRowCount; ++row)
        if (!choice.Reaches(db, db.viewRows[row]))
            db.viewRows[row].checked = 0;
    std::vector<uint32_t> chosen;
    for (uint32_t row = 0; row < db.viewRowCount; ++row)
        if (db.viewRows[row].checked)
            chosen.push_back(row);
    return chosen;
}

} // namespace

namespace {

int Usage(std::ostream& err, const std::string& message) {
    err << "corvane-cli: " << message << " (see --help)\n";
    return kExitUsage;
}

} // namespace

int RunCopy(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ParsedOptions options;
    const std::vector<OptionSpec> specs = {
        {"device", true},    {"playlist", true}, {"to", true},   {"organize"},
        {"name", true},      {"overwrite"},      {"only", true}, {"min-rating", true},
        {"min-plays", true}, {"skip-identical"}, {"write-tags"}, {"m3u"},
        {"covers"},          kFromFilesOption};
    if (int done = HandleCommonOptions(args, specs, kUsage, options, out, err); done >= 0)
        return done;
    if (!options.Has("to"))
        return Usage(err, "copy needs --to DIR");
    NameFormat nameFormat;
    LibraryChoice choice;
    std::string optionError;
    if (options.Has("name") && !NameFormat::Parse(options.Get("name"), nameFormat, optionError))
        return Usage(err, "--name: " + optionError);
    if (!choice.Parse(options, optionError))
        return Usage(err, optionError);
    int32_t index = 0;
    if (options.Has("playlist") && !ParseIndex(options.Get("playlist"), index))
        return Usage(err,
                     "--playlist needs a playlist index, not '" + options.Get("playlist") + "'");
    CItuneDB db;
    if (int code = OpenDevice(options, db, err); code != kExitOk)
        return code;
    if (uint32_t(index) >= db.playlistCount)
        return Usage(err, "no playlist " + std::to_string(index) + ": the device has " +
                              std::to_string(db.playlistCount));
    if (!db.BuildPlaylistView(index)) {
        err << "corvane-cli: out of memory building the view of playlist " << index << "\n";
        return kExitUnreadable;
    }
    std::vector<uint32_t> only;
    std::string error;
    if (options.Has("only") && !ParseRowList(options.Get("only"), db.viewRowCount, only, error))
        return Usage(err, error);
    CopyJob job;
    if (!PrepareOutputFolder(options.Get("to"), db, job.outputFolder, err))
        return kExitUsage;

    const std::vector<uint32_t> chosen = CheckRows(db, only, choice);
    job.rows = db.viewRows;
    job.rowCount = db.viewRowCount;
    ApplyCopyOptions(options, job);
    RunNames names;
    job.names = &names;
    job.nameFormat = &nameFormat;
    job.library = &db;
    ArtworkLibrary artwork;
    if (job.writeCovers || job.writeTags) {
        // No artwork database, or a damaged one, only means no covers.
        artwork.Load(db.DeviceRoot());
        job.artwork = &artwork;
    }
    const CopyOutcome outcome = RunCopyJob(job, chosen, err);
    PrintCopySummary(job, outcome, chosen.size(), out);
    if (options.Has("m3u") &&
        WritePlaylistOrSay(job.outputFolder, M3uTitle(db.playlists[index].name),
                           PlacedEntries(db, job.rows, outcome, job.outputFolder), names,
                           job.overwriteExisting, err)
            .empty())
        return kExitSomeFailed;
    if (outcome.cancelled)
        return StoppedExitCode();
    return outcome.failedCount > 0 ? kExitSomeFailed : kExitOk;
}
