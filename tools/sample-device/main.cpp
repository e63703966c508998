// corvane-sample-device DIR: writes a folder that looks like a mounted iPod.
#include <cstdio>

#include "support/SampleDevice.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane-sample-device DIR\n");
        return 2;
    }
    if (!WriteSampleDevice(argv[1])) {
        std::fprintf(stderr, "corvane-sample-device: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
