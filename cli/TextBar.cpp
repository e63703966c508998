#include "cli/TextBar.h"

std::string TextBar(uint64_t done, uint64_t total) {
    constexpr uint64_t kWidth = 20;
    const uint64_t filled = total == 0 || done >= total ? kWidth : kWidth * done / total;
    // Appended piece by piece: GCC 12's -Wrestrict misreads an inlined
    // "[" + std::string in Release builds.
    std::string bar = "[";
    bar.append(filled, '#').append(kWidth - filled, '.');
    bar += ']';
    return bar;
}
