// Times the artwork database of a large library: a load of 40,000 tracks'
// images, each named by its track's dbid, over 3,000 albums' covers at
// 320×320 and 128×128 (the tracks of an album share their album's bytes,
// as devices keep them), and the reading and decoding of every album's
// largest cover once, as a copy that writes album covers does.
#include <benchmark/benchmark.h>

#include <vector>

#include "library/ArtworkLibrary.h"
#include "library/TrackDetails.h"
#include "support/ArtworkDbWriter.h"
#include "support/TempDir.h"

namespace {

constexpr uint32_t kTracks = 40000;
constexpr uint32_t kAlbums = 3000;

class Fixture {
public:
    static Fixture& Get() {
        static Fixture fixture;
        return fixture;
    }
    const std::string& root() const { return dir.path(); }

private:
    Fixture() {
        artwriter::Artwork artwork;
        std::vector<uint32_t> offsets[2];
        for (uint32_t track = 0; track < kTracks; ++track) {
            const uint32_t album = track % kAlbums;
            artwriter::Image image{track + 1, uint64_t(track) + 1, {}};
            for (uint32_t f = 0; f < 2; ++f) {
                artwriter::Thumbnail thumbnail = artwriter::Thumb(f == 0 ? 1060 : 1055);
                thumbnail.tint = uint8_t(album);
                if (track >= kAlbums)
                    thumbnail.offset = offsets[f][album];
                else
                    offsets[f].push_back(
                        uint32_t(album * (f == 0 ? 320 * 320 * 2 : 128 * 128 * 2)));
                image.thumbnails.push_back(thumbnail);
            }
            artwork.images.push_back(std::move(image));
        }
        artwriter::WriteDevice(dir.path(), artwriter::Write(artwork));
    }
    TempDir dir;
};

void LoadArtwork(benchmark::State& state) {
    const Fixture& f = Fixture::Get();
    for (auto _ : state) {
        ArtworkLibrary library;
        if (library.Load(f.root()) != 1)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(&library);
    }
}

void ReadEveryAlbumCover(benchmark::State& state) {
    ArtworkLibrary library;
    if (library.Load(Fixture::Get().root()) != 1)
        state.SkipWithError("load failed");
    TrackDetails details;
    details.present = TrackDetails::kDbid;
    CoverPixels pixels;
    for (auto _ : state) {
        for (uint32_t album = 0; album < kAlbums; ++album) {
            details.SetDbid(album + 1);
            if (!library.ReadCover(library.CoverOf(details), pixels))
                state.SkipWithError("no cover");
            benchmark::DoNotOptimize(pixels.rgb.data());
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations() * kAlbums));
}

} // namespace

BENCHMARK(LoadArtwork)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadEveryAlbumCover)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
