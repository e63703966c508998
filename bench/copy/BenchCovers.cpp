// Times a copy of the 40,000-track benchmark device into artist and album
// folders, without and with cover.jpg in each folder: 3,000 of its 4,000
// albums have a 320x320 cover (and a 128x128 one) in the artwork database,
// one image per track as the device keeps them, the tracks of an album
// pointing at the same thumbnail bytes. The artwork database is read inside
// the timed part, as the CLI reads it for each run. Then the same as re-runs
// with skip-identical over copies already there, their covers removed, and
// with their covers still there, all of them kept.
#include <benchmark/benchmark.h>

#include "OutcomeSink.h"
#include "library/ArtworkLibrary.h"
#include "library/CItuneDB.h"
#include "library/TrackTableLock.h"
#include "support/ArtworkDbWriter.h"
#include "support/ItunesDbWriter.h"
#include "support/LargeDatabase.h"
#include "support/TempDir.h"
#include "transfer/CopyWorker.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <unistd.h>

namespace {

constexpr uint32_t kTracks = 40000;
constexpr uint32_t kAlbums = 4000; // LargeDatabase's albums: track i is in album i % 4000
constexpr uint32_t kAlbumsWithArt = 3000;
constexpr size_t kTrackFileBytes = 4096;

uint32_t ThumbnailOffset(uint32_t album, uint32_t format) {
    const artwriter::CoverFormat size = artwriter::CoverFormatOf(format);
    return album * uint32_t(size.width) * size.height * 2;
}

// The album's first track appends its thumbnails; the others point at them.
artwriter::Image TrackImage(uint32_t track, uint64_t dbid) {
    const uint32_t album = track % kAlbums;
    artwriter::Image image{100 + track, dbid, {}};
    for (const uint32_t format : {1060u, 1055u}) {
        artwriter::Thumbnail thumbnail = artwriter::Thumb(format, uint8_t(album));
        if (track >= kAlbums)
            thumbnail.offset = ThumbnailOffset(album, format);
        image.thumbnails.push_back(thumbnail);
    }
    return image;
}

class Device {
public:
    static Device& Get() {
        static Device device;
        return device;
    }

private:
    TempDir dir; // before `root`, which is made from it

public:
    std::string root;

private:
    Device() : root(dir / "ipod") {
        dbwriter::Database db = LargeDatabase(kTracks, 0, 0);
        artwriter::Artwork artwork;
        for (uint32_t i = 0; i < kTracks; ++i) {
            if (i % kAlbums >= kAlbumsWithArt)
                continue;
            db.tracks[i].artworkLink = 100 + i;
            artwork.images.push_back(TrackImage(i, db.tracks[i].dbid));
        }
        std::filesystem::create_directories(root + "/iPod_Control/iTunes");
        dbwriter::WriteFile(root + "/iPod_Control/iTunes/iTunesDB", dbwriter::Write(db).bytes);
        artwriter::WriteDevice(root, artwriter::Write(artwork));
        const std::string bytes(kTrackFileBytes, 'a');
        for (uint32_t i = 0; i < kTracks; ++i) {
            const std::string folder = root + "/iPod_Control/Music/F" + std::to_string(i % 50);
            std::filesystem::create_directories(folder);
            std::ofstream(folder + "/TRACK" + std::to_string(i) + ".mp3") << bytes;
        }
        ::sync();
    }
};

// Flushing is part of a copy's cost; without it the page cache hides the disk.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::syncfs(fd);
    ::close(fd);
}

struct Walk {
    bool covers = false;
    bool skipIdentical = false;
    bool coversThere = false; // with skipIdentical: the run before wrote the covers too
};

void RunWorker(CItuneDB& db, const std::string& outputFolder, Walk walk, OutcomeSink& sink) {
    {
        std::lock_guard lock(g_trackTableLock);
        for (uint32_t row = 0; row < db.viewRowCount; ++row)
            db.viewRows[row].checked = 1;
    }
    CopyJob job;
    job.outputFolder = outputFolder;
    job.rows = db.viewRows;
    job.rowCount = db.viewRowCount;
    job.keepOrganized = true;
    job.overwriteExisting = false;
    job.skipIdentical = walk.skipIdentical;
    job.library = &db;
    job.writeCovers = walk.covers;
    job.progress = &sink;
    ArtworkLibrary artwork;
    if (walk.covers) {
        artwork.Load(db.DeviceRoot());
        job.artwork = &artwork;
    }
    CopyWorkerProc(&job);
    SyncFolder(outputFolder);
}

void RemoveCovers(const std::string& outputFolder) {
    for (const auto& artist : std::filesystem::directory_iterator(outputFolder))
        for (const auto& album : std::filesystem::directory_iterator(artist.path()))
            std::filesystem::remove(album.path() / "cover.jpg");
}

// A fresh copy each time, or with skipIdentical a re-run over the copies of
// one done before: then nothing is copied, and what the covers add stands
// out of a far smaller whole. Covers already there are all kept.
void CopyIntoAlbumFolders(benchmark::State& state, Walk walk) {
    const Device& device = Device::Get();
    TempDir out;
    const std::string outputFolder = out / "music/";
    CItuneDB db;
    if (db.LoadDatabase(device.root + "/iPod_Control/iTunes/iTunesDB") != 1 ||
        db.BuildPlaylistView(0) != 1) {
        state.SkipWithError("the benchmark device did not load");
        return;
    }
    OutcomeSink sink;
    std::filesystem::create_directories(outputFolder);
    if (walk.skipIdentical)
        RunWorker(db, outputFolder, {walk.coversThere, false}, sink);
    for (auto _ : state) {
        state.PauseTiming();
        if (walk.skipIdentical) {
            if (!walk.coversThere)
                RemoveCovers(outputFolder);
        } else {
            std::filesystem::remove_all(outputFolder);
            std::filesystem::create_directories(outputFolder);
        }
        SyncFolder(outputFolder);
        state.ResumeTiming();
        RunWorker(db, outputFolder, walk, sink);
    }
    state.counters["copied"] = sink.outcome.copiedCount;
    state.counters["skipped"] = sink.outcome.skippedCount;
    state.counters["failed"] = sink.outcome.failedCount;
    state.counters["covers"] = sink.outcome.coversWritten;
    state.counters["kept"] = sink.outcome.coversKept;
}

void WithoutCovers(benchmark::State& state) {
    CopyIntoAlbumFolders(state, {false, false});
}
void WithCovers(benchmark::State& state) {
    CopyIntoAlbumFolders(state, {true, false});
}
void ReRunWithoutCovers(benchmark::State& state) {
    CopyIntoAlbumFolders(state, {false, true});
}
void ReRunWithCovers(benchmark::State& state) {
    CopyIntoAlbumFolders(state, {true, true});
}
void ReRunKeepingCovers(benchmark::State& state) {
    CopyIntoAlbumFolders(state, {true, true, true});
}
BENCHMARK(WithoutCovers)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(WithCovers)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(ReRunWithoutCovers)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(ReRunWithCovers)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(ReRunKeepingCovers)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
