#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/inotify.h>
#include <unistd.h>

#include "LoadHelpers.h"
#include "library/DeviceLibrary.h"
#include "library/FileScanProgress.h"
#include "library/MusicFiles.h"
#include "library/VolumeLabel.h"
#include "support/TaggedAudio.h"

namespace fs = std::filesystem;

namespace {

AudioTags Tags(std::u16string title, std::u16string artist, std::u16string album,
               std::u16string genre) {
    return {std::move(title), std::move(artist), std::move(album), std::move(genre)};
}

class FileScan : public ::testing::Test {
protected:
    std::string volume() const { return dir / "vol"; }
    std::string Music(const std::string& relative) const {
        const fs::path path = dir / ("vol/iPod_Control/Music/" + relative);
        fs::create_directories(path.parent_path());
        return path;
    }
    std::string dbPath() const { return dir / "vol/iPod_Control/iTunes/iTunesDB"; }
    void WriteDatabase(const dbwriter::Database& description) const {
        fs::create_directories(fs::path(dbPath()).parent_path());
        ASSERT_TRUE(dbwriter::WriteFile(dbPath(), dbwriter::Write(description).bytes));
    }
    TempDir dir;
};

// Stops when told, and may do something to the device between two files.
class ScriptedProgress : public FileScanProgress {
public:
    void Scanned(uint32_t done, uint32_t total) override {
        calls.emplace_back(done, total);
        if (afterFirst && done == 1)
            afterFirst();
        stop = stopAfter != 0 && done >= stopAfter;
    }
    bool StopRequested() const override { return stop; }

    std::vector<std::pair<uint32_t, uint32_t>> calls;
    std::function<void()> afterFirst;
    uint32_t stopAfter = 0;
    bool stop = false;
};

// Bytes this process has read so far, by read(2), pread(2) and their kin.
uint64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value && key != "rchar:") {
    }
    return value;
}

// The closes of files in `folder` that `body` causes: of those opened for
// writing, and of the others.
std::pair<int, int> ClosesDuring(const std::string& folder, const std::function<void()>& body) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(fd, folder.c_str(), IN_CLOSE_WRITE | IN_CLOSE_NOWRITE);
    body();
    std::pair<int, int> closes;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            ++(event->mask & IN_CLOSE_WRITE ? closes.first : closes.second);
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    close(fd);
    return closes;
}

dbwriter::Database OneTrackDatabase() {
    dbwriter::Database db;
    dbwriter::Track track = NamedTrack(7, u"From the Database");
    track.lengthMs = 215500;
    db.tracks = {track};
    db.playlists = {{true, u"Library", {7}}};
    return db;
}

} // namespace

TEST_F(FileScan, EveryFormatGivesItsTagsSizeLengthAndPathInScanOrder) {
    ASSERT_TRUE(WriteTaggedAudio(Music("F01/BBBB.m4a"),
                                 Tags(u"Mp4 Song", u"Mp4 Artist", u"Mp4 Album", u"Pop"), 3));
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/ZZZZ.mp3"),
                                 Tags(u"Blue in Green", u"Miles Davis", u"Kind of Blue", u"Jazz"),
                                 5));
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/AAAA.wav"),
                                 Tags(u"Wave \U0001F600", u"Wav Band", u"Waves", u"Ambient")));
    ASSERT_TRUE(WriteTaggedAudio(Music("F02/CCCC.aiff"),
                                 Tags(u"Ελληνικά", u"Κώστας", u"Θάλασσα", u"World"), 2));
    ASSERT_TRUE(WriteTaggedAudio(Music("F02/DDDD.m4b"), Tags(u"Chapter 1", u"Reader", u"", u"")));
    ASSERT_TRUE(WriteTaggedAudio(Music("F03/EEEE.flac"),
                                 Tags(u"Lossless", u"Flac Band", u"Flac Album", u"Folk"), 4));
    // Not music: skipped without a row or a count.
    std::ofstream(Music("F02/notes.txt")) << "x";
    std::ofstream(Music("F02/._AAAA.mp3")) << "resource fork";
    std::ofstream(Music("loose.mp3")) << "not inside a folder";

    CItuneDB db;
    ScriptedProgress progress;
    ASSERT_EQ(db.LoadFromFiles(volume(), &progress), 1) << db.message;
    EXPECT_EQ(db.source, CItuneDB::Source::Files);
    ASSERT_EQ(db.playlistCount, 1u);
    EXPECT_EQ(Text(db.playlists[0].name), "iPod");
    EXPECT_NE(db.playlists[0].masterFlag, 0u);
    EXPECT_EQ(ViewTitles(db),
              (std::vector<std::string>{"Wave \xF0\x9F\x98\x80", "Blue in Green", "Mp4 Song",
                                        "Ελληνικά", "Chapter 1", "Lossless"}));
    const std::vector<std::string> files = {"F00/AAAA.wav",  "F00/ZZZZ.mp3", "F01/BBBB.m4a",
                                            "F02/CCCC.aiff", "F02/DDDD.m4b", "F03/EEEE.flac"};
    ASSERT_EQ(db.viewRowCount, files.size());
    for (uint32_t i = 0; i < db.viewRowCount; ++i) {
        const TrackRecord& row = db.viewRows[i];
        const std::string path = volume() + "/iPod_Control/Music/" + files[i];
        EXPECT_EQ(row.trackId, i + 1);
        EXPECT_EQ(Text(row.location), path);
        EXPECT_EQ(row.fileSize, fs::file_size(path)) << path;
        EXPECT_EQ(row.checked, 0u);
    }
    EXPECT_EQ(Text(db.viewRows[1].artist), "Miles Davis");
    EXPECT_EQ(Text(db.viewRows[1].album), "Kind of Blue");
    EXPECT_EQ(Text(db.viewRows[1].genre), "Jazz");
    EXPECT_EQ(Text(db.viewRows[3].artist), "Κώστας");
    // An empty tag field is no field: the fallbacks apply to it.
    EXPECT_EQ(db.viewRows[4].album, nullptr);
    EXPECT_NEAR(db.TrackLengthMs(db.viewRows[1]), 5000, 100);
    EXPECT_NEAR(db.TrackLengthMs(db.viewRows[0]), 1000, 100);
    EXPECT_EQ(Text(db.viewRows[5].artist), "Flac Band");
    EXPECT_EQ(db.TrackLengthMs(db.viewRows[5]), 4000u);
    EXPECT_EQ(progress.calls.back(), std::make_pair(6u, 6u));
    EXPECT_EQ(db.message, "Read from the music files under " + volume() +
                              "\r\n6 tracks, 0 without readable tags, 0 files skipped\r\n");
}

// Each container keeps these in frames or atoms of its own; the scan reads
// them all through TagLib's names.
TEST_F(FileScan, TagsFillTheTrackDetailsTheDatabaseWouldHold) {
    AudioTags tags = Tags(u"Song", u"Artist", u"Album", u"Pop");
    tags.properties = {{"TRACKNUMBER", "3/12"}, {"DISCNUMBER", "2/2"},      {"DATE", "1999"},
                       {"COMPOSER", "Writer"},  {"ALBUMARTIST", "Various"}, {"COMPILATION", "1"}};
    for (const char* file : {"F00/A.mp3", "F00/B.m4a", "F00/C.aiff"})
        ASSERT_TRUE(WriteTaggedAudio(Music(file), tags)) << file;
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/D.mp3"), Tags(u"Bare", u"", u"", u"")));

    CItuneDB db;
    ASSERT_EQ(db.LoadFromFiles(volume()), 1) << db.message;
    ASSERT_EQ(db.viewRowCount, 4u);
    for (uint32_t i = 0; i < 3; ++i) {
        const TrackDetails* details = db.DetailsOf(db.viewRows[i]);
        ASSERT_NE(details, nullptr);
        EXPECT_EQ(
            std::vector<uint32_t>({details->trackNumber, details->trackCount, details->discNumber,
                                   details->discCount, details->year, details->compilation}),
            std::vector<uint32_t>({3, 12, 2, 2, 1999, 1}))
            << Text(db.viewRows[i].location);
        EXPECT_EQ(Text(db.DetailText(details->composer)), "Writer");
        EXPECT_EQ(Text(db.DetailText(details->albumArtist)), "Various");
    }
    const TrackDetails* bare = db.DetailsOf(db.viewRows[3]);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->trackNumber, 0u);
    EXPECT_EQ(db.DetailText(bare->albumArtist), nullptr);
    EXPECT_EQ(Text(db.viewRows[3].title), "Bare");
}

TEST_F(FileScan, UntaggedFilesKeepANullTitleAndVanishedOnesAreCounted) {
    std::ofstream(Music("F00/AAAA.mp3")) << "no audio in here at all";
    ASSERT_TRUE(WriteUntaggedAudio(Music("F00/BBBB.m4a")));
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/CCCC.mp3"), Tags(u"Gone", u"", u"", u"")));
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/DDDD.wav"), Tags(u"Kept", u"", u"", u"")));
    // A link out of the device: skipped like a file that is gone.
    const TempDir home;
    ASSERT_TRUE(WriteTaggedAudio(home / "mine.mp3", Tags(u"Not the iPod's", u"", u"", u"")));
    fs::create_symlink(home / "mine.mp3", Music("F00/EEEE.mp3"));
    CItuneDB db;
    ScriptedProgress progress;
    // Pulled out from under the scan after it listed the folder.
    progress.afterFirst = [this] { fs::remove(Music("F00/CCCC.mp3")); };
    ASSERT_EQ(db.LoadFromFiles(volume(), &progress), 1) << db.message;
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"<null>", "<null>", "Kept"}));
    EXPECT_EQ(db.viewRows[0].fileSize, 23u);
    EXPECT_EQ(db.viewRows[2].trackId, 3u);
    EXPECT_NE(db.message.find(" files skipped"), std::string::npos);
    EXPECT_NE(db.message.find("3 tracks, "), std::string::npos);
    EXPECT_NE(db.message.find(", 2 files skipped"), std::string::npos) << db.message;
}

TEST_F(FileScan, MixedCaseFoldersAndExtensionsAreFound) {
    const fs::path folder = dir / "vol/ipod_control/music/f00";
    fs::create_directories(folder);
    ASSERT_TRUE(WriteTaggedAudio(folder / "LOUD.MP3", Tags(u"Loud", u"", u"", u"")));
    ASSERT_TRUE(WriteTaggedAudio(folder / "Soft.Aiff", Tags(u"Soft", u"", u"", u"")));
    EXPECT_TRUE(IsMusicFileName("X.M4P"));
    EXPECT_TRUE(IsMusicFileName("X.Flac"));
    EXPECT_FALSE(IsMusicFileName(".mp3"));
    EXPECT_FALSE(IsMusicFileName("song.mp3.part"));
    EXPECT_TRUE(HasMusicFiles(volume()));
    CItuneDB db;
    ASSERT_EQ(db.LoadFromFiles(volume()), 1) << db.message;
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"Loud", "Soft"}));
    EXPECT_EQ(Text(db.viewRows[0].location), (folder / "LOUD.MP3").string());
}

// TagLib finds tags and frames by scanning: large files without them must
// cost a bounded read, and one that starts like music still gives its tags.
// Nothing on the device is opened for writing.
TEST_F(FileScan, LargeFilesOfZerosCostABoundedReadOnlyRead) {
    constexpr uint64_t kSize = uint64_t(64) << 20;
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/framed.mp3"), Tags(u"Then Zeros", u"", u"", u"")));
    for (const char* name :
         {"F00/framed.mp3", "F00/zeros.flac", "F00/zeros.m4a", "F00/zeros.mp3"}) {
        std::ofstream(Music(name), std::ios::app).close();
        fs::resize_file(Music(name), kSize);
    }
    CItuneDB db;
    const uint64_t before = BytesReadSoFar();
    const auto [written, readOnly] =
        ClosesDuring(Music("F00"), [&] { ASSERT_EQ(db.LoadFromFiles(volume()), 1); });
    EXPECT_LT(BytesReadSoFar() - before, kSize / 4);
    EXPECT_EQ(written, 0);
    EXPECT_GE(readOnly, 4);
    EXPECT_EQ(ViewTitles(db),
              (std::vector<std::string>{"Then Zeros", "<null>", "<null>", "<null>"}));
    EXPECT_EQ(db.viewRows[3].fileSize, kSize);
}

TEST_F(FileScan, TheDatabaseWinsWhenItLoadsAndTheFilesStandInWhenItDoesNot) {
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/AAAA.mp3"), Tags(u"From the Tags", u"", u"", u"")));
    WriteDatabase(OneTrackDatabase());
    CItuneDB db;
    ASSERT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::DatabaseThenFiles), 1);
    EXPECT_EQ(db.source, CItuneDB::Source::Database);
    EXPECT_EQ(ViewTitles(db), std::vector<std::string>{"From the Database"});
    EXPECT_EQ(db.TrackLengthMs(db.viewRows[0]), 215500u);

    ASSERT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::FilesOnly), 1);
    EXPECT_EQ(db.source, CItuneDB::Source::Files);
    EXPECT_EQ(ViewTitles(db), std::vector<std::string>{"From the Tags"});

    dbwriter::Database empty = OneTrackDatabase();
    empty.playlists.clear();
    WriteDatabase(empty); // loads with 2
    ASSERT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::DatabaseThenFiles), 1);
    EXPECT_EQ(db.source, CItuneDB::Source::Files);
    ASSERT_TRUE(dbwriter::WriteFile(dbPath(), {'j', 'u', 'n', 'k'})); // loads with 0
    ASSERT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::DatabaseThenFiles), 1);
    EXPECT_EQ(ViewTitles(db), std::vector<std::string>{"From the Tags"});
    fs::remove(dbPath());
    ASSERT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::DatabaseThenFiles), 1);
    EXPECT_EQ(db.source, CItuneDB::Source::Files);

    // Without music files the database's own result stands.
    fs::remove_all(dir / "vol/iPod_Control/Music");
    WriteDatabase(empty);
    EXPECT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::DatabaseThenFiles), 2);
    EXPECT_EQ(db.source, CItuneDB::Source::None);
    EXPECT_EQ(LoadDeviceLibrary(db, dbPath(), SourceChoice::FilesOnly), 2);
    EXPECT_EQ(db.viewRowCount, 0u);
}

TEST_F(FileScan, AStoppedScanKeepsTheTablesItFound) {
    WriteDatabase(OneTrackDatabase());
    for (const char* name : {"F00/A.mp3", "F00/B.mp3", "F00/C.mp3"})
        ASSERT_TRUE(WriteTaggedAudio(Music(name), Tags(u"T", u"", u"", u"")));
    CItuneDB db;
    ASSERT_EQ(db.LoadDatabase(dbPath()), 1);
    ScriptedProgress progress;
    progress.stopAfter = 2;
    EXPECT_EQ(db.LoadFromFiles(volume(), &progress), 0);
    EXPECT_EQ(progress.calls.size(), 2u);
    EXPECT_EQ(db.source, CItuneDB::Source::Database);
    EXPECT_EQ(ViewTitles(db), std::vector<std::string>{"From the Database"});
    EXPECT_EQ(db.message, "Scan of the music files stopped\r\n");
}

TEST_F(FileScan, AVolumeWithOnlyMusicFilesCountsAsADevice) {
    ASSERT_TRUE(WriteTaggedAudio(Music("F00/A.mp3"), Tags(u"T", u"", u"", u"")));
    const TempDir other;
    fs::create_directories(other / "iPod_Control/Music/F00");
    setenv("CORVANE_VOLUMES", (std::string(other / "") + ":" + volume()).c_str(), 1);
    CItuneDB db;
    std::string path;
    EXPECT_EQ(db.FindDevice(path), 1);
    unsetenv("CORVANE_VOLUMES");
    EXPECT_EQ(path, dbPath());
    EXPECT_EQ(db.driveIndex, 2);
}

TEST(VolumeLabelTest, UdevEscapesAndPlainFolders) {
    EXPECT_EQ(UnescapeUdevName("JOHN\\x27S\\x20IPOD"), "JOHN'S IPOD");
    EXPECT_EQ(UnescapeUdevName("A\\x2"), "A\\x2");
    const TempDir folder;
    EXPECT_EQ(VolumeLabel(folder / ""), "");
}
