#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "library/AnonymousMemory.h"

namespace {

constexpr size_t kMiB = size_t(1) << 20;

// mincore answers for mapped pages only: ENOMEM says part of the range is
// not mapped.
bool Mapped(const uint8_t* at, size_t length) {
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> residency((length + page - 1) / page);
    return mincore(const_cast<uint8_t*>(at), length, residency.data()) == 0;
}

TEST(AnonymousMemory, LargeMappingsSitOnWholeHugePagesAndAreGivenBackWhole) {
    uint8_t* bytes = MapAnonymousMemory(3 * kMiB);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bytes) % (2 * kMiB), 0u);
    EXPECT_TRUE(Mapped(bytes, 4 * kMiB));
    EXPECT_EQ(bytes[3 * kMiB - 1], 0);
    std::memset(bytes, 0xAB, 3 * kMiB);

    ShrinkAnonymousMemory(bytes, 3 * kMiB, kMiB + 1);
    EXPECT_TRUE(Mapped(bytes, 2 * kMiB));
    EXPECT_EQ(bytes[2 * kMiB - 1], 0xAB);
    EXPECT_FALSE(Mapped(bytes + 2 * kMiB, 2 * kMiB));

    UnmapAnonymousMemory(bytes, kMiB + 1);
    EXPECT_FALSE(Mapped(bytes, 4096));
    EXPECT_FALSE(Mapped(bytes + 2 * kMiB - 4096, 4096));
}

bool Resident(const uint8_t* at) {
    unsigned char residency = 0;
    return mincore(const_cast<uint8_t*>(at), 1, &residency) == 0 && (residency & 1) != 0;
}

// A huge page would make the whole last two megabytes resident at one write.
TEST(AnonymousMemory, ThePartOfALastHugePageAskedForStaysOnSmallPages) {
    uint8_t* bytes = MapAnonymousMemory(3 * kMiB);
    ASSERT_NE(bytes, nullptr);
    bytes[2 * kMiB] = 1;
    EXPECT_TRUE(Resident(bytes + 2 * kMiB));
    EXPECT_FALSE(Resident(bytes + 3 * kMiB - 4096));
    UnmapAnonymousMemory(bytes, 3 * kMiB);
}

TEST(AnonymousMemory, SmallMappingsTakeOnlyTheirPages) {
    uint8_t* bytes = MapAnonymousMemory(5000);
    ASSERT_NE(bytes, nullptr);
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t length = (5000 + page - 1) / page * page;
    EXPECT_TRUE(Mapped(bytes, length));
    bytes[4999] = 1;

    // Shrinking a large mapping below a megabyte keeps pages, not huge pages.
    uint8_t* large = MapAnonymousMemory(2 * kMiB);
    ASSERT_NE(large, nullptr);
    ShrinkAnonymousMemory(large, 2 * kMiB, 5000);
    EXPECT_TRUE(Mapped(large, length));
    EXPECT_FALSE(Mapped(large + length, page));

    UnmapAnonymousMemory(large, 5000);
    UnmapAnonymousMemory(bytes, 5000);
    EXPECT_FALSE(Mapped(bytes, page));
    EXPECT_FALSE(Mapped(large, page));
}

} // namespace
