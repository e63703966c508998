// corvane-sample-device [--compressed] DIR: writes a folder that looks like
// a mounted iPod; --compressed as a newer one (iTunesCDB, empty iTunesDB).
#include <cstdio>
#include <cstring>

#include "support/SampleDevice.h"

int main(int argc, char** argv) {
    const bool compressed = argc == 3 && std::strcmp(argv[1], "--compressed") == 0;
    if (argc != 2 && !compressed) {
        std::fprintf(stderr, "usage: corvane-sample-device [--compressed] DIR\n");
        return 2;
    }
    const char* dir = argv[argc - 1];
    if (!(compressed ? WriteCompressedSampleDevice(dir) : WriteSampleDevice(dir))) {
        std::fprintf(stderr, "corvane-sample-device: cannot write %s\n", dir);
        return 1;
    }
    return 0;
}
