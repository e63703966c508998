#include "transfer/FolderPath.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(EnsureFolderPath, CreatesEveryMissingLevel) {
    ScratchFolder root;
    EXPECT_TRUE(EnsureFolderPath(root.Path("Music/New/Deeper")));
    EXPECT_TRUE(EnsureFolderPath(root.Path("Music/Other/")));
    EXPECT_TRUE(EnsureFolderPath(root.Path("Music//Doubled///")));
    EXPECT_TRUE(EnsureFolderPath(root.Path("Music/New")));
    EXPECT_EQ(root.List(), (std::vector<std::string>{"Music/", "Music/Doubled/", "Music/New/",
                                                     "Music/New/Deeper/", "Music/Other/"}));
    EXPECT_TRUE(EnsureFolderPath("/"));
}

TEST(EnsureFolderPath, RefusesWhatCannotBeAFolder) {
    ScratchFolder root;
    root.Write("song.mp3", "x");
    EXPECT_FALSE(EnsureFolderPath(""));
    EXPECT_FALSE(EnsureFolderPath("Music"));
    EXPECT_FALSE(EnsureFolderPath("./Music"));
    EXPECT_FALSE(EnsureFolderPath(root.Path("song.mp3")));
    EXPECT_FALSE(EnsureFolderPath(root.Path("song.mp3/inside")));
    EXPECT_FALSE(EnsureFolderPath(root.Path(std::string(4096, 'a'))));
    // 4095 bytes in total is allowed by length; this one fails only because
    // a single level of it is longer than any file system takes.
    const std::string base = root.Path();
    EXPECT_FALSE(EnsureFolderPath(base + std::string(4095 - base.size(), 'b')));
    EXPECT_EQ(root.List(), std::vector<std::string>{"song.mp3"});
}

} // namespace
