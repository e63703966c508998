// Times the copy worker on 10,100 tracks that all have the title "Dup", flat
// into one folder without overwriting: every copy after the first needs the
// free-name search, and the last hundred find every number taken. Then a
// re-run with skip-identical of 5,000 tracks of one title and one size whose
// bytes all differ: each must find its own copy among 5,000 of that size.
#include <benchmark/benchmark.h>

#include "OutcomeSink.h"
#include "library/TrackRecord.h"
#include "library/Utf16.h"
#include "support/TempDir.h"
#include "transfer/CopyWorker.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kTracks = 10100;

void Aim(CopyJob& job, const std::string& target, std::vector<TrackRecord>& rows,
         OutcomeSink& sink) {
    job.outputFolder = target + "/";
    job.rows = rows.data();
    job.rowCount = uint32_t(rows.size());
    job.overwriteExisting = false;
    job.progress = &sink;
}

void EqualTitles(benchmark::State& state) {
    TempDir dir;
    const std::u16string source = FromUtf8(dir / "DUP.mp3");
    std::ofstream(dir / "DUP.mp3") << "a";
    std::vector<TrackRecord> rows(kTracks);
    for (TrackRecord& row : rows) {
        row.title = u"Dup";
        row.location = source.c_str();
        row.checked = 1;
    }
    OutcomeSink sink;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string target = dir / "out";
        std::filesystem::remove_all(target);
        std::filesystem::create_directories(target);
        CopyJob job;
        Aim(job, target, rows, sink);
        state.ResumeTiming();
        CopyWorkerProc(&job);
    }
    state.counters["copied"] = sink.outcome.copiedCount;
    state.counters["failed"] = sink.outcome.failedCount;
}
BENCHMARK(EqualTitles)->Unit(benchmark::kSecond)->Iterations(1);

constexpr int kReRunTracks = 5000;

void ReRunOfEqualTitlesAndSizes(benchmark::State& state) {
    TempDir dir;
    std::vector<std::u16string> sources(kReRunTracks);
    std::vector<TrackRecord> rows(kReRunTracks);
    for (int i = 0; i < kReRunTracks; ++i) {
        const std::string name = "T" + std::to_string(i) + ".mp3";
        std::string bytes(4096, 'x');
        bytes.replace(0, std::to_string(i).size(), std::to_string(i));
        std::ofstream(dir / name) << bytes;
        sources[i] = FromUtf8(dir / name);
        rows[i].title = u"Same";
        rows[i].location = sources[i].c_str();
        rows[i].checked = 1;
    }
    OutcomeSink sink;
    const std::string target = dir / "out";
    std::filesystem::create_directories(target);
    CopyJob first;
    Aim(first, target, rows, sink);
    CopyWorkerProc(&first);
    for (auto _ : state) {
        CopyJob again;
        Aim(again, target, rows, sink);
        again.skipIdentical = true;
        CopyWorkerProc(&again);
    }
    state.counters["already"] = sink.outcome.skippedCount;
    state.counters["copied"] = sink.outcome.copiedCount;
}
BENCHMARK(ReRunOfEqualTitlesAndSizes)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
