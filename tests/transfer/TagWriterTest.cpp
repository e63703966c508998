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

TEST(TagValuesTest, TheLibrarysRatingInStarsPopularimterBytesAndFmpsText) {
    struct Case {
        uint32_t rating;
        int stars;
        uint8_t popm;
        const char* fmps;
    };
    for (const Case& c : {Case{9, 0, 0, nullptr}, Case{20, 1, 1, "0.2"}, Case{40, 2, 64, "0.4"},
                          Case{50, 3, 128, "0.6"}, Case{80, 4, 196, "0.8"}, Case{100, 5, 255, "1"},
                          Case{250, 5, 255, "1"}}) {
        SCOPED_TRACE(c.rating);
        EXPECT_EQ(StarsOfRating(c.rating), c.stars);
        EXPECT_EQ(PopularimeterRating(c.stars), c.popm);
        if (c.fmps) {
            EXPECT_EQ(FmpsRatingText(c.stars), c.fmps);
        }
    }
}

TEST(TagValuesTest, CountsGoWithTheirNumbersOrApartAndUnknownsAreLeftOut) {
    TagValues values;
    values.title = "T";
    values.trackNumber = 3, values.trackCount = 12, values.discCount = 2, values.year = 1959;
    using Properties = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(StandardProperties(values, false),
              (Properties{{"TITLE", "T"}, {"DATE", "1959"}, {"TRACKNUMBER", "3/12"}}));
    EXPECT_EQ(
        StandardProperties(values, true),
        (Properties{{"TITLE", "T"}, {"DATE", "1959"}, {"TRACKNUMBER", "3"}, {"TRACKTOTAL", "12"}}));
}

class TagWriterTest : public ::testing::Test {
protected:
    // A file with a title, an artist and (where given) a track number of its own.
    std::string TaggedFile(const std::string& name, bool ownTrack) {
        AudioTags own{u"Own Title", u"Own Artist", std::nullopt, std::nullopt};
        if (ownTrack)
            own.properties = {{"TRACKNUMBER", "7"}};
        EXPECT_TRUE(WriteTaggedAudio(folder.Path(name), own));
        return folder.Path(name);
    }

    static TagValues Library() {
        TagValues values;
        values.title = "Library Title", values.artist = "Library Artist";
        values.album = "Kind of Blue", values.albumArtist = "Miles Davis Sextet";
        values.genre = "Jazz", values.composer = "Bill Evans", values.year = 1959;
        values.trackNumber = 3, values.trackCount = 12, values.discNumber = 1, values.discCount = 2;
        values.compilation = true, values.stars = 4, values.playCount = 17;
        return values;
    }

    static void ExpectLines(const Strings& read, const Strings& expected) {
        for (const std::string& line : expected)
            EXPECT_NE(std::find(read.begin(), read.end(), line), read.end())
                << line << " not in:\n"
                << testing::PrintToString(read);
    }

    ScratchFolder folder;
    const std::vector<uint8_t> jpeg = std::vector<uint8_t>(300, 0xD8);
};

TEST_F(TagWriterTest, FilesKeepTheirTagsGainTheRestAndCarryRatingPlaysAndCover) {
    struct Format {
        std::string ext;
        Strings expected;
    };
    const std::vector<Format> formats = {
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
    };
    for (const Format& format : formats) {
        SCOPED_TRACE(format.ext);
        const std::string path = TaggedFile("song" + format.ext, true);
        ASSERT_EQ(WriteTags(path, format.ext, Library(), &jpeg), TagWriteResult::Tagged);
        const Strings read = MutagenTags(path);
        ExpectLines(read, format.expected);
        EXPECT_EQ(std::count_if(read.begin(), read.end(),
                                [](const std::string& line) {
                                    return line.find("Library") != std::string::npos;
                                }),
                  0);
    }
}

TEST_F(TagWriterTest, UnratedUnplayedTracksGetNeitherTagAndAPictureStays) {
    TagValues unrated = Library();
    unrated.stars = 0, unrated.playCount = 0;
    const std::vector<uint8_t> other(120, 0xD9);
    for (const std::string ext : {".mp3", ".m4a", ".flac"}) {
        SCOPED_TRACE(ext);
        const std::string path = TaggedFile("song" + ext, false);
        ASSERT_EQ(WriteTags(path, ext, unrated, &jpeg), TagWriteResult::Tagged);
        ASSERT_EQ(WriteTags(path, ext, unrated, &other), TagWriteResult::Tagged);
        Strings pictures;
        for (const std::string& line : MutagenTags(path)) {
            EXPECT_EQ(line.find("FMPS"), std::string::npos) << line;
            EXPECT_EQ(line.find("POPM"), std::string::npos) << line;
            if (line.rfind("APIC=", 0) == 0 || line.rfind("covr=", 0) == 0 ||
                line.rfind("PICTURE=", 0) == 0)
                pictures.push_back(line);
        }
        ASSERT_EQ(pictures.size(), 1u);
        EXPECT_EQ(pictures[0].substr(pictures[0].size() - 4), "/300");
    }
    unrated.playCount = 17;
    // Played but unrated: the players' POPM says "no rating" and counts the plays.
    const std::string mp3 = TaggedFile("played.mp3", false);
    ASSERT_EQ(WriteTags(mp3, ".MP3", unrated, nullptr), TagWriteResult::Tagged);
    const Strings read = MutagenTags(mp3);
    ExpectLines(read, {"POPM:=0/17", "TXXX:FMPS_Playcount=17"});
    EXPECT_EQ(std::find(read.begin(), read.end(), "TXXX:FMPS_Rating=0"), read.end());
}

TEST_F(TagWriterTest, AFrontTagRenderedFromTheSourceGivesTheFileTaggingTheCopyGives) {
    for (const bool ownTag : {false, true}) {
        SCOPED_TRACE(ownTag);
        const std::string source = folder.Path("source.mp3");
        if (ownTag)
            TaggedFile("source.mp3", true);
        else
            ASSERT_TRUE(WriteUntaggedAudio(source));
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
    EXPECT_FALSE(RenderFrontTag(TaggedFile("song.m4a", false), ".m4a", Library(), &jpeg, front));
    EXPECT_FALSE(RenderFrontTag(folder.Path("missing.mp3"), ".mp3", Library(), &jpeg, front));
}

TEST_F(TagWriterTest, FilesTagLibCannotTagAreReportedAndLeftAsTheyWere) {
    struct Case {
        std::string name;
        TagWriteResult result;
        const char* text;
    };
    for (const Case& c :
         {Case{"memo.wma", TagWriteResult::NotTaggable, "not a format that takes tags"},
          Case{"broken.m4a", TagWriteResult::Refused, "taglib could not read the file"},
          Case{"broken.flac", TagWriteResult::Refused, "taglib could not read the file"}}) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Write(c.name, "not audio at all, only words");
        EXPECT_EQ(WriteTags(path, c.name.substr(c.name.rfind('.')), Library(), &jpeg), c.result);
        EXPECT_STREQ(TagWriteText(c.result), c.text);
        EXPECT_EQ(folder.Read(c.name), "not audio at all, only words");
    }
    // A file that cannot be written back.
    const std::string locked = TaggedFile("locked.mp3", false);
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_EQ(RunInChild([&] {
                  return BecomeOrdinaryUser() ? int(WriteTags(locked, ".mp3", Library(), &jpeg))
                                              : 99;
              }),
              int(TagWriteResult::NotSaved));
}

} // namespace
