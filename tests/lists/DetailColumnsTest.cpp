// The detail columns' pure rules: what counts as null, the cell texts, the
// settings word list, and sorting by a detail with nulls and ties.
#include "ListsTestSupport.h"
#include "lists/DetailCells.h"
#include "lists/TrackSort.h"

#include <vector>

namespace {

TrackDetails With(TrackDetails::Field field, uint32_t value) {
    TrackDetails details;
    details.present = field;
    details.trackNumber = details.discNumber = details.year = value;
    details.playCount = details.lastPlayed = value;
    details.rating = static_cast<uint8_t>(value);
    return details;
}

constexpr auto kAllFields = TrackDetails::Field(0xFFFF);

} // namespace

TEST(DetailCells, TextsAndNulls) {
    struct Case {
        DetailColumn column;
        TrackDetails::Field present; // 0: the field is absent
        uint32_t value;
        const char* text;
    };
    const Case cases[] = {
        {DetailColumn::Track, TrackDetails::kTrackNumber, 7, "7"},
        {DetailColumn::Track, TrackDetails::kTrackNumber, 0, ""},
        {DetailColumn::Track, TrackDetails::Field(0), 7, ""},
        {DetailColumn::Disc, TrackDetails::kDiscNumber, 2, "2"},
        {DetailColumn::Year, TrackDetails::kYear, 1999, "1999"},
        {DetailColumn::Year, TrackDetails::kTrackNumber, 1999, ""}, // another field's bit
        {DetailColumn::Plays, TrackDetails::kPlayCount, 0, "0"},
        {DetailColumn::Plays, TrackDetails::Field(0), 5, ""},
        {DetailColumn::Rating, TrackDetails::kRating, 0, ""},
        {DetailColumn::Rating, TrackDetails::kRating, 19, ""},
        {DetailColumn::Rating, TrackDetails::kRating, 20, "1 star"},
        {DetailColumn::Rating, TrackDetails::kRating, 60, "3 stars"},
        {DetailColumn::Rating, TrackDetails::kRating, 255, "5 stars"},
        {DetailColumn::LastPlayed, TrackDetails::kLastPlayed, 3682844800u, "2020-09-13 12:26"},
        {DetailColumn::LastPlayed, TrackDetails::kLastPlayed, 0, ""},
    };
    for (const Case& c : cases) {
        const TrackDetails details = With(c.present, c.value);
        EXPECT_EQ(DetailCellText(&details, c.column), QString::fromUtf8(c.text))
            << static_cast<int>(c.column) << " " << c.value;
    }
    EXPECT_EQ(DetailCellText(nullptr, DetailColumn::Plays), QString());
}

TEST(DetailColumnsSetting, RoundTripsAndSkipsWhatItDoesNotKnow) {
    struct Case {
        const char* stored;
        std::vector<DetailColumn> shown;
        const char* written;
    };
    const Case cases[] = {
        {"", {}, ""},
        {"TRACK,RATING", {DetailColumn::Track, DetailColumn::Rating}, "TRACK,RATING"},
        {" RATING , MOOD,,TRACK", {DetailColumn::Track, DetailColumn::Rating}, "TRACK,RATING"},
        {"rating", {}, ""},
        {"LAST_PLAYED,PLAYS,YEAR,DISC,TRACK,RATING",
         {DetailColumn::Track, DetailColumn::Disc, DetailColumn::Year, DetailColumn::Rating,
          DetailColumn::Plays, DetailColumn::LastPlayed},
         "TRACK,DISC,YEAR,RATING,PLAYS,LAST_PLAYED"},
    };
    for (const Case& c : cases) {
        DetailColumnSet expected;
        for (DetailColumn column : c.shown)
            expected.set(static_cast<size_t>(column));
        const DetailColumnSet parsed = ParseDetailColumns(c.stored);
        EXPECT_EQ(parsed, expected) << c.stored;
        EXPECT_EQ(DetailColumnsSetting(parsed), c.written) << c.stored;
    }
}

// Five rows: absent, high, 0, high, low. Nulls lead an ascending sort and
// end a descending one; rows that tie keep their order either way. A 0 is
// null for the numbers and times, a value for the rating and the play count.
// Values below the row count sort by counting, larger ones by comparison
// (the rating keeps the low byte of the largest).
TEST(SortTrackRowsByDetail, NullsFirstAscendingAndTiesKeepTheirOrder) {
    for (const auto& [high, low] : {std::pair{2u, 1u}, {7u, 3u}, {3'700'000'200u, 5u}})
        for (int i = 0; i < kDetailColumnCount; ++i) {
            const auto column = static_cast<DetailColumn>(i);
            const bool zeroIsValue =
                column == DetailColumn::Rating || column == DetailColumn::Plays;
            std::vector<TrackDetails> details = {TrackDetails{}, With(kAllFields, high),
                                                 With(kAllFields, 0), With(kAllFields, high),
                                                 With(kAllFields, low)};
            const TrackDetailsLookup lookup = [&details](const TrackRecord& row) {
                return &details[row.trackId];
            };
            auto order = [&](bool descending) {
                std::vector<TrackRecord> rows(details.size());
                for (uint32_t id = 0; id < rows.size(); ++id)
                    rows[id].trackId = id;
                SortTrackRowsByDetail(rows.data(), int(rows.size()), column, descending, lookup);
                std::vector<uint32_t> ids;
                for (const TrackRecord& row : rows)
                    ids.push_back(row.trackId);
                return ids;
            };
            SCOPED_TRACE(high);
            EXPECT_EQ(order(false), (std::vector<uint32_t>{0, 2, 4, 1, 3})) << i;
            EXPECT_EQ(order(true), zeroIsValue ? (std::vector<uint32_t>{1, 3, 4, 2, 0})
                                               : (std::vector<uint32_t>{1, 3, 4, 0, 2}))
                << i;
        }
}
