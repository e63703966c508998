// corvane-sample-device [--no-database | --compressed] DIR: writes a folder
// that looks like a mounted iPod, its track files real audio tagged as the
// database says; with --no-database, as it looks after the database was
// lost; with --compressed, as a newer one (iTunesCDB, empty iTunesDB).
#include <cstdio>
#include <string>

#include "support/SampleDevice.h"
#include "support/TaggedSampleDevice.h"

int main(int argc, char** argv) {
    const std::string variant = argc == 3 ? argv[1] : "";
    if ((argc != 2 && argc != 3) ||
        (argc == 3 && variant != "--no-database" && variant != "--compressed")) {
        std::fprintf(stderr, "usage: corvane-sample-device [--no-database | --compressed] DIR\n");
        return 2;
    }
    const char* root = argv[argc - 1];
    const bool written = variant == "--no-database"
                             ? WriteSampleDeviceWithoutDatabase(root)
                             : WriteTaggedSampleDevice(root) &&
                                   (variant != "--compressed" || CompressSampleDatabase(root));
    if (!written) {
        std::fprintf(stderr, "corvane-sample-device: cannot write %s\n", root);
        return 1;
    }
    return 0;
}
