// corvane-fuzz-seeds DIR: a seed corpus for the database fuzzer, written by
// the tests' database writer: the sample device in several layouts, plain
// and compressed, one with a Play Counts file and On-The-Go playlists.
#include <cstdio>
#include <string>

#include "support/ItunesDbWriter.h"
#include "support/SampleDevice.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane-fuzz-seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    int n = 0;
    auto seed = [&](dbwriter::Database db) {
        return dbwriter::WriteFile(dir + "/seed-" + std::to_string(n++), dbwriter::Write(db).bytes);
    };
    const dbwriter::Database sample = SampleDeviceDatabase();
    bool ok = seed(sample);
    dbwriter::Database real = sample;
    real.options.realDeviceExtras = true;
    ok &= seed(real);
    dbwriter::Database shuffle = sample;
    shuffle.options.dataSetOrder = {1, 3, 2};
    shuffle.options.rootDataSetCount = 2;
    ok &= seed(shuffle);
    dbwriter::Database reversed = sample;
    reversed.options.dataSetOrder = {2, 1, 2};
    ok &= seed(reversed);
    dbwriter::Database unnamed = sample;
    for (auto& playlist : unnamed.playlists)
        playlist.name.reset();
    unnamed.options.trackHeaderLength = 0x9C; // old iPods: shorter than the kind word
    ok &= seed(unnamed);
    dbwriter::Database tiny;
    tiny.tracks = {sample.tracks[0]};
    tiny.playlists = {{true, u"m", {sample.tracks[0].id}}};
    ok &= seed(tiny);
    // The files a device writes beside its database, after the database.
    std::vector<uint8_t> played = dbwriter::Write(sample).bytes;
    for (const auto& side : {dbwriter::WritePlayCounts({{3, 1, 80, 2, 1}, {1, 0, 0, 0, 0}}, 28),
                             dbwriter::WriteOnTheGo({2, 0, 40}), dbwriter::WriteOnTheGo({1})})
        played.insert(played.end(), side.begin(), side.end());
    ok &= dbwriter::WriteFile(dir + "/seed-" + std::to_string(n++), played);
    // The iTunesCDB form of the first layouts, as newer iPods keep them.
    for (const dbwriter::Database& db : {sample, real})
        ok &= dbwriter::WriteFile(dir + "/seed-" + std::to_string(n++),
                                  dbwriter::Compress(dbwriter::Write(db).bytes));
    if (!ok) {
        std::fprintf(stderr, "corvane-fuzz-seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
