// Times the copy worker on 10,100 tracks that all have the title "Dup", flat
// into one folder without overwriting: every copy after the first needs the
// free-name search, and the last hundred find every number taken.
#include <benchmark/benchmark.h>

#include "library/TrackRecord.h"
#include "library/Utf16.h"
#include "support/TempDir.h"
#include "transfer/CopyProgress.h"
#include "transfer/CopyWorker.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kTracks = 10100;

class CountingSink : public CopyProgressSink {
public:
    void Post(int) override {}
    void PostDone(CopyOutcome result) override { outcome = std::move(result); }
    CopyOutcome outcome;
};

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
    CountingSink sink;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string target = dir / "out";
        std::filesystem::remove_all(target);
        std::filesystem::create_directories(target);
        CopyJob job;
        job.outputFolder = target + "/";
        job.rows = rows.data();
        job.rowCount = kTracks;
        job.overwriteExisting = false;
        job.progress = &sink;
        state.ResumeTiming();
        CopyWorkerProc(&job);
    }
    state.counters["copied"] = sink.outcome.copiedCount;
    state.counters["failed"] = sink.outcome.failedCount;
}
BENCHMARK(EqualTitles)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
