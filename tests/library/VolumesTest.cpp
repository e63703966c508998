#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "library/CItuneDB.h"
#include "library/RemovableVolumes.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> MountPoints(const std::vector<Volume>& volumes) {
    std::vector<std::string> out;
    for (const Volume& v : volumes)
        out.push_back(std::to_string(v.id) + " " + v.mountPoint);
    return out;
}

TEST(Volumes, EnvironmentListNumbersVolumesByPosition) {
    EXPECT_EQ(MountPoints(ParseVolumeList("/b/:/a::/c")),
              (std::vector<std::string>{"1 /b", "2 /a", "3 /c"}));
    EXPECT_TRUE(ParseVolumeList("").empty());
}

TEST(Volumes, MountInfoKeepsRemovableBlockDevicesSortedByMountPoint) {
    const char* mountinfo = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                            "40 22 0:5 / /proc rw - proc proc rw\n"
                            "51 22 8:17 / /media/u/z\\040disk rw,nosuid - vfat /dev/sdb1 rw\n"
                            "52 22 8:33 / /media/u/IPOD rw - vfat /dev/sdc1 rw\n"
                            "53 22 0:60 / /mnt/share rw - nfs server:/x rw\n"
                            "garbage line\n";
    auto removable = [](unsigned major, unsigned minor) {
        EXPECT_NE(major, 0u) << "pseudo and network file systems are never tested";
        return major == 8 && minor != 1;
    };
    EXPECT_EQ(MountPoints(ParseMountInfo(mountinfo, removable)),
              (std::vector<std::string>{"52 /media/u/IPOD", "51 /media/u/z disk"}));
}

class FindDevice : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("CORVANE_VOLUMES"); }
    void MakeDatabase(const std::string& relative) {
        std::filesystem::create_directories(std::filesystem::path(dir / relative).parent_path());
        std::ofstream(dir / relative) << "db";
    }
    void SetVolumes(const std::string& list) { setenv("CORVANE_VOLUMES", list.c_str(), 1); }
    TempDir dir;
};

TEST_F(FindDevice, FirstVolumeHoldingTheDatabaseWins) {
    MakeDatabase("card/DCIM/x.jpg");
    MakeDatabase("e/iPod_Control/iTunes/iTunesDB");
    MakeDatabase("g/iPod_Control/iTunes/iTunesDB");
    SetVolumes(dir / "card" + ":" + dir / "e" + ":" + dir / "g");
    CItuneDB db;
    std::string path;
    ASSERT_EQ(db.FindDevice(path), 1);
    EXPECT_EQ(path, dir / "e/iPod_Control/iTunes/iTunesDB");
    EXPECT_EQ(db.driveIndex, 2);

    SetVolumes(dir / "card");
    path = "unchanged";
    EXPECT_EQ(db.FindDevice(path), 0);
    EXPECT_EQ(db.driveIndex, -1);
    EXPECT_EQ(path, "unchanged");
}

TEST_F(FindDevice, DatabasePathMayDifferInCase) {
    MakeDatabase("v/IPOD_CONTROL/ITUNES/ITUNESDB");
    SetVolumes(dir / "v");
    CItuneDB db;
    std::string path;
    ASSERT_EQ(db.FindDevice(path), 1);
    EXPECT_EQ(path, dir / "v/IPOD_CONTROL/ITUNES/ITUNESDB");
    EXPECT_EQ(db.driveIndex, 1);
    // A newer iPod may hold only iTunesCDB.
    MakeDatabase("w/iPod_Control/iTunes/itunescdb");
    SetVolumes(dir / "w");
    ASSERT_EQ(db.FindDevice(path), 1);
    EXPECT_EQ(path, dir / "w/iPod_Control/iTunes/itunescdb");
}

} // namespace
