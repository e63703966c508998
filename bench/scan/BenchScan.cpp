// Times reading a device without a database from 10,000 small tagged files,
// against listing the files alone and against reading each file's first 4 KiB,
// the least any tag reader must touch. The files sit in the page cache: the
// numbers are the scan's own cost, which a USB device's latency adds to.
// Also times the tags of one hostile 4 GiB file, which must stay under a
// second: all zeros, or a real tagged MP3 followed by zeros.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "library/CItuneDB.h"
#include "library/FileTags.h"
#include "library/MusicFiles.h"
#include "library/Utf16.h"
#include "support/TaggedAudio.h"
#include "support/TempDir.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kFolders = 50; // F00..F49, as devices spread their files
constexpr uint32_t kFileBytes = 2000;

class Fixture {
public:
    static Fixture& Get() {
        static Fixture fixture;
        return fixture;
    }
    const std::string& Volume() const { return volume; }

private:
    Fixture() : volume(dir / "ipod") {
        for (int i = 0; i < kFiles; ++i) {
            char folder[8], name[16];
            std::snprintf(folder, sizeof folder, "F%02d", i % kFolders);
            std::snprintf(name, sizeof name, "T%05d.mp3", i);
            const std::string path = volume + "/iPod_Control/Music/" + folder;
            std::filesystem::create_directories(path);
            const std::u16string title = u"Track " + FromUtf8(std::to_string(i));
            WriteTaggedAudio(path + "/" + name, {title, u"Some Artist", u"Some Album", u"Rock"}, 0,
                             kFileBytes);
        }
    }
    TempDir dir; // before `volume`, which is made from it
    std::string volume;
};

void ListFiles(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    for (auto _ : state)
        benchmark::DoNotOptimize(ListMusicFiles(f.Volume()));
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(ListFiles)->Unit(benchmark::kMillisecond);

void ReadFirstBlocks(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    const std::vector<std::string> files = ListMusicFiles(f.Volume());
    char buffer[4096];
    for (auto _ : state) {
        for (const std::string& path : files) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
            ::close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(ReadFirstBlocks)->Unit(benchmark::kMillisecond);

void ScanTags(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    for (auto _ : state) {
        CItuneDB db;
        if (db.LoadFromFiles(f.Volume()) != 1 || db.viewRowCount != kFiles)
            state.SkipWithError("the scan did not find every file");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(ScanTags)->Unit(benchmark::kMillisecond);

// Sparse, so the 4 GiB take no room on the disk.
void ReadHostileFile(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir / "HOST.mp3";
    const bool framed = state.range(0) == 1;
    if (framed)
        WriteTaggedAudio(path, {u"Then Zeros", {}, {}, {}});
    std::ofstream(path, std::ios::app).close();
    std::filesystem::resize_file(path, uint64_t(4) << 30);
    for (auto _ : state) {
        FileTags tags;
        ReadFileTags(path, tags);
        if (framed && !tags.title)
            state.SkipWithError("the tags of the framed file were lost");
    }
    state.SetLabel(framed ? "tagged MP3, then zeros" : "zeros");
}
BENCHMARK(ReadHostileFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
