#include "app/UserFolders.h"
#include "app/DefaultOutputFolder.h"

#include "support/ScratchFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(MusicDirFromUserDirs, ExpandsHomeAndIgnoresWhatIsNotAMusicFolder) {
    const std::string home = "/home/ann";
    EXPECT_EQ(MusicDirFromUserDirs("# comment\nXDG_MUSIC_DIR=\"$HOME/Musik\"\n", home),
              "/home/ann/Musik");
    EXPECT_EQ(MusicDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/D\"\nXDG_MUSIC_DIR=\"/data/m/\"", home),
              "/data/m");
    EXPECT_EQ(MusicDirFromUserDirs("XDG_MUSIC_DIR=\"$HOME/\"\n", home), "");
    EXPECT_EQ(MusicDirFromUserDirs("XDG_MUSIC_DIR=\"relative\"\n", home), "");
    EXPECT_EQ(MusicDirFromUserDirs("XDG_MUSIC_DIR=\"$HOME/broken\n", home), "");
    EXPECT_EQ(MusicDirFromUserDirs("", home), "");
}

class DefaultOutputFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.Path("user").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", home.Path("user/.config").c_str(), 1);
        home.Write("user/.keep", "");
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("HOME");
    }
    ScratchFolder home;
};

TEST_F(DefaultOutputFolderTest, PrefersTheXdgMusicFolderThenMusicThenHome) {
    EXPECT_EQ(DefaultOutputFolder(), home.Path("user/My Transfered iPod Music"));
    EXPECT_TRUE(std::filesystem::is_directory(home.Path("user/My Transfered iPod Music")));

    home.Write("user/Music/.keep", "");
    EXPECT_EQ(DefaultOutputFolder(), home.Path("user/Music/My Transfered iPod Music"));

    home.Write("user/.config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n");
    // A configured folder that does not exist is passed over.
    EXPECT_EQ(DefaultOutputFolder(), home.Path("user/Music/My Transfered iPod Music"));
    home.Write("user/Tunes/.keep", "");
    EXPECT_EQ(DefaultOutputFolder(), home.Path("user/Tunes/My Transfered iPod Music"));
    EXPECT_TRUE(std::filesystem::is_directory(home.Path("user/Tunes/My Transfered iPod Music")));
}

} // namespace
