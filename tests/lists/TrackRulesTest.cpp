// The pure rules of the track list: comparators, the sort machinery, the
// sort-click cycle and the cell texts.
#include "ListsTestSupport.h"
#include "lists/SortMarks.h"
#include "lists/TrackCells.h"
#include "lists/TrackSort.h"

#include <algorithm>
#include <random>

namespace {

std::vector<std::u16string> Titles(TrackTable& table) {
    std::vector<std::u16string> titles;
    for (int row = 0; row < table.count(); ++row)
        titles.emplace_back(table[row].title ? table[row].title : u"<null>");
    return titles;
}

} // namespace

TEST(CompareDeviceText, NullSortsBeforeEmptyWhichSortsBeforeText) {
    EXPECT_EQ(CompareDeviceText(nullptr, nullptr), 0);
    EXPECT_LT(CompareDeviceText(nullptr, u""), 0);
    EXPECT_GT(CompareDeviceText(u"", nullptr), 0);
    EXPECT_LT(CompareDeviceText(u"", u"a"), 0);
    EXPECT_LT(CompareDeviceText(nullptr, u"a"), 0);
    EXPECT_EQ(CompareDeviceText(u"", u""), 0);
}

TEST(CompareDeviceText, FoldsOnlyAsciiCapitals) {
    EXPECT_EQ(CompareDeviceText(u"The Beatles", u"tHE bEATLES"), 0);
    EXPECT_NE(CompareDeviceText(u"\u00C9t\u00E9", u"\u00E9t\u00E9"), 0); // É is not folded
    // Capitals fold down before comparing, so "[" (0x5B) sorts before "Z" (as 'z', 0x7A).
    EXPECT_LT(CompareDeviceText(u"[", u"Z"), 0);
    EXPECT_LT(CompareDeviceText(u"abc", u"abcd"), 0);
    EXPECT_GT(CompareDeviceText(u"b", u"Abcd"), 0);
    // Code units compare unsigned: a surrogate (0xD83D) sorts after U+00E9.
    EXPECT_GT(CompareDeviceText(u"\U0001F600", u"\u00E9"), 0);
}

TEST(SortTrackRows, SortsWholeRowsAscendingAndDescendingByEachKey) {
    TrackTable table;
    table.Add({u"beta"}, {u"Zed"}, 300, {u"b"}, {u"Rock"});
    table.Add({u"Alpha"}, {nullptr}, 4294967295u, {u"a"}, {u""});
    table.Add({nullptr}, {u""}, 1, {nullptr}, {u"jazz"});
    table.Add({u"gamma"}, {u"abba"}, 20, {u"C"}, {nullptr});

    SortTrackRows(table.data(), table.count(), TrackSortKey::Title, false);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"<null>", u"Alpha", u"beta", u"gamma"}));
    // Rows move whole: each title keeps its own size and artist.
    EXPECT_EQ(table[1].fileSize, 4294967295u);
    EXPECT_EQ(table[3].artist, std::u16string_view(u"abba"));

    SortTrackRows(table.data(), table.count(), TrackSortKey::Artist, false);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"Alpha", u"<null>", u"gamma", u"beta"}));
    SortTrackRows(table.data(), table.count(), TrackSortKey::Artist, true);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"beta", u"gamma", u"<null>", u"Alpha"}));

    SortTrackRows(table.data(), table.count(), TrackSortKey::Size, false);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"<null>", u"gamma", u"beta", u"Alpha"}));
    SortTrackRows(table.data(), table.count(), TrackSortKey::Size, true);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"Alpha", u"beta", u"gamma", u"<null>"}));

    SortTrackRows(table.data(), table.count(), TrackSortKey::Album, false);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"<null>", u"Alpha", u"beta", u"gamma"}));
    SortTrackRows(table.data(), table.count(), TrackSortKey::Genre, false);
    EXPECT_EQ(Titles(table), (std::vector<std::u16string>{u"gamma", u"Alpha", u"<null>", u"beta"}));
}

TEST(SortTrackRows, AgreesWithTheComparatorOnTiesPrefixesAndDigitBoundaries) {
    // Strings built from few letters in mixed case, of lengths around the
    // sort's four-unit steps, so that most rows tie with others on long prefixes.
    std::mt19937 random(7);
    std::vector<std::u16string> texts;
    for (int i = 0; i < 400; ++i) {
        std::u16string text = (i % 5 == 0) ? u"The Same Long Prefix " : u"";
        const int length = static_cast<int>(random() % 10);
        for (int k = 0; k < length; ++k)
            text.push_back(static_cast<char16_t>((random() % 2 ? u'A' : u'a') + random() % 3));
        if (i % 17 == 0)
            text.push_back(static_cast<char16_t>(0xE9 + random() % 2)); // beyond ASCII
        texts.push_back(text);
    }
    for (const bool descending : {false, true}) {
        TrackTable table;
        for (int i = 0; i < 2000; ++i) {
            const int pick = static_cast<int>(random() % (texts.size() + 2));
            if (pick == static_cast<int>(texts.size()))
                table.Add({u"x"}, {nullptr});
            else if (pick == static_cast<int>(texts.size()) + 1)
                table.Add({u"x"}, {u""});
            else
                table.Add({u"x"}, {texts[pick].c_str()});
        }
        table.Add({u"not counted"}, {u""});
        SortTrackRows(table.data(), table.count() - 1, TrackSortKey::Artist, descending);
        EXPECT_EQ(std::u16string_view(table[table.count() - 1].title), u"not counted");
        for (int row = 1; row < table.count() - 1; ++row) {
            const int order = CompareDeviceText(table[row - 1].artist, table[row].artist);
            ASSERT_TRUE(descending ? order >= 0 : order <= 0) << "row " << row;
            if (order == 0) { // a tie keeps the order the rows were in
                ASSERT_LT(table[row - 1].trackId, table[row].trackId) << "row " << row;
            }
        }
    }
}

TEST(SortTrackRows, ASortByArtistKeepsTheAlbumOrderWithinEachArtist) {
    struct Case {
        bool albumDescending;
        bool artistDescending;
        std::vector<std::u16string> titles;
    };
    const Case cases[] = {
        {false, false, {u"n1", u"n2", u"a1", u"a2", u"b1", u"b3", u"b2"}},
        {false, true, {u"b1", u"b3", u"b2", u"a1", u"a2", u"n1", u"n2"}},
        {true, false, {u"n2", u"n1", u"a2", u"a1", u"b2", u"b3", u"b1"}},
        {true, true, {u"b2", u"b3", u"b1", u"a2", u"a1", u"n2", u"n1"}},
    };
    for (const Case& c : cases) {
        // Titles name the artist and the album's place; "One" and "one" tie.
        TrackTable table;
        table.Add({u"b1"}, {u"Beta"}, 0, {u"One"});
        table.Add({u"a2"}, {u"alpha"}, 0, {u"Two"});
        table.Add({u"n1"}, {nullptr}, 0, {u"One"});
        table.Add({u"b3"}, {u"BETA"}, 0, {u"three"});
        table.Add({u"a1"}, {u"Alpha"}, 0, {u"one"});
        table.Add({u"n2"}, {nullptr}, 0, {u"Two"});
        table.Add({u"b2"}, {u"beta"}, 0, {u"Two"});
        SortTrackRows(table.data(), table.count(), TrackSortKey::Album, c.albumDescending);
        SortTrackRows(table.data(), table.count(), TrackSortKey::Artist, c.artistDescending);
        EXPECT_EQ(Titles(table), c.titles)
            << "album " << (c.albumDescending ? "descending" : "ascending") << ", artist "
            << (c.artistDescending ? "descending" : "ascending");
    }
}

TEST(SortTrackRows, SurvivesHugeSharedStrings) {
    const std::u16string huge(200000, u'q');
    const std::u16string hugeToo = huge + u"r";
    TrackTable table;
    for (int i = 0; i < 60; ++i)
        table.Add({i % 2 ? huge.c_str() : hugeToo.c_str()});
    SortTrackRows(table.data(), table.count(), TrackSortKey::Title, false);
    EXPECT_EQ(std::u16string_view(table[29].title).size(), huge.size());
    EXPECT_EQ(std::u16string_view(table[30].title).size(), hugeToo.size());
}

TEST(SortMarks, FirstClickAscendsThenAlternatesAndANewColumnStartsOver) {
    SortMarks marks;
    EXPECT_EQ(marks, (SortMarks{1, kSortNone}));
    marks = NextSortMarks(marks, kColumnArtist);
    EXPECT_EQ(marks, (SortMarks{kColumnArtist, kSortAscending}));
    marks = NextSortMarks(marks, kColumnArtist);
    EXPECT_EQ(marks, (SortMarks{kColumnArtist, kSortDescending}));
    marks = NextSortMarks(marks, kColumnArtist);
    EXPECT_EQ(marks, (SortMarks{kColumnArtist, kSortAscending}));
    marks = NextSortMarks(marks, kColumnAlbum);
    EXPECT_EQ(marks, (SortMarks{kColumnAlbum, kSortAscending}));
    // The initial column is "Name" but unsorted, so its first click also ascends.
    EXPECT_EQ(NextSortMarks(SortMarks{}, kColumnName), (SortMarks{kColumnName, kSortAscending}));
}

TEST(TrackCells, SizesRowNumbersAndDeviceText) {
    EXPECT_EQ(SizeText(0), QStringLiteral("0.00 MB"));
    EXPECT_EQ(SizeText(1048576), QStringLiteral("1.00 MB"));
    EXPECT_EQ(SizeText(4294967295u), QStringLiteral("4096.00 MB"));
    EXPECT_EQ(SizeText(5767168), QStringLiteral("5.50 MB"));
    EXPECT_EQ(RowNumberText(0), QStringLiteral("1"));
    EXPECT_EQ(RowNumberText(99999), QStringLiteral("100000"));

    EXPECT_TRUE(DeviceText(nullptr).isEmpty());
    EXPECT_EQ(DeviceText(u"Caf\u00E9"), QString::fromUtf16(u"Caf\u00E9"));
    const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(DeviceText(loneSurrogate).size(), 3);
    const std::u16string huge(1'000'000, u'x');
    EXPECT_EQ(DeviceText(huge.c_str()).size(), kMaxShownTextUnits);
}
