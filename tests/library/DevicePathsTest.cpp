#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "library/DevicePaths.h"
#include "library/LocationPath.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"
#include "support/TempDir.h"

namespace {

std::vector<uint8_t> DeviceBytes(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    for (char16_t unit : text)
        bytes.push_back(uint8_t(unit)), bytes.push_back(uint8_t(unit >> 8));
    return bytes;
}

std::string Location(std::u16string_view root, std::u16string_view stored) {
    const std::vector<uint8_t> bytes = DeviceBytes(stored);
    std::vector<char16_t> out(LocationCapacity(root.size(), stored.size()), u'#');
    const size_t n = WriteLocation(out.data(), root, bytes.data(), stored.size());
    if (n == 0)
        return "<invalid>";
    EXPECT_EQ(out[n], 0);
    return ToUtf8(std::u16string_view(out.data(), n));
}

TEST(LocationPath, ColonsBecomeSlashesUnderTheVolume) {
    EXPECT_EQ(Location(u"/media/ipod", u":iPod_Control:Music:F23:RPDM.mp3"),
              "/media/ipod/iPod_Control/Music/F23/RPDM.mp3");
    EXPECT_EQ(Location(u"/m", u"a::b:.:c:"), "/m/a/b/c");
    EXPECT_EQ(Location(u"", u":x"), "/x");
    EXPECT_EQ(Location(u"/m", u"tab\\le:..x"), "/m/tab\\le/..x"); // names, not escapes
    EXPECT_EQ(Location(u"/m", std::u16string_view(u"a:b\0:c", 6)), "/m/a/b");
}

// Units whose low or high byte is zero are not NULs; only a zero unit ends a
// string, wherever it falls among the units read together.
TEST(LocationPath, DeviceStringsStopAtTheFirstZeroUnitOnly) {
    const std::u16string text = u"\u0100a\u8000\u00ffb\u0001c\u7fffd\uffffe";
    for (size_t units = 0; units <= text.size(); ++units) {
        for (size_t nul = 0; nul <= units; ++nul) {
            std::u16string stored = text.substr(0, units);
            if (nul < units)
                stored[nul] = 0;
            const std::vector<uint8_t> bytes = DeviceBytes(stored);
            std::vector<char16_t> out(units + 1, u'#');
            const size_t n = CopyDeviceString(out.data(), bytes.data(), units);
            EXPECT_EQ(std::u16string_view(out.data(), n), text.substr(0, nul))
                << units << " units, NUL at " << nul;
            EXPECT_EQ(out[n], 0);
        }
    }
}

TEST(LocationPath, PathsThatLeaveTheVolumeOrNameNothingAreInvalid) {
    for (std::u16string_view stored :
         {u":iPod_Control:..:x", u"..", u":a:b/../../c", u"/etc/passwd", u"", u":::", u":.:"})
        EXPECT_EQ(Location(u"/m", stored), "<invalid>") << ToUtf8(stored);
}

TEST(DevicePaths, DatabaseAndVolumeRootAreInverse) {
    EXPECT_EQ(DatabasePathOnVolume("/media/x"), "/media/x/iPod_Control/iTunes/iTunesDB");
    EXPECT_EQ(DatabasePathOnVolume("/"), "/iPod_Control/iTunes/iTunesDB");
    EXPECT_EQ(VolumeRootOfDatabase("/media/x/IPOD_CONTROL/ITUNES/ITUNESDB"), "/media/x");
    EXPECT_EQ(VolumeRootOfDatabase("/iPod_Control/iTunes/iTunesDB"), "");
    EXPECT_EQ(VolumeRootOfDatabase("iTunes/iTunesDB"), "");
}

TEST(ResolvePath, FindsComponentsThatDifferOnlyInCase) {
    TempDir dir;
    std::filesystem::create_directories(dir / "IPOD_CONTROL/Music/f00");
    std::ofstream(dir / "IPOD_CONTROL/Music/f00/ABCD.MP3") << "x";
    EXPECT_EQ(ResolveExistingPath(dir / "iPod_Control/music/F00/abcd.mp3"),
              dir / "IPOD_CONTROL/Music/f00/ABCD.MP3");
    const std::string exact = dir / "IPOD_CONTROL/Music/f00/ABCD.MP3";
    EXPECT_EQ(ResolveExistingPath(exact), exact);
    const std::string missing = dir / "iPod_Control/Music/F01/abcd.mp3";
    EXPECT_EQ(ResolveExistingPath(missing), missing);
}

// Track paths answer as ResolveExistingPath does, from listings made once
// and kept until the next load forgets them.
TEST(ResolvePath, TrackPathsShareListingsUntilForgotten) {
    TempDir dir;
    std::filesystem::create_directories(dir / "IPOD_CONTROL/Music/f00");
    std::ofstream(dir / "IPOD_CONTROL/Music/f00/ABCD.MP3") << "x";
    std::ofstream(dir / "IPOD_CONTROL/Music/f00/EFGH.MP3") << "x";
    StartTrackResolution(dir.path());
    for (const char* name : {"abcd.mp3", "efgh.mp3", "nope.mp3"}) {
        const std::string stored = dir / ("iPod_Control/music/F00/" + std::string(name));
        EXPECT_EQ(ResolveTrackPath(stored), ResolveExistingPath(stored)) << name;
    }
    const std::string exact = dir / "IPOD_CONTROL/Music/f00/ABCD.MP3";
    EXPECT_EQ(ResolveTrackPath(exact), exact);
    std::filesystem::rename(dir / "IPOD_CONTROL/Music/f00/EFGH.MP3",
                            dir / "IPOD_CONTROL/Music/f00/efgh.Mp3");
    const std::string moved = dir / "iPod_Control/music/F00/EFGH.mp3";
    EXPECT_EQ(ResolveTrackPath(moved), dir / "IPOD_CONTROL/Music/f00/EFGH.MP3"); // the listing
    StartTrackResolution(dir.path());
    EXPECT_EQ(ResolveTrackPath(moved), dir / "IPOD_CONTROL/Music/f00/efgh.Mp3");
}

// A link may lead anywhere; only files on the device are its tracks.
TEST(ResolvePath, TrackPathsThroughLinksOutOfTheDeviceResolveToNothing) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string music = dir / "ipod/iPod_Control/Music/";
    fs::create_directories(music + "F00");
    std::ofstream(music + "F00/REAL.mp3") << "x";
    std::ofstream(dir / "secret.mp3") << "x";
    fs::create_symlink(music + "F00/REAL.mp3", music + "F00/FULL.mp3");
    fs::create_symlink("../../../../secret.mp3", music + "F00/BACK.mp3");
    fs::create_symlink("gone.mp3", music + "F00/GONE.mp3");
    fs::create_symlink(dir.path(), music + "F01");
    StartTrackResolution(dir / "ipod");
    const std::pair<const char*, bool> onDevice[] = {{"F00/FULL.mp3", true},
                                                     {"F00/BACK.mp3", false},
                                                     {"F00/GONE.mp3", false},
                                                     {"f01/SECRET.mp3", false}};
    for (const auto& [stored, resolves] : onDevice)
        EXPECT_EQ(ResolveTrackPath(music + stored), resolves ? music + stored : "") << stored;
}

TEST(ResolvePath, PrefersTheSmallestSpellingWhenSeveralMatch) {
    TempDir dir;
    std::filesystem::create_directories(dir / "aB/x");
    std::filesystem::create_directories(dir / "Ab/x");
    EXPECT_EQ(ResolveExistingPath(dir / "aB/x"), dir / "aB/x");
    EXPECT_EQ(ResolveExistingPath(dir / "AB/x"), dir / "Ab/x");
}

} // namespace
