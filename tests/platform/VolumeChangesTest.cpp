#include "platform/VolumeChanges.h"

#include <gtest/gtest.h>

TEST(DiffVolumeStates, ReportsRemovalsBeforeArrivalsEachInIdOrder) {
    VolumeStates before{{3, 1}, {7, 1}, {9, 1}};
    VolumeStates after{{9, 1}, {12, 1}, {4, 1}};
    std::vector<VolumeChange> expected{{3, false}, {7, false}, {4, true}, {12, true}};
    EXPECT_EQ(DiffVolumeStates(before, after), expected);
}

TEST(DiffVolumeStates, LevelsRisingOrFallingCountAsArrivalOrRemoval) {
    // A listed directory that appears empty and then receives its database
    // arrives twice; losing only the database is a removal.
    EXPECT_EQ(DiffVolumeStates({}, {{1, 1}}), (std::vector<VolumeChange>{{1, true}}));
    EXPECT_EQ(DiffVolumeStates({{1, 1}}, {{1, 2}}), (std::vector<VolumeChange>{{1, true}}));
    EXPECT_EQ(DiffVolumeStates({{1, 2}}, {{1, 1}}), (std::vector<VolumeChange>{{1, false}}));
    EXPECT_EQ(DiffVolumeStates({{1, 2}}, {}), (std::vector<VolumeChange>{{1, false}}));
    EXPECT_TRUE(DiffVolumeStates({{1, 2}, {2, 1}}, {{1, 2}, {2, 1}}).empty());
}
