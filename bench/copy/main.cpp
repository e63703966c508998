// corvane-bench-copy [--rounds N] [--dir DIR] [--write-tags]: copies 2,000
// files of 1 MB and then 20 files of 100 MB from one folder to another, with
// the copy worker and with cp, in turns, and prints the best time of each and
// their ratio. Each set is written, measured and removed before the next, so
// the disk holds at most one set and one copy of it (about 4 GB).
// With --write-tags it copies 2,000 MP3 files of 1 MB with the worker alone,
// plainly and writing tags, in turns, and prints both and their ratio.
#include "OutcomeSink.h"
#include "library/TrackRecord.h"
#include "library/Utf16.h"
#include "transfer/CopyWorker.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct FileSet {
    const char* label;
    int count;
    size_t bytes;
    bool mpegFrames = false; // frame headers every 417 bytes, as TagLib looks for them
};

constexpr size_t kMiB = size_t{1} << 20;
// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono.
constexpr size_t kMpegFrame = 417;
constexpr uint8_t kMpegHeader[] = {0xFF, 0xFB, 0x90, 0xC4};

// Files of incompressible, distinct content, so that no file system can
// shortcut the copy by finding zeros or duplicates.
std::vector<std::string> WriteSources(const fs::path& folder, const FileSet& set) {
    fs::create_directories(folder);
    std::vector<char> block(kMiB);
    std::mt19937_64 random(42);
    std::vector<std::string> paths;
    for (int i = 0; i < set.count; ++i) {
        const std::string path = (folder / ("SRC" + std::to_string(i) + ".mp3")).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        for (size_t written = 0; written < set.bytes; written += block.size()) {
            for (size_t k = 0; k < block.size(); k += 8) {
                const uint64_t value = random();
                std::memcpy(&block[k], &value, 8);
            }
            for (size_t k = (kMpegFrame - written % kMpegFrame) % kMpegFrame;
                 set.mpegFrames && k + sizeof kMpegHeader <= block.size(); k += kMpegFrame)
                std::memcpy(&block[k], kMpegHeader, sizeof kMpegHeader);
            if (fd < 0 || ::write(fd, block.data(), block.size()) != ssize_t(block.size())) {
                std::fprintf(stderr, "corvane-bench-copy: cannot write %s\n", path.c_str());
                std::exit(1);
            }
        }
        ::close(fd);
        paths.push_back(path);
    }
    ::sync();
    return paths;
}

// Flushing is part of a copy's cost; without it the page cache hides the disk.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::syncfs(fd);
    ::close(fd);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeWorker(const std::vector<std::string>& sources, const fs::path& target,
                  bool writeTags = false) {
    fs::create_directories(target);
    std::vector<std::u16string> titles, locations;
    for (size_t i = 0; i < sources.size(); ++i) {
        titles.push_back(u"Track " + FromUtf8(std::to_string(i)));
        locations.push_back(FromUtf8(sources[i]));
    }
    const std::u16string artist = u"The Bench Players", album = u"Two Thousand", genre = u"Jazz";
    std::vector<TrackRecord> rows(sources.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].title = titles[i].c_str();
        rows[i].artist = artist.c_str();
        rows[i].album = album.c_str();
        rows[i].genre = genre.c_str();
        rows[i].location = locations[i].c_str();
        rows[i].checked = 1;
    }
    OutcomeSink sink;
    CopyJob job;
    job.outputFolder = target.string() + "/";
    job.rows = rows.data();
    job.rowCount = static_cast<uint32_t>(rows.size());
    job.keepOrganized = false;
    job.overwriteExisting = false;
    job.writeTags = writeTags;
    job.progress = &sink;
    const auto start = std::chrono::steady_clock::now();
    CopyWorkerProc(&job);
    SyncFolder(target);
    const double seconds = SecondsSince(start);
    if (sink.outcome.copiedCount != rows.size() || !sink.outcome.untagged.empty()) {
        std::fprintf(stderr,
                     "corvane-bench-copy: the worker copied %u of %zu files, %zu untagged\n",
                     sink.outcome.copiedCount, rows.size(), sink.outcome.untagged.size());
        std::exit(1);
    }
    return seconds;
}

// cp as a user would run it for the same job: keep times, one folder.
double TimeCp(const fs::path& sourceFolder, const fs::path& target) {
    fs::create_directories(target);
    std::string from = (sourceFolder / ".").string(), to = target.string();
    std::vector<char*> argv = {const_cast<char*>("cp"),
                               const_cast<char*>("-R"),
                               const_cast<char*>("--preserve=timestamps"),
                               from.data(),
                               to.data(),
                               nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    if (::posix_spawnp(&pid, "cp", nullptr, nullptr, argv.data(), environ) != 0 ||
        ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "corvane-bench-copy: cp failed\n");
        std::exit(1);
    }
    SyncFolder(target);
    return SecondsSince(start);
}

void Measure(const fs::path& root, const FileSet& set, int rounds) {
    const fs::path sources = root / "source", target = root / "target";
    std::printf("%s: writing %d files of %zu MB...\n", set.label, set.count, set.bytes / kMiB);
    std::fflush(stdout);
    const std::vector<std::string> paths = WriteSources(sources, set);
    double bestWorker = 1e30, bestCp = 1e30;
    for (int round = 0; round < rounds; ++round) {
        bestCp = std::min(bestCp, TimeCp(sources, target));
        fs::remove_all(target);
        bestWorker = std::min(bestWorker, TimeWorker(paths, target));
        fs::remove_all(target);
    }
    const double megabytes = double(set.count) * double(set.bytes) / 1e6;
    std::printf("%s: worker %.2f s (%.0f MB/s), cp %.2f s (%.0f MB/s), worker/cp %.3f\n", set.label,
                bestWorker, megabytes / bestWorker, bestCp, megabytes / bestCp,
                bestWorker / bestCp);
    std::fflush(stdout);
    fs::remove_all(sources);
}

void MeasureTags(const fs::path& root, int rounds) {
    const FileSet set{"2000 x 1 MB mp3", 2000, kMiB, true};
    const fs::path sources = root / "source", target = root / "target";
    std::printf("%s: writing the files...\n", set.label);
    std::fflush(stdout);
    const std::vector<std::string> paths = WriteSources(sources, set);
    double bestPlain = 1e30, bestTagged = 1e30;
    // Each run but the first follows the removal of a whole set, which some
    // disks are still busy with; the two take turns at going first.
    for (int round = 0; round < rounds; ++round) {
        for (const bool writeTags : {round % 2 == 1, round % 2 == 0}) {
            double& best = writeTags ? bestTagged : bestPlain;
            best = std::min(best, TimeWorker(paths, target, writeTags));
            fs::remove_all(target);
        }
    }
    std::printf("%s: plain copy %.2f s, with tags %.2f s, tagged/plain %.3f\n", set.label,
                bestPlain, bestTagged, bestTagged / bestPlain);
    std::fflush(stdout);
    fs::remove_all(sources);
}

// Removes the scratch folder however the run ends short of a crash.
struct ScratchRoot {
    fs::path path;
    ~ScratchRoot() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

} // namespace

int main(int argc, char** argv) {
    int rounds = 2;
    bool writeTags = false;
    std::string parent = fs::temp_directory_path().string();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--write-tags") == 0)
            writeTags = true;
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc)
            parent = argv[++i];
    }
    std::string pattern = parent + "/corvane-bench-copy-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::fprintf(stderr, "corvane-bench-copy: cannot create a folder in %s\n", parent.c_str());
        return 1;
    }
    ScratchRoot root{pattern};
    if (writeTags) {
        MeasureTags(root.path, rounds);
        return 0;
    }
    Measure(root.path, {"2000 x 1 MB", 2000, kMiB}, rounds);
    Measure(root.path, {"20 x 100 MB", 20, 100 * kMiB}, rounds);
    return 0;
}
