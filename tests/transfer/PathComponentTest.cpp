#include "transfer/PathComponent.h"

#include "library/Utf16.h"

#include <gtest/gtest.h>

namespace {

bool IsValidUtf8(const std::string& text) {
    return ToUtf8(FromUtf8(text)) == text;
}

TEST(SafePathComponent, ReplacesEverythingThatCouldLeaveTheFolderOrBeRefused) {
    EXPECT_EQ(SafePathComponent(u"../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(SafePathComponent(u"AC/DC"), "AC_DC");
    EXPECT_EQ(SafePathComponent(u"a\\b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(SafePathComponent(std::u16string(u"tab\tnew\nnul\0x", 13)), "tab_new_nul_x");
    EXPECT_EQ(SafePathComponent(u"del\x7F"
                                u"c1\x0085"),
              "del_c1_");
    // Non-ASCII text is kept as it is.
    EXPECT_EQ(SafePathComponent(u"Björk – Jóga 日本"), "Björk – Jóga 日本");
}

// They would make a name read other than it is spelled ("Songexe.mp3" for
// "Song\u202E3pm.exe"); their neighbours in the code tables are kept.
TEST(SafePathComponent, DropsDirectionalControls) {
    for (const char16_t control : {0x061C, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E,
                                   0x2066, 0x2067, 0x2068, 0x2069}) {
        // Appended: GCC 12's -Wrestrict misreads an inlined u"a" + std::u16string.
        std::u16string name = u"a";
        name += control;
        name += u'b';
        EXPECT_EQ(SafePathComponent(name), "ab") << int(control);
    }
    EXPECT_EQ(SafePathComponent(u"Song\u202E3pm.exe"), "Song3pm.exe");
    EXPECT_EQ(SafePathComponent(u"\u061B\u2010\u2029\u202F\u2065\u206A"),
              ToUtf8(u"\u061B\u2010\u2029\u202F\u2065\u206A"));
}

TEST(SafePathComponent, NamesThatMeanNothingCountAsAbsent) {
    EXPECT_EQ(SafePathComponent(u""), "");
    EXPECT_EQ(SafePathComponent(u"."), "");
    EXPECT_EQ(SafePathComponent(u".."), "");
    EXPECT_EQ(SafePathComponent(u" . .. "), "");
    EXPECT_EQ(SafePathComponent(u"Song. . "), "Song");
    // Leading dots are part of real titles.
    EXPECT_EQ(SafePathComponent(u"...And Justice for All"), "...And Justice for All");
}

TEST(SafePathComponent, LoneSurrogateBecomesReplacementCharacter) {
    const std::u16string lone{u'A', char16_t(0xD800), u'B'};
    EXPECT_EQ(SafePathComponent(lone), "A\xEF\xBF\xBD"
                                       "B");
}

TEST(SafePathComponent, CutsTo255BytesWithoutSplittingACharacter) {
    std::u16string longName;
    for (int i = 0; i < 200; ++i)
        longName += u"é"; // two bytes each
    longName = u"x" + longName;
    const std::string safe = SafePathComponent(longName);
    EXPECT_EQ(safe.size(), 255u);
    EXPECT_TRUE(IsValidUtf8(safe));

    std::u16string emoji;
    for (int i = 0; i < 100; ++i)
        emoji += u"😀"; // four bytes each
    const std::string cut = SafePathComponent(emoji);
    EXPECT_EQ(cut.size(), 252u);
    EXPECT_TRUE(IsValidUtf8(cut));
}

TEST(SourceExtension, TakesTheDotOfTheFileNameOnly) {
    EXPECT_EQ(SourceExtension("/media/ipod/iPod_Control/Music/F00/ABCD.mp3"), ".mp3");
    EXPECT_EQ(SourceExtension("/media/ipod/F00/ABCD.tar.m4a"), ".m4a");
    EXPECT_EQ(SourceExtension("/media/ipod.v2/Music/F00/ABCD"), "");
    EXPECT_EQ(SourceExtension("/media/ipod/F00/ABCD."), "");
    EXPECT_EQ(SourceExtension("ABCD"), "");
    EXPECT_EQ(SourceExtension("/m/F00/A.m:p*3"), ".m_p_3");
    EXPECT_EQ(SourceExtension("/m/F00/A." + std::string(40, 'x')), "");
}

TEST(CandidateFileName, FormatsCounterAndKeepsExtensionWithin255Bytes) {
    EXPECT_EQ(CandidateFileName("Song", -1, ".mp3"), "Song.mp3");
    EXPECT_EQ(CandidateFileName("Song", 0, ".mp3"), "Song(0).mp3");
    EXPECT_EQ(CandidateFileName("Song", 9998, ""), "Song(9998)");
    EXPECT_EQ(CandidateFileName("", -1, ".mp3"), "Unknown Title.mp3");
    EXPECT_EQ(CandidateFileName("", 0, ".mp3"), "Unknown Title(0).mp3");

    std::string longTitle;
    for (int i = 0; i < 130; ++i)
        longTitle += "ü";
    for (int counter : {-1, 0, 9998}) {
        const std::string name = CandidateFileName(longTitle, counter, ".m4a");
        EXPECT_LE(name.size(), 255u);
        EXPECT_TRUE(IsValidUtf8(name));
        EXPECT_EQ(name.substr(name.size() - 4), ".m4a");
    }
    // A cut that leaves only dots must not give a hidden or empty name.
    EXPECT_EQ(CandidateFileName(std::string(300, '.') + "x", -1, ".mp3"), "Unknown Title.mp3");
}

} // namespace
