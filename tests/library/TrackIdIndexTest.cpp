#include <gtest/gtest.h>

#include "library/TrackIdIndex.h"

namespace {

// Dense ids take the array path, spread-out ids the sorted path; both must
// answer alike.
class TrackIdIndexBothWays : public ::testing::TestWithParam<uint32_t> {};

TEST_P(TrackIdIndexBothWays, LaterRowWinsAndOnlySealedEntriesAnswer) {
    const uint32_t step = GetParam();
    TrackIdIndex index;
    ASSERT_TRUE(index.Reserve(5));
    index.Add(5 * step, 0);
    index.Add(3 * step, 1);
    index.Add(5 * step, 2);
    EXPECT_EQ(index.Find(5 * step), -1); // not sealed yet
    index.Seal();
    EXPECT_EQ(index.Find(5 * step), 2);
    EXPECT_EQ(index.Find(3 * step), 1);
    EXPECT_EQ(index.Find(4 * step), -1);
    EXPECT_EQ(index.Find(0), -1);
    EXPECT_EQ(index.Find(UINT32_MAX), -1);

    index.Add(3 * step, 3); // a second track list
    index.Add(9 * step, 4);
    EXPECT_FALSE(index.Add(7 * step, 5)); // beyond the room reserved
    EXPECT_EQ(index.Find(9 * step), -1);
    index.Seal();
    EXPECT_EQ(index.Find(3 * step), 3);
    EXPECT_EQ(index.Find(5 * step), 2);
    EXPECT_EQ(index.Find(9 * step), 4);

    EXPECT_EQ(index.Find(7 * step), -1);

    index.Clear(); // the room stays
    EXPECT_EQ(index.Find(3 * step), -1);
    EXPECT_TRUE(index.Add(3 * step, 0));
    index.Seal();
    EXPECT_EQ(index.Find(3 * step), 0);

    // A smaller reservation in the same memory forgets the entries and
    // keeps to its own room.
    ASSERT_TRUE(index.Reserve(2));
    EXPECT_TRUE(index.Add(8 * step, 0));
    EXPECT_TRUE(index.Add(2 * step, 1));
    EXPECT_FALSE(index.Add(6 * step, 2));
    index.Seal();
    EXPECT_EQ(index.Find(3 * step), -1);
    EXPECT_EQ(index.Find(2 * step), 1);
}

INSTANTIATE_TEST_SUITE_P(DenseAndSparse, TrackIdIndexBothWays, ::testing::Values(1u, 100000u));

} // namespace
