#include <gtest/gtest.h>

#include "LoadHelpers.h"

namespace {

class PlaylistView : public ::testing::Test {
protected:
    void SetUp() override {
        dbwriter::Database desc = SimpleDatabase(8);
        desc.playlists.push_back({false, u"repeats", {5, 3, 5, 7}});
        desc.playlists.push_back({false, u"empty", {}});
        desc.playlists.push_back({false, u"missing", {40, 41}});
        ASSERT_EQ(device.Load(db, desc), 1);
    }
    DeviceFixture device;
    CItuneDB db;
};

TEST_F(PlaylistView, ShowsEachTrackOnceAtItsFirstItem) {
    ASSERT_EQ(db.BuildPlaylistView(1), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t5", "t3", "t7"}));
}

TEST_F(PlaylistView, EmptyAndUnresolvedPlaylistsGiveEmptyViews) {
    for (int32_t index : {2, 3}) {
        ASSERT_EQ(db.BuildPlaylistView(index), 1);
        EXPECT_EQ(db.viewRowCount, 0u);
    }
}

TEST_F(PlaylistView, ChecksAreForgottenWhenAnotherPlaylistIsViewed) {
    ASSERT_EQ(db.BuildPlaylistView(1), 1);
    for (uint32_t i = 0; i < db.viewRowCount; ++i)
        db.viewRows[i].checked = 1;
    ASSERT_EQ(db.BuildPlaylistView(0), 1);
    ASSERT_EQ(db.BuildPlaylistView(1), 1);
    for (uint32_t i = 0; i < db.viewRowCount; ++i)
        EXPECT_EQ(db.viewRows[i].checked, 0u);
}

TEST_F(PlaylistView, IndexOutsideTheTableEmptiesTheView) {
    for (int32_t index : {-1, 4, 1000}) {
        EXPECT_EQ(db.BuildPlaylistView(index), 0);
        EXPECT_EQ(db.viewRows, nullptr);
        EXPECT_EQ(db.viewRowCount, 0u);
    }
}

TEST_F(PlaylistView, FreeingTheTablesDropsTheViewThatPointsIntoThem) {
    db.FreeTables();
    EXPECT_EQ(db.viewRows, nullptr);
    EXPECT_EQ(db.playlistCount, 0u);
    EXPECT_EQ(db.BuildPlaylistView(0), 0);
}

} // namespace
