// corvane-sample-device [--no-database] DIR: writes a folder that looks like
// a mounted iPod, its track files real audio tagged as the database says;
// with --no-database, as it looks after the database was lost.
#include <cstdio>
#include <cstring>

#include "support/TaggedSampleDevice.h"

int main(int argc, char** argv) {
    const bool withoutDatabase = argc == 3 && std::strcmp(argv[1], "--no-database") == 0;
    if (argc != 2 && !withoutDatabase) {
        std::fprintf(stderr, "usage: corvane-sample-device [--no-database] DIR\n");
        return 2;
    }
    const char* root = argv[argc - 1];
    if (!(withoutDatabase ? WriteSampleDeviceWithoutDatabase(root)
                          : WriteTaggedSampleDevice(root))) {
        std::fprintf(stderr, "corvane-sample-device: cannot write %s\n", root);
        return 1;
    }
    return 0;
}
