#include <gtest/gtest.h>

#include <cstdlib>

#include "LoadHelpers.h"

namespace {

TEST(RealDatabase, OldIpodDatabaseLoadsAllItsTracks) {
    const std::string path =
        std::string(std::getenv("CORVANE_TEST_DATA")) + "/ipod-0x0C-5375/iTunesDB";
    CItuneDB db;
    ASSERT_EQ(db.LoadDatabase(path), 1) << db.message;
    ASSERT_EQ(db.playlistCount, 1u);
    EXPECT_EQ(db.playlists[0].name, nullptr);
    EXPECT_NE(db.playlists[0].masterFlag, 0u);
    ASSERT_EQ(db.viewRowCount, 5375u);
    const TrackRecord& first = db.viewRows[0];
    EXPECT_EQ(Text(first.title), "Glenn Miller-In The Mood");
    EXPECT_EQ(Text(first.album), "Best of Big Band Swing");
    EXPECT_EQ(Text(first.artist), "Unknown");
    EXPECT_EQ(Text(first.genre), "Big Band");
    EXPECT_TRUE(Text(first.location).ends_with("/tests/iPod_Control/Music/F23/RPDM.mp3"))
        << Text(first.location);
}

} // namespace
