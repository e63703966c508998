// corvane-cli copy: the copy worker on one playlist's view, for scripts.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <mutex>
#include <optional>
#include <sstream>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/CopyRun.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/LibraryChoice.h"
#include "cli/M3uPlaylist.h"
#include "cli/PrintableText.h"
#include "cli/TextBar.h"
#include "library/TrackTableLock.h"
#include "library/Utf16.h"
#include "transfer/CopyProgress.h"
#include "transfer/CopyWorker.h"
#include "transfer/FolderPath.h"
#include "transfer/NameFormat.h"
#include "transfer/OutputFolderRules.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli copy [--device DIR] [--playlist INDEX] --to DIR [--organize]\n"
    "                        [--name FORMAT] [--overwrite] [--only N,N,...]\n"
    "                        [--min-rating STARS] [--min-plays N] [--skip-identical]\n"
    "                        [--m3u] [--from-files]\n"
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
    "  --m3u              also write <playlist name>.m3u8 into DIR, listing the copies\n"
    "  --from-files       read the music files' own tags, not the database (the\n"
    "                     default when the database is missing, empty or unreadable)\n"
    "\n"
    "Ctrl-C (or SIGTERM, SIGHUP) stops after the current file, a second one at once.\n"
    "Exit status: 0 every chosen track copied, 1 some failed, 2 bad arguments or\n"
    "output folder, 128 + the signal's number when stopped (130 for Ctrl-C).\n";

constexpr int kExitBySignal = 128; // plus the signal's number, as a shell reports it
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

// Set from the signal handler; lock-free atomic stores are async-signal-safe.
CopyJob* g_stoppableJob = nullptr;
std::atomic<int> g_firstStopSignal{0};

// The first Ctrl-C (or SIGTERM, SIGHUP) stops after the current file; the
// next one stops at once, abandoning that file, for a device that hangs.
void OnStopSignal(int signal) {
    int none = 0;
    if (!g_stoppableJob)
        return;
    if (g_firstStopSignal.compare_exchange_strong(none, signal))
        g_stoppableJob->cancelRequested.store(true);
    else
        g_stoppableJob->abortRequested.store(true);
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Routes the stop signals to the job's flags while it lives.
class SignalsToStop {
public:
    explicit SignalsToStop(CopyJob& job) {
        g_stoppableJob = &job;
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kStopSignals); ++i)
            ::sigaction(kStopSignals[i], &action, &previous_[i]);
    }
    ~SignalsToStop() {
        for (size_t i = 0; i < std::size(kStopSignals); ++i)
            ::sigaction(kStopSignals[i], &previous_[i], nullptr);
        g_stoppableJob = nullptr;
    }
    SignalsToStop(const SignalsToStop&) = delete;
    SignalsToStop& operator=(const SignalsToStop&) = delete;

private:
    struct sigaction previous_[std::size(kStopSignals)]{};
};

// The worker's posts, queued for the main thread, which draws the progress.
class QueuedProgress : public CopyProgressSink {
public:
    void Post(int) override {
        std::lock_guard lock(mutex_);
        ++started_;
        changed_.notify_one();
    }
    void PostDone(CopyOutcome outcome) override {
        std::lock_guard lock(mutex_);
        outcome_ = std::move(outcome);
        changed_.notify_one();
    }
    // Waits until something is posted or the interval passes; gives the
    // number of rows started and, once the walk is over, its outcome.
    uint32_t Wait(std::optional<CopyOutcome>& outcome) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kRedrawInterval);
        if (outcome_)
            outcome = std::move(outcome_);
        return started_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    uint32_t started_ = 0;
    std::optional<CopyOutcome> outcome_;
};

std::string PrintableField(const char16_t* text) {
    return Printable(ToUtf8(Utf16View(text)));
}

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

int TerminalColumns() {
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col >= 40)
        return size.ws_col;
    return 80;
}

// One progress line: a bar and the count, the rate, the current track.
class ProgressDisplay {
public:
    ProgressDisplay(std::ostream& err, const TrackRecord* rows, const std::vector<uint32_t>& chosen)
        : err_(err), rows_(rows), chosen_(chosen), start_(std::chrono::steady_clock::now()),
          terminal_(&err == &std::cerr && ::isatty(STDERR_FILENO)) {}

    void Show(uint32_t started) {
        if (terminal_ && started > 0)
            Redraw(started);
        // Plain lines are for logs: one per file, none skipped between waits.
        for (uint32_t n = shown_ + 1; !terminal_ && n <= started; ++n)
            err_ << "copying " << Count(n) << ": " << TrackName(n) << "\n";
        shown_ = started;
    }

    void Finish() {
        if (terminal_ && shown_ > 0)
            err_ << "\r\x1b[K" << std::flush;
    }

private:
    void Redraw(uint32_t started) {
        const std::string line = TextBar(started - 1, chosen_.size()) + " " + Count(started) +
                                 "  " + Rate(started) + "  " + TrackName(started);
        err_ << "\r" << CutToColumns(line) << "\x1b[K" << std::flush;
    }

    std::string Count(uint32_t started) const {
        return std::to_string(started) + "/" + std::to_string(chosen_.size());
    }

    std::string TrackName(uint32_t started) const {
        const TrackRecord& track = rows_[chosen_[started - 1]];
        std::string name = PrintableField(track.title);
        if (track.artist)
            name += " - " + PrintableField(track.artist);
        return name;
    }

    // From the sizes the database gives for the files already done.
    std::string Rate(uint32_t started) const {
        double bytes = 0;
        for (uint32_t i = 0; i + 1 < started; ++i)
            bytes += rows_[chosen_[i]].fileSize;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        char text[32];
        std::snprintf(text, sizeof text, "%.1f MB/s", seconds > 0 ? bytes / 1e6 / seconds : 0.0);
        return text;
    }

    std::string CutToColumns(const std::string& line) const {
        const size_t columns = static_cast<size_t>(TerminalColumns()) - 1;
        size_t shown = 0;
        for (size_t i = 0; i < line.size(); ++i) {
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 && ++shown > columns)
                return line.substr(0, i);
        }
        return line;
    }

    std::ostream& err_;
    const TrackRecord* rows_;
    const std::vector<uint32_t>& chosen_;
    std::chrono::steady_clock::time_point start_;
    bool terminal_;
    uint32_t shown_ = 0;
};

// Runs the worker on its own thread, as the window does, and shows its
// progress until COPY_DONE.
CopyOutcome RunWorker(CopyJob& job, QueuedProgress& progress, ProgressDisplay& display) {
    SignalsToStop signals(job);
    std::thread worker(CopyWorkerProc, &job);
    std::optional<CopyOutcome> outcome;
    while (!outcome)
        display.Show(progress.Wait(outcome));
    worker.join();
    display.Finish();
    return std::move(*outcome);
}

// The path the failure is about: where the copy was to go when that place
// refused it, else the file on the device.
const std::string& FailurePath(const CopyFailure& failure) {
    const bool destinationFault = failure.reason == CopyFailureReason::DestinationNotWritable ||
                                  failure.reason == CopyFailureReason::DiskFull;
    return destinationFault && !failure.destination.empty() ? failure.destination : failure.source;
}

} // namespace

void PrintCopySummary(const CopyJob& job, const CopyOutcome& outcome, size_t chosen,
                      std::ostream& out) {
    const size_t notStarted =
        chosen - outcome.copiedCount - outcome.skippedCount - outcome.failedCount;
    out << "copied " << outcome.copiedCount;
    if (job.skipIdentical)
        out << ", already there " << outcome.skippedCount;
    out << ", failed " << outcome.failedCount << ", cancelled " << notStarted << " of " << chosen
        << " into " << job.outputFolder << "\n";
    for (const CopyFailure& failure : outcome.failures)
        out << "failed: row " << failure.row + 1 << " \"" << Printable(failure.title)
            << "\": " << CopyFailureText(failure.reason) << " (" << Printable(FailurePath(failure))
            << ")\n";
}

CopyOutcome RunCopyJob(CopyJob& job, const std::vector<uint32_t>& chosen, std::ostream& err) {
    // A reader of the progress or the summary that goes away (| head) must
    // not end the copy half-way; the lines are then simply lost.
    ::signal(SIGPIPE, SIG_IGN);
    QueuedProgress progress;
    job.progress = &progress;
    ProgressDisplay display(err, job.rows, chosen);
    return RunWorker(job, progress, display);
}

int StoppedExitCode() {
    return kExitBySignal + g_firstStopSignal.load();
}

bool PrepareOutputFolder(const std::string& given, const CItuneDB& db, std::string& folder,
                         std::ostream& err) {
    std::error_code error;
    folder = ExpandHomeFolder(given);
    folder = folder.empty() ? folder : std::filesystem::absolute(folder, error).string();
    const std::string deviceRoot = DeviceRootOfDatabase(db.DatabasePath());
    if (!error && IsOnDeviceVolume(folder, deviceRoot)) {
        err << "corvane-cli: the output folder " << folder << " is on the iPod at " << deviceRoot
            << "; nothing is ever written to it\n";
        return false;
    }
    if (error || !EnsureFolderPath(folder)) {
        err << "Invalid output folder \"" << given << "\", please select a valid one!\n";
        return false;
    }
    if (!IsWritableFolder(folder)) {
        err << "corvane-cli: the output folder " << folder << " is not writable\n";
        return false;
    }
    if (folder.back() != '/')
        folder += '/';
    return true;
}

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
        {"min-plays", true}, {"skip-identical"}, {"m3u"},        kFromFilesOption};
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
    job.nameFormat = &nameFormat;
    job.library = &db;
    const CopyOutcome outcome = RunCopyJob(job, chosen, err);
    PrintCopySummary(job, outcome, chosen.size(), out);
    if (options.Has("m3u") &&
        !WritePlaylistFile(job.outputFolder, M3uFileName(db.playlists[index].name),
                           PlacedEntries(db, job.rows, outcome, job.outputFolder), err))
        return kExitSomeFailed;
    if (outcome.cancelled)
        return StoppedExitCode();
    return outcome.failedCount > 0 ? kExitSomeFailed : kExitOk;
}
