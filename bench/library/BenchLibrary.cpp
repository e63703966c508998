// Times a load of a large, realistic database against reading its bytes once
// from the page cache, the same load with the Play Counts and On-The-Go
// files a played device holds, the merge of the play counts alone, and the
// view of every playlist. Also reports the peak memory of one load,
// measured in a fresh process.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "library/CItuneDB.h"
#include "library/PlayCountsFile.h"
#include "support/ItunesDbWriter.h"
#include "support/LargeDatabase.h"
#include "support/TempDir.h"

extern char** environ;

namespace {

constexpr uint32_t kTracks = 40000;
constexpr uint32_t kPlaylists = 200;
constexpr uint32_t kItemsPerPlaylist = 1000;

class Fixture {
public:
    static Fixture& Get() {
        static Fixture fixture;
        return fixture;
    }
    std::string path;
    std::string compressedPath; // the same database as iTunesCDB
    std::string playedPath;     // the same beside Play Counts and On-The-Go files
    std::vector<uint8_t> playCounts;
    size_t size = 0;

private:
    Fixture() {
        std::filesystem::create_directories(dir / "ipod/iPod_Control/iTunes");
        path = dir / "ipod/iPod_Control/iTunes/iTunesDB";
        const auto bytes =
            dbwriter::Write(LargeDatabase(kTracks, kPlaylists, kItemsPerPlaylist)).bytes;
        size = bytes.size();
        dbwriter::WriteFile(path, bytes);
        compressedPath = dir / "ipod/iPod_Control/iTunes/iTunesCDB";
        dbwriter::WriteFile(compressedPath, dbwriter::Compress(bytes));
        WritePlayedDevice(bytes);
    }

    // Every track played, rated and skipped since the sync, in entries of
    // the longest layout, and three On-The-Go playlists of 100 tracks.
    void WritePlayedDevice(const std::vector<uint8_t>& bytes) {
        const std::string itunes = dir / "played/iPod_Control/iTunes/";
        std::filesystem::create_directories(itunes);
        playedPath = itunes + "iTunesDB";
        dbwriter::WriteFile(playedPath, bytes);
        std::vector<dbwriter::PlayCount> entries(kTracks);
        for (uint32_t i = 0; i < kTracks; ++i)
            entries[i] = {i % 5, 3700000000u + i, 20 + i % 5 * 20, i % 2, 3700000001u + i};
        playCounts = dbwriter::WritePlayCounts(entries, 28);
        dbwriter::WriteFile(itunes + "Play Counts", playCounts);
        for (int n = 0; n < 3; ++n) {
            std::vector<uint32_t> indexes;
            for (uint32_t k = 0; k < 100; ++k)
                indexes.push_back((k * 397 + uint32_t(n)) % kTracks);
            dbwriter::WriteFile(itunes + (n == 0 ? std::string("OTGPlaylistInfo")
                                                 : "OTGPlaylistInfo_" + std::to_string(n)),
                                dbwriter::WriteOnTheGo(indexes));
        }
    }
    TempDir dir;
};

void ReadFileOnce(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    std::vector<char> buffer(f.size);
    for (auto _ : state) {
        std::FILE* file = std::fopen(f.path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.size));
}

void Load(benchmark::State& state, const std::string& path) {
    const Fixture& f = Fixture::Get();
    for (auto _ : state) {
        CItuneDB db;
        if (db.LoadDatabase(path) != 1)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(db.viewRowCount);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.size));
}

void LoadDatabase(benchmark::State& state) {
    Load(state, Fixture::Get().path);
}

// The window keeps one CItuneDB and loads again into it when a device
// comes back.
void ReloadDatabase(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    CItuneDB db;
    for (auto _ : state) {
        if (db.LoadDatabase(f.path) != 1)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(db.viewRowCount);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.size));
}

// Bytes processed are the inflated database's, as for the plain load.
void LoadCompressedDatabase(benchmark::State& state) {
    Load(state, Fixture::Get().compressedPath);
}

// What a device played since its last sync adds to a first load.
void LoadPlayedDatabase(benchmark::State& state) {
    Load(state, Fixture::Get().playedPath);
}

// The merge alone, over rows as a load leaves them.
void MergePlayCountsOfEveryTrack(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    std::vector<TrackDetails> rows(kTracks);
    std::string message;
    for (auto _ : state) {
        MergePlayCounts(f.playCounts.data(), f.playCounts.size(), rows.data(), kTracks, message);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations() * kTracks));
}

void BuildEveryPlaylistView(benchmark::State& state) {
    CItuneDB db;
    if (db.LoadDatabase(Fixture::Get().path) != 1)
        state.SkipWithError("load failed");
    for (auto _ : state)
        for (uint32_t p = 0; p < db.playlistCount; ++p)
            benchmark::DoNotOptimize(db.BuildPlaylistView(int32_t(p)));
}

BENCHMARK(ReadFileOnce)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(LoadDatabase)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ReloadDatabase)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(LoadCompressedDatabase)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(LoadPlayedDatabase)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(MergePlayCountsOfEveryTrack)->Unit(benchmark::kMicrosecond)->MinTime(1);
BENCHMARK(BuildEveryPlaylistView)->Unit(benchmark::kMillisecond)->MinTime(2);

long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// In a fresh process, so nothing of the generator or the other benchmarks
// counts: the peak resident size before and after one load, and its time,
// which is what a command-line run pays (none of its memory has been
// touched yet).
int MeasureLoad(const std::string& path) {
    const long before = PeakKilobytes();
    CItuneDB db;
    const auto start = std::chrono::steady_clock::now();
    const int result = db.LoadDatabase(path);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const long after = PeakKilobytes();
    std::printf("load result %d in a fresh process: %.1f ms; peak resident %ld kB before, %ld kB "
                "after (+%ld kB); %u tracks in the master view, %u playlists\n",
                result, took.count(), before, after, after - before, db.viewRowCount,
                db.playlistCount);
    return result == 1 ? 0 : 1;
}

void ReportPeakMemory(const char* self) {
    const Fixture& f = Fixture::Get();
    std::printf("database: %zu bytes (%.1f MB)\n", f.size, double(f.size) / 1e6);
    std::fflush(stdout);
    std::string flag = "--measure-load", path = f.path, program = self;
    char* argv[] = {program.data(), flag.data(), path.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ) == 0)
        waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--measure-load")
        return MeasureLoad(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    ReportPeakMemory(argv[0]);
    benchmark::Shutdown();
    return 0;
}
