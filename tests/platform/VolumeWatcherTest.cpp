#include "platform/VolumeWatcher.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <vector>

namespace {

struct Notice {
    int id;
    bool arrived;
    bool operator==(const Notice&) const = default;
};

class DirectoryVolumes : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(root.isValid());
        QObject::connect(&watcher, &CVolumeWatcher::volumeArrived, [this](int id) {
            notices.push_back({id, true});
        });
        QObject::connect(&watcher, &CVolumeWatcher::volumeRemoved, [this](int id) {
            notices.push_back({id, false});
        });
    }

    std::string Path(const QString& relative) const {
        return QDir(root.path()).filePath(relative).toStdString();
    }

    // A device folder with its database, made elsewhere and moved in at once,
    // as a mount makes a whole volume appear.
    void PlugDevice(const QString& name) {
        QTemporaryDir staging(root.path() + "/.staging-XXXXXX");
        staging.setAutoRemove(false);
        QDir(staging.path()).mkpath("iPod_Control/iTunes");
        QFile db(staging.path() + "/iPod_Control/iTunes/iTunesDB");
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
        db.write("mhbd");
        db.close();
        ASSERT_TRUE(QDir().rename(staging.path(), QDir(root.path()).filePath(name)));
    }

    bool WaitForNotices(size_t count) {
        return WaitUntil([&] { return notices.size() >= count; });
    }

    QTemporaryDir root;
    CVolumeWatcher watcher;
    std::vector<Notice> notices;
};

} // namespace

TEST_F(DirectoryVolumes, PluggingAndUnpluggingADeviceFolderIsNoticedWithoutPolling) {
    watcher.WatchDirectories({{1, Path("first")}, {2, Path("ipod")}});
    Settle();
    EXPECT_TRUE(notices.empty());

    PlugDevice("ipod");
    ASSERT_TRUE(WaitForNotices(1));
    Settle();
    EXPECT_EQ(notices, (std::vector<Notice>{{2, true}}));

    notices.clear();
    ASSERT_TRUE(QDir(root.path() + "/ipod").removeRecursively());
    ASSERT_TRUE(WaitForNotices(1));
    Settle();
    // Removing the folder piece by piece may report the database going
    // first; what matters is that only volume 2 is reported, as removed.
    ASSERT_FALSE(notices.empty());
    for (const Notice& notice : notices)
        EXPECT_EQ(notice, (Notice{2, false}));
}

TEST_F(DirectoryVolumes, TheDatabaseAppearingOrVanishingInsideAFolderCounts) {
    QDir(root.path()).mkpath("ipod/IPOD_CONTROL/ITUNES");
    watcher.WatchDirectories({{5, Path("ipod")}});

    // Written in another letter case, as some machines leave it.
    QFile db(root.path() + "/ipod/IPOD_CONTROL/ITUNES/ITUNESDB");
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.close();
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices.front(), (Notice{5, true}));

    notices.clear();
    ASSERT_TRUE(db.remove());
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices.front(), (Notice{5, false}));
}

TEST_F(DirectoryVolumes, FoldersCreatedStepByStepAreFollowedDownToTheDatabase) {
    watcher.WatchDirectories({{1, Path("ipod")}});
    QDir(root.path()).mkdir("ipod");
    ASSERT_TRUE(WaitForNotices(1));
    QDir(root.path()).mkpath("ipod/iPod_Control/iTunes");
    Settle();
    QFile db(root.path() + "/ipod/iPod_Control/iTunes/iTunesDB");
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.close();
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(notices, (std::vector<Notice>{{1, true}, {1, true}}));
}

TEST_F(DirectoryVolumes, AListedFolderWhoseParentsDoNotExistYetIsStillFollowed) {
    watcher.WatchDirectories({{1, Path("media/user/ipod")}});
    QDir(root.path()).mkpath("media/user");
    Settle();
    PlugDevice("media/user/ipod");
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices.front(), (Notice{1, true}));
}

TEST_F(DirectoryVolumes, ChangesBesideTheListedFoldersAreQuiet) {
    PlugDevice("ipod");
    watcher.WatchDirectories({{1, Path("ipod")}});
    QDir(root.path()).mkdir("unrelated");
    QFile other(root.path() + "/ipod/notes.txt");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    Settle();
    EXPECT_TRUE(notices.empty());
}

TEST(DirectoryVolumeStates, LevelsFollowWhatExists) {
    QTemporaryDir root;
    QDir(root.path()).mkpath("empty");
    QDir(root.path()).mkpath("ipod/iPod_Control/iTunes");
    QFile db(root.path() + "/ipod/iPod_Control/iTunes/iTunesDB");
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.close();
    // A folder named like the database is not a database.
    QDir(root.path()).mkpath("fake/iPod_Control/iTunes/iTunesDB");
    auto at = [&](const char* name) { return (root.path() + "/" + name).toStdString(); };
    VolumeStates states = DirectoryVolumeStates(
        {{1, at("missing")}, {2, at("empty")}, {3, at("ipod")}, {4, at("fake")}});
    EXPECT_EQ(states, (VolumeStates{{2, 1}, {3, 2}, {4, 1}}));
}
