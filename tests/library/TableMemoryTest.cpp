#include <gtest/gtest.h>

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

#include "library/TableMemory.h"
#include "library/TrackRecord.h"

namespace {

bool Aligned(const void* p, size_t align) {
    return reinterpret_cast<uintptr_t>(p) % align == 0;
}

TEST(TableMemory, TablesAreAlignedApartAndStartAsDefaultRows) {
    TableMemory memory;
    char16_t* text = nullptr;
    TrackRecord* rows = nullptr;
    uint32_t* words = nullptr;
    ASSERT_TRUE(memory.Allocate(TableMemory::Rows(text, 3), TableMemory::Rows(rows, 2),
                                TableMemory::Rows(words, 0)));
    EXPECT_TRUE(Aligned(rows, alignof(TrackRecord)));
    EXPECT_GE(reinterpret_cast<uint8_t*>(rows), reinterpret_cast<uint8_t*>(text + 3));
    EXPECT_GE(reinterpret_cast<uint8_t*>(words), reinterpret_cast<uint8_t*>(rows + 2));
    EXPECT_NE(words, nullptr); // a table of no rows still has a place
    text[0] = text[2] = u'x';
    EXPECT_EQ(rows[0].title, nullptr);
    EXPECT_EQ(rows[1].checked, 0u);

    // A smaller set of tables reuses the mapping, and starts afresh in it.
    rows[0].checked = 1;
    rows[0].title = text;
    TrackRecord* again = nullptr;
    ASSERT_TRUE(memory.Allocate(TableMemory::Rows(again, 1)));
    EXPECT_EQ(again[0].checked, 0u);
    EXPECT_EQ(again[0].title, nullptr);

    // A larger one moves to a new mapping that holds every row.
    ASSERT_TRUE(memory.Allocate(TableMemory::Rows(again, 100000)));
    again[99999].fileSize = 7;
    EXPECT_EQ(again[99998].fileSize, 0u);
}

bool Resident(const void* at) {
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    auto* start = reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(at) / page * page);
    unsigned char residency = 0;
    return mincore(start, page, &residency) == 0 && (residency & 1) != 0;
}

TEST(TableMemory, ReservedTablesTakeOnlyThePagesWrittenAndAreNeverReused) {
    TableMemory memory;
    TrackRecord* rows = nullptr;
    uint32_t* words = nullptr;
    // Bounds as a load of a hundred-megabyte image reserves them.
    const uint64_t bound = uint64_t(13) << 20;
    ASSERT_TRUE(
        memory.Reserve(false, TableMemory::Rows(rows, bound), TableMemory::Rows(words, bound)));
    EXPECT_TRUE(Aligned(words, alignof(uint32_t)));
    EXPECT_GE(reinterpret_cast<uint8_t*>(words), reinterpret_cast<uint8_t*>(rows + bound));
    EXPECT_EQ(rows[0].title, nullptr);
    rows[bound - 1].fileSize = 9;
    words[bound - 1] = 9;
    EXPECT_TRUE(Resident(&words[bound - 1]));
    EXPECT_FALSE(Resident(&rows[bound / 2])); // no row was constructed

    // Plain words are not constructed by Allocate either: a reused mapping
    // would show the reserved table's first row here.
    rows[0].trackId = 7;
    uint32_t* again = nullptr;
    ASSERT_TRUE(memory.Allocate(TableMemory::Rows(again, 1)));
    EXPECT_EQ(again[0], 0u);
}

// A huge page would make the whole two megabytes around the written row
// resident; a table of few rows takes only the small page it writes.
TEST(TableMemory, ReservedTablesOfFewRowsStayOffHugePages) {
    TableMemory memory;
    uint32_t* words = nullptr;
    PlaylistRecord* few = nullptr;
    const uint64_t bound = uint64_t(13) << 20;
    ASSERT_TRUE(
        memory.Reserve(true, TableMemory::Rows(words, bound), TableMemory::FewRows(few, bound)));
    const size_t hugePage = size_t(2) << 20;
    auto* middle = reinterpret_cast<uint8_t*>(few) + 4 * hugePage;
    auto* row = reinterpret_cast<PlaylistRecord*>(reinterpret_cast<uintptr_t>(middle) / hugePage *
                                                  hugePage);
    row->memberCount = 1;
    EXPECT_TRUE(Resident(row));
    EXPECT_FALSE(Resident(reinterpret_cast<uint8_t*>(row) + hugePage / 2));
}

TEST(TableMemory, TablesBeyondTheFormatsReachAreRefusedUntouched) {
    TableMemory memory;
    char16_t* text = nullptr;
    TrackRecord* rows = nullptr;
    // Each table alone must stay within 4 GiB, which is what 32-bit offsets
    // and counts can describe; a hostile file can claim more.
    EXPECT_FALSE(memory.Allocate(TableMemory::Rows(text, uint64_t(1) << 31),
                                 TableMemory::Rows(rows, uint64_t(1) << 28)));
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(rows, nullptr);
    EXPECT_FALSE(memory.Allocate(TableMemory::Rows(text, UINT64_MAX)));
    EXPECT_EQ(text, nullptr);
}

} // namespace
