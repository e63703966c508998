#include <gtest/gtest.h>

#include "transfer/NameFormat.h"

namespace {

NameFields FullTrack() {
    NameFields fields;
    fields.title = u"Title";
    fields.artist = u"Artist";
    fields.album = u"Album";
    fields.albumArtist = u"Various";
    fields.genre = u"Jazz";
    fields.composer = u"Writer";
    fields.year = 1999;
    fields.track = 5;
    fields.disc = 2;
    return fields;
}

NameFields Without(NameFields fields, const char16_t* NameFields::*text) {
    fields.*text = nullptr;
    return fields;
}

NameFields NoNumbers(NameFields fields) {
    fields.track = fields.disc = fields.year = 0;
    return fields;
}

// A formatted name as one path, folders joined by "/".
std::string Joined(const FormattedName& name) {
    std::string path;
    for (const std::string& folder : name.folders)
        path += folder + "/";
    return path + name.title;
}

struct FormatCase {
    const char* format;
    NameFields fields;
    const char* name;
};

class NameFormatApply : public testing::TestWithParam<FormatCase> {};

TEST_P(NameFormatApply, GivesTheFoldersAndTitle) {
    NameFormat format;
    std::string error;
    ASSERT_TRUE(NameFormat::Parse(GetParam().format, format, error)) << error;
    EXPECT_EQ(Joined(format.Apply(GetParam().fields)), GetParam().name) << GetParam().format;
}

NameFields Slashed() {
    NameFields fields = FullTrack();
    fields.artist = u"AC/DC";
    fields.albumArtist = nullptr;
    fields.album = u"..";
    return fields;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameFormatApply,
    testing::Values(
        FormatCase{"{albumartist}/{album}/{disc}-{track:02} {title}", FullTrack(),
                   "Various/Album/2-05 Title"},
        FormatCase{"{track:02} {title}", NoNumbers(FullTrack()), "Title"},
        FormatCase{"{disc}-{track:02} {title}",
                   [] {
                       NameFields f = FullTrack();
                       f.disc = 0;
                       return f;
                   }(),
                   "05 Title"},
        FormatCase{"{artist} - {album} ({year})", NoNumbers(FullTrack()), "Artist - Album"},
        FormatCase{"{artist} - {title}", Without(FullTrack(), &NameFields::artist), "Title"},
        FormatCase{"CD{disc}/{title}", NoNumbers(FullTrack()), "Title"},
        FormatCase{"{track:03}. {title} [{genre}]", FullTrack(), "005. Title [Jazz]"},
        FormatCase{"{year}/{composer}/{title}", FullTrack(), "1999/Writer/Title"},
        // No album artist: the artist stands in. "/" in a value is a character.
        FormatCase{"{albumartist}/{album}/{title}", Slashed(), "AC_DC/Title"},
        FormatCase{"Music/{genre}/{title}", Without(FullTrack(), &NameFields::genre),
                   "Music/Title"},
        FormatCase{"{artist}: {title}?", FullTrack(), "Artist_ Title_"},
        FormatCase{"{album}/", FullTrack(), "Album/"}, FormatCase{"{track}", FullTrack(), "5"}));

TEST(NameFormatParse, RefusesWhatItCannotName) {
    const std::pair<const char*, const char*> cases[] = {
        {"{title", "a '{' without its '}'"},
        {"{bpm} {title}", "unknown field {bpm}"},
        {"{title:02}", "{title:02} needs a number field and a width 01 to 09"},
        {"{track:2}", "{track:2} needs a number field and a width 01 to 09"},
        {"{Title}", "unknown field {Title}"},
    };
    for (const auto& [text, message] : cases) {
        NameFormat format;
        std::string error;
        ASSERT_TRUE(NameFormat::Parse("{title}", format, error));
        EXPECT_FALSE(NameFormat::Parse(text, format, error)) << text;
        EXPECT_EQ(error, message);
        EXPECT_TRUE(format.Empty()) << text;
    }
    NameFormat none;
    std::string error;
    EXPECT_TRUE(NameFormat::Parse("", none, error));
    EXPECT_TRUE(none.Empty());
}

} // namespace
