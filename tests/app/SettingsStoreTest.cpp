#include "app/SettingsStore.h"
#include "app/DataFolder.h"

#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    std::string Path() const { return folder.Path("settings.ini"); }
    ScratchFolder folder;
};

TEST_F(SettingsStoreTest, MissingFileGivesTheDefaults) {
    const SettingsStore store(Path());
    EXPECT_TRUE(store.ReadOption(kCheckOpenFolder));
    EXPECT_FALSE(store.ReadOption(kCheckKeepOrganized));
    EXPECT_FALSE(store.ReadOption(kCheckOverwriteExisting));
    EXPECT_EQ(store.ReadFolder(), "");
}

TEST_F(SettingsStoreTest, OnlyExactTrueIsOnAndTheFolderIsTrimmed) {
    folder.Write("settings.ini", "[TASKSINFO]\nCHECK_OPENFOLDER=yes\nCHECK_KEEPORGANIZED=TRUE\n"
                                 "CHECK_OVERWRITE_EXISTING=True\nLAST_FOLDER=\t /home/u/Out/ \n");
    const SettingsStore store(Path());
    EXPECT_FALSE(store.ReadOption(kCheckOpenFolder));
    EXPECT_TRUE(store.ReadOption(kCheckKeepOrganized));
    EXPECT_FALSE(store.ReadOption(kCheckOverwriteExisting));
    EXPECT_EQ(store.ReadFolder(), "/home/u/Out/");

    folder.Write("settings.ini", "[TASKSINFO]\nLAST_FOLDER=   \n");
    EXPECT_EQ(store.ReadFolder(), "");
    EXPECT_EQ(store.ReadNameFormat(), "");
    folder.Write("settings.ini", "[TASKSINFO]\nNAME_FORMAT={artist}/{track:02} {title}\n");
    EXPECT_EQ(store.ReadNameFormat(), "{artist}/{track:02} {title}");
}

TEST_F(SettingsStoreTest, WritesRoundTripAndKeepEveryOtherLine) {
    const std::string others =
        "# written by hand\n[Display]\nzoom=2\n\n[TASKSINFO]\nNOTE=keep me\n";
    folder.Write("settings.ini", others);
    const SettingsStore store(Path());
    ASSERT_TRUE(store.WriteOption(kCheckOpenFolder, false));
    ASSERT_TRUE(store.WriteOption(kCheckOverwriteExisting, true));
    ASSERT_TRUE(store.WriteFolder("/srv/music/"));
    ASSERT_TRUE(store.WriteOption(kCheckOverwriteExisting, false));

    EXPECT_FALSE(store.ReadOption(kCheckOpenFolder));
    EXPECT_FALSE(store.ReadOption(kCheckOverwriteExisting));
    EXPECT_EQ(store.ReadFolder(), "/srv/music/");
    EXPECT_EQ(folder.Read("settings.ini"),
              "# written by hand\n[Display]\nzoom=2\n\n[TASKSINFO]\nNOTE=keep me\n"
              "CHECK_OPENFOLDER=FALSE\nCHECK_OVERWRITE_EXISTING=FALSE\nLAST_FOLDER=/srv/music/\n");
}

TEST_F(SettingsStoreTest, TrackColumnsRoundTripBesideTheOptions) {
    folder.Write("settings.ini", "[TASKSINFO]\nCHECK_OPENFOLDER=FALSE\n");
    const SettingsStore store(Path());
    EXPECT_EQ(store.ReadTrackColumns(), "");
    for (const char* columns : {"TRACK,RATING", "", "LAST_PLAYED"}) {
        ASSERT_TRUE(store.WriteTrackColumns(columns));
        EXPECT_EQ(store.ReadTrackColumns(), columns);
    }
    EXPECT_EQ(folder.Read("settings.ini"),
              "[TASKSINFO]\nCHECK_OPENFOLDER=FALSE\nTRACK_COLUMNS=LAST_PLAYED\n");
}

TEST_F(SettingsStoreTest, WriteReplacesTheFileAsAWholeAndLeavesNoTemporaryFile) {
    folder.Write("settings.ini", "[TASKSINFO]\nCHECK_OPENFOLDER=TRUE\n");
    // A second name for the old file shows whether it was rewritten in place
    // (a crash there would leave it half-written) or replaced by a rename.
    ASSERT_EQ(::link(Path().c_str(), folder.Path("old.ini").c_str()), 0);
    const SettingsStore store(Path());
    ASSERT_TRUE(store.WriteOption(kCheckOpenFolder, false));
    EXPECT_EQ(folder.Read("old.ini"), "[TASKSINFO]\nCHECK_OPENFOLDER=TRUE\n");
    EXPECT_EQ(folder.Read("settings.ini"), "[TASKSINFO]\nCHECK_OPENFOLDER=FALSE\n");
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"old.ini", "settings.ini"}));
}

TEST_F(SettingsStoreTest, WritesThatCannotBeStoredFailWithoutHarm) {
    folder.Write("settings.ini", "[TASKSINFO]\nLAST_FOLDER=/a/\n");
    const SettingsStore store(Path());
    EXPECT_FALSE(store.WriteFolder("/a\nCHECK_OVERWRITE_EXISTING=TRUE/"));
    EXPECT_EQ(store.ReadFolder(), "/a/");
    EXPECT_FALSE(store.ReadOption(kCheckOverwriteExisting));

    // A data folder that is a file: reads give defaults, writes fail quietly.
    folder.Write("blocked", "not a folder");
    const SettingsStore blocked(folder.Path("blocked/settings.ini"));
    EXPECT_TRUE(blocked.ReadOption(kCheckOpenFolder));
    EXPECT_FALSE(blocked.WriteOption(kCheckOpenFolder, false));
}

TEST_F(SettingsStoreTest, FileThatCannotBeReadIsNotReplacedByAWrite) {
    folder.Write("settings.ini", "[TASKSINFO]\nLAST_FOLDER=/music/\nCHECK_OPENFOLDER=TRUE\n");
    ::chmod(folder.Path().c_str(), 0777);
    ::chmod(Path().c_str(), 0);
    // Root reads anything, so the store runs as an ordinary user when needed.
    const int status = RunInChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 99;
        const SettingsStore store(Path());
        return store.ReadOption(kCheckOverwriteExisting)
                   ? 98
                   : int(store.WriteOption(kCheckOpenFolder, false));
    });
    EXPECT_EQ(status, 0);
    ::chmod(Path().c_str(), 0600);
    EXPECT_EQ(folder.Read("settings.ini"),
              "[TASKSINFO]\nLAST_FOLDER=/music/\nCHECK_OPENFOLDER=TRUE\n");
}

TEST(PrepareDataFolder, CreatesTheFolderInsideTheConfigurationFolder) {
    ScratchFolder home;
    ::setenv("XDG_CONFIG_HOME", home.Path("deep/config").c_str(), 1);
    DataFolderPaths paths;
    std::string failure;
    ASSERT_TRUE(PrepareDataFolder(paths, failure));
    EXPECT_EQ(paths.dataFolder, home.Path("deep/config/Corvane Data"));
    EXPECT_EQ(paths.settingsPath, home.Path("deep/config/Corvane Data/settings.ini"));
    struct stat st {};
    EXPECT_EQ(::stat(paths.dataFolder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_TRUE(failure.empty());

    // A file where the data folder would go is accepted, as only a missing
    // folder is created.
    home.Write("file-config/Corvane Data", "x");
    ::setenv("XDG_CONFIG_HOME", home.Path("file-config").c_str(), 1);
    EXPECT_TRUE(PrepareDataFolder(paths, failure));
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(PrepareDataFolder, FolderThatCannotBeCreatedGivesTheMessageWithItsPath) {
    ScratchFolder home;
    home.Write("plain-file", "x");
    ::setenv("XDG_CONFIG_HOME", home.Path("plain-file/config").c_str(), 1);
    DataFolderPaths paths;
    std::string failure;
    EXPECT_FALSE(PrepareDataFolder(paths, failure));
    EXPECT_EQ(failure, "Can not find the application data directory \"" +
                           home.Path("plain-file/config/Corvane Data") +
                           "\" for Corvane, Please reinstall this program.");
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
