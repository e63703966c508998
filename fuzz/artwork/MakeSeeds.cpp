// corvane-fuzz-artwork-seeds DIR: a seed corpus for the artwork fuzzer,
// written by the tests' artwork writer: small thumbnails of several cover
// formats, padded and not, names in UTF-16 and UTF-8, one file holding
// them all, as the fuzzer lays its input out (the database, then the file).
#include <cstdio>
#include <string>

#include "support/ArtworkDbWriter.h"
#include "support/ItunesDbWriter.h"

namespace {

artwriter::Thumbnail Small(uint32_t format, uint16_t side, uint8_t tint) {
    artwriter::Thumbnail thumbnail = artwriter::Thumb(format, tint);
    thumbnail.width = side;
    thumbnail.height = side;
    thumbnail.fileName = ":F1060_1.ithmb";
    return thumbnail;
}

std::vector<uint8_t> Seed(const artwriter::Artwork& artwork) {
    artwriter::Written written = artwriter::Write(artwork);
    std::vector<uint8_t> bytes = written.database;
    const std::vector<uint8_t>& file = written.files["F1060_1.ithmb"];
    bytes.insert(bytes.end(), file.begin(), file.end());
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane-fuzz-artwork-seeds DIR\n");
        return 2;
    }
    artwriter::Artwork plain;
    plain.images = {{1, 2, {Small(1060, 16, 1), Small(1061, 8, 2)}}, {3, 4, {Small(1055, 12, 3)}}};
    artwriter::Artwork padded = plain;
    padded.images[0].thumbnails[0].verticalPadding = 3;
    padded.images[0].thumbnails[0].horizontalPadding = -2;
    padded.images[1].thumbnails[0].utf8Name = true;
    padded.dataSetOrder = {3, 1, 2};
    artwriter::Artwork shared = plain;
    artwriter::Thumbnail again = Small(1060, 16, 1);
    again.offset = 0;
    shared.images.push_back({5, 6, {again}});
    bool ok = true;
    int n = 0;
    for (const artwriter::Artwork* artwork : {&plain, &padded, &shared})
        ok &= dbwriter::WriteFile(std::string(argv[1]) + "/seed-" + std::to_string(n++),
                                  Seed(*artwork));
    if (!ok) {
        std::fprintf(stderr, "corvane-fuzz-artwork-seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
