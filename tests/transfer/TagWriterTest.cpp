#include "support/ChildProcess.h"
#include "support/MutagenTags.h"
#include "support/ScratchFolder.h"
#include "support/TaggedAudio.h"

#include "transfer/TagValues.h"
#include "transfer/TagWriter.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;

TEST(TagValuesTest, RatingsInStarsPopularimeterBytesAndFmpsText) {
    const int cases[][3] = {{9, 0, 0},    {20, 1, 1},    {40, 2, 64},  {50, 3, 128},
                            {80, 4, 196}, {100, 5, 255}, {250, 5, 255}}; // rating, stars, POPM
    for (const auto& c : cases) {
        EXPECT_EQ(StarsOfRating(c[0]), c[1]) << c[0];
        EXPECT_EQ(PopularimeterRating(c[1]), c[2]) << c[1];
    }
    EXPECT_EQ(FmpsRatingText(1), "0.2");
    EXPECT_EQ(FmpsRatingText(4), "0.8");
    EXPECT_EQ(FmpsRatingText(5), "1");
}

class TagWriterTest : public ::testing::Test {
protected:
    // A file with a title, an artist and (with ownTrack) a track number of its own.
    std::string TaggedFile(const std::string& name, bool ownTrack = false) {
        AudioTags own{u"Own Title", u"Own Artist", std::nullopt, std::nullopt};
        if (ownTrack)
            own.properties = {{"TRACKNUMBER", "7"}};
        EXPECT_TRUE(WriteTaggedAudio(folder.Path(name), own));
        return folder.Path(name);
    }

    static TagValues Library(int stars = 4, uint32_t plays = 17) {
        TagValues v;
        v.title = "Library Title", v.artist = "Library Artist", v.album = "Kind of Blue";
        v.albumArtist = "Miles Davis Sextet", v.genre = "Jazz", v.composer = "Bill Evans";
        v.year = 1959, v.trackNumber = 3, v.trackCount = 12, v.discNumber = 1, v.discCount = 2;
        v.compilation = true, v.stars = stars, v.playCount = plays;
        return v;
    }

    ScratchFolder folder;
    const std::vector<uint8_t> jpeg = std::vector<uint8_t>(300, 0xD8);
};

TEST_F(TagWriterTest, FilesKeepTheirTagsGainTheRestAndCarryRatingPlaysAndCover) {
    const std::pair<std::string, Strings> formats[] = {
        {".mp3",
         {"MP3", "TIT2=Own Title", "TPE1=Own Artist", "TRCK=7", "TALB=Kind of Blue",
          "TPE2=Miles Davis Sextet", "TCON=Jazz", "TCOM=Bill Evans", "TDRC=1959", "TPOS=1/2",
          "TCMP=1", "TXXX:FMPS_Rating=0.8", "TXXX:FMPS_Playcount=17", "POPM:=196/17",
          "APIC=3/image/jpeg/300"}},
        {".m4a",
         {"MP4", "\xC2\xA9nam=Own Title",
          "\xC2\xA9"
          "ART=Own Artist",
          "trkn=7/0",
          "\xC2\xA9"
          "alb=Kind of Blue",
          "aART=Miles Davis Sextet", "\xC2\xA9gen=Jazz", "\xC2\xA9wrt=Bill Evans",
          "\xC2\xA9"
          "day=1959",
          "disk=1/2", "cpil=True", "----:com.apple.iTunes:FMPS_Rating=0.8",
          "----:com.apple.iTunes:FMPS_Playcount=17", "covr=13/300"}},
        {".flac",
         {"FLAC", "TITLE=Own Title", "ARTIST=Own Artist", "TRACKNUMBER=7", "TRACKTOTAL=12",
          "ALBUM=Kind of Blue", "ALBUMARTIST=Miles Davis Sextet", "GENRE=Jazz",
          "COMPOSER=Bill Evans", "DATE=1959", "DISCNUMBER=1", "DISCTOTAL=2", "COMPILATION=1",
          "FMPS_RATING=0.8", "FMPS_PLAYCOUNT=17", "PICTURE=3/image/jpeg/300"}},
        {".ogg",
         {"OggVorbis", "TITLE=Own Title", "ARTIST=Own Artist", "TRACKNUMBER=7", "TRACKTOTAL=12",
          "ALBUM=Kind of Blue", "ALBUMARTIST=Miles Davis Sextet", "GENRE=Jazz",
          "COMPOSER=Bill Evans", "DATE=1959", "DISCNUMBER=1", "DISCTOTAL=2", "COMPILATION=1",
          "FMPS_RATING=0.8", "FMPS_PLAYCOUNT=17", "PICTURE=3/image/jpeg/300"}},
    };
    for (const auto& [ext, expected] : formats) {
        const std::string path = TaggedFile("song" + ext, true);
        ASSERT_EQ(WriteTags(path, ext, Library(), &jpeg), TagWriteResult::Tagged);
        Strings read = MutagenTags(path);
        std::sort(read.begin() + 1, read.end());
        Strings wanted = expected;
        std::sort(wanted.begin() + 1, wanted.end());
        EXPECT_EQ(read, wanted) << ext; // and nothing of the library's own title or artist
    }
}

TEST_F(TagWriterTest, UnratedUnplayedTracksGetNeitherTagAndAPictureStays) {
    const std::vector<uint8_t> other(120, 1);
    for (const std::string ext : {".mp3", ".m4a", ".flac", ".ogg"}) {
        const std::string path = TaggedFile("song" + ext);
        ASSERT_EQ(WriteTags(path, ext, Library(0, 0), &jpeg), TagWriteResult::Tagged);
        ASSERT_EQ(WriteTags(path, ext, Library(0, 0), &other), TagWriteResult::Tagged);
        Strings pictures;
        for (const std::string& line : MutagenTags(path)) {
            EXPECT_EQ(line.find("FMPS"), std::string::npos) << line;
            EXPECT_EQ(line.find("POPM"), std::string::npos) << line;
            if (line.find("APIC=") == 0 || line.find("covr=") == 0 || line.find("PICTURE=") == 0)
                pictures.push_back(line);
        }
        ASSERT_EQ(pictures.size(), 1u) << ext;
        EXPECT_EQ(pictures[0].substr(pictures[0].size() - 4), "/300");
    }
    // Played but unrated: the players' POPM says "no rating" and counts the plays.
    const std::string mp3 = TaggedFile("played.mp3");
    ASSERT_EQ(WriteTags(mp3, ".MP3", Library(0, 5), nullptr), TagWriteResult::Tagged);
    const Strings read = MutagenTags(mp3);
    EXPECT_EQ(std::count(read.begin(), read.end(), "POPM:=0/5"), 1);
    EXPECT_EQ(
        std::count_if(read.begin(), read.end(),
                      [](const std::string& line) { return line.find("FMPS_R") != line.npos; }),
        0);
}

TEST_F(TagWriterTest, AFrontTagRenderedFromTheSourceGivesTheFileTaggingTheCopyGives) {
    for (const bool ownTag : {false, true}) {
        const std::string source = folder.Path("source.mp3");
        ASSERT_TRUE(ownTag ? !TaggedFile("source.mp3").empty() : WriteUntaggedAudio(source));
        const std::string before = ScratchFolder::ReadFile(source);
        FrontTag front;
        ASSERT_TRUE(RenderFrontTag(source, ".mp3", Library(), &jpeg, front));
        EXPECT_EQ(ScratchFolder::ReadFile(source), before);
        ASSERT_LE(front.replaced, before.size());
        EXPECT_EQ(front.replaced == 0, !ownTag);

        const std::string copy = folder.Write("copy.mp3", before);
        ASSERT_EQ(WriteTags(copy, ".mp3", Library(), &jpeg), TagWriteResult::Tagged);
        EXPECT_TRUE(ScratchFolder::ReadFile(copy) == front.bytes + before.substr(front.replaced));
    }
    FrontTag front;
    EXPECT_FALSE(RenderFrontTag(TaggedFile("song.m4a"), ".m4a", Library(), &jpeg, front));
    EXPECT_FALSE(RenderFrontTag(folder.Path("missing.mp3"), ".mp3", Library(), &jpeg, front));
}

TEST_F(TagWriterTest, FilesTagLibCannotTagAreReportedAndLeftAsTheyWere) {
    const std::pair<const char*, TagWriteResult> cases[] = {
        {"memo.wma", TagWriteResult::NotTaggable},
        {"broken.m4a", TagWriteResult::Refused},
        {"broken.flac", TagWriteResult::Refused}};
    for (const auto& [name, result] : cases) {
        const std::string path = folder.Write(name, "only words");
        EXPECT_EQ(WriteTags(path, path.substr(path.rfind('.')), Library(), &jpeg), result) << name;
        EXPECT_EQ(folder.Read(name), "only words");
    }
    EXPECT_STREQ(TagWriteText(TagWriteResult::NotTaggable), "not a format that takes tags");
    // A file that cannot be written back.
    const std::string locked = TaggedFile("locked.mp3");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_EQ(RunInChild([&] {
                  return BecomeOrdinaryUser() ? int(WriteTags(locked, ".mp3", Library(), &jpeg))
                                              : 99;
              }),
              int(TagWriteResult::NotSaved));
}

} // namespace
