#include <gtest/gtest.h>

#include "LoadHelpers.h"
#include "library/NumberPair.h"

namespace {

dbwriter::Track DetailedTrack() {
    dbwriter::Track track = NamedTrack(7, u"Song");
    track.compilation = 1;
    track.rating = 80;
    track.trackNumber = 3, track.trackCount = 12, track.year = 1999;
    track.playCount = 41, track.lastPlayed = 3682944000u, track.discNumber = 2;
    track.discCount = 2, track.dateAdded = 3600000000u, track.dbid = 0x1122334455667788ull;
    track.skipCount = 5, track.lastSkipped = 3682940000u, track.artworkLink = 0x65;
    track.composer = u"Composer";
    track.albumArtist = u"Various";
    return track;
}

struct HeaderCase {
    uint32_t headerLength;
    uint16_t present; // TrackDetails fields the header reaches
};

class TrackDetailsByHeader : public testing::TestWithParam<HeaderCase> {};

// A field past the header is absent, not zero, whatever the bytes after
// the header hold.
TEST_P(TrackDetailsByHeader, FieldsCountOnlyInsideTheHeader) {
    dbwriter::Database description;
    description.tracks = {DetailedTrack()};
    description.playlists = {{true, u"iPod", {7}}};
    description.options.trackHeaderLength = GetParam().headerLength;
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, description), 1);
    const TrackDetails* details = db.DetailsOf(db.viewRows[0]);
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->present, GetParam().present);
    const TrackDetails expected = [&] {
        TrackDetails all;
        all.compilation = 1, all.rating = 80, all.trackNumber = 3, all.trackCount = 12;
        all.year = 1999, all.playCount = 41, all.lastPlayed = 3682944000u, all.discNumber = 2;
        all.discCount = 2, all.dateAdded = 3600000000u, all.SetDbid(0x1122334455667788ull);
        all.skipCount = 5, all.lastSkipped = 3682940000u, all.artworkLink = 0x65;
        return all;
    }();
    auto shown = [&](TrackDetails::Field field, uint64_t value) {
        return details->Has(field) ? value : 0;
    };
    EXPECT_EQ(details->rating, shown(TrackDetails::kRating, expected.rating));
    EXPECT_EQ(details->year, shown(TrackDetails::kYear, expected.year));
    EXPECT_EQ(details->Dbid(), shown(TrackDetails::kDbid, expected.Dbid()));
    EXPECT_EQ(details->lastSkipped, shown(TrackDetails::kLastSkipped, expected.lastSkipped));
    EXPECT_EQ(details->artworkLink, shown(TrackDetails::kArtworkLink, expected.artworkLink));
    EXPECT_EQ(Text(db.DetailText(details->composer)), "Composer");
    EXPECT_EQ(Text(db.DetailText(details->albumArtist)), "Various");
}

constexpr uint16_t kUpToDbid =
    TrackDetails::kCompilation | TrackDetails::kRating | TrackDetails::kTrackNumber |
    TrackDetails::kTrackCount | TrackDetails::kYear | TrackDetails::kPlayCount |
    TrackDetails::kLastPlayed | TrackDetails::kDiscNumber | TrackDetails::kDiscCount |
    TrackDetails::kDateAdded | TrackDetails::kDbid;
constexpr uint16_t kUpToLastSkipped =
    kUpToDbid | TrackDetails::kSkipCount | TrackDetails::kLastSkipped;

INSTANTIATE_TEST_SUITE_P(
    Lengths, TrackDetailsByHeader,
    testing::Values(HeaderCase{30, 0}, HeaderCase{31, TrackDetails::kCompilation},
                    HeaderCase{56, TrackDetails::kCompilation | TrackDetails::kRating |
                                       TrackDetails::kTrackNumber | TrackDetails::kTrackCount |
                                       TrackDetails::kYear},
                    HeaderCase{119, kUpToDbid & ~TrackDetails::kDbid}, HeaderCase{0x9C, kUpToDbid},
                    HeaderCase{0xF4, kUpToLastSkipped}, HeaderCase{0x180, kUpToLastSkipped},
                    HeaderCase{0x248, kUpToLastSkipped | TrackDetails::kArtworkLink}));

TEST(TrackDetails, StringsAbsentAreNullAndEachRowKeepsItsOwn) {
    dbwriter::Database description = SimpleDatabase(2);
    description.tracks[0].composer = u"";
    description.tracks[1].albumArtist = u"Band";
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, description), 1);
    const TrackDetails* first = db.DetailsOf(db.viewRows[0]);
    const TrackDetails* second = db.DetailsOf(db.viewRows[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(Text(db.DetailText(first->composer)), "");
    EXPECT_EQ(Text(db.DetailText(first->albumArtist)), "<null>");
    EXPECT_EQ(Text(db.DetailText(second->composer)), "<null>");
    EXPECT_EQ(Text(db.DetailText(second->albumArtist)), "Band");
    EXPECT_EQ(Text(db.viewRows[1].title), "t2"); // the new strings take no field of the row
}

// Only the nine-word fields make a database with songs, as before the
// composer and album artist were read.
TEST(TrackDetails, StringsBesideTheTracksMakeNoSongs) {
    dbwriter::Database description = SimpleDatabase(2);
    for (auto& track : description.tracks) {
        track.title.reset(), track.location.reset();
        track.composer = u"Writer", track.albumArtist = u"Band";
    }
    DeviceFixture device;
    CItuneDB db;
    EXPECT_EQ(device.Load(db, description), 2);
    EXPECT_EQ(db.message, "  Read mhlp\r\n\r\nNo songs\r\n");
}

TEST(NumberPair, ReadsTagNumbersAndCounts) {
    const std::pair<const char*, NumberPair> cases[] = {
        {"3/12", {3, 12}}, {"3", {3, 0}},   {" 3 / 12 ", {3, 12}}, {"/12", {0, 12}},
        {"", {0, 0}},      {"x/2", {0, 2}}, {"3a", {0, 0}},        {"99999999999", {0, 0}},
    };
    for (const auto& [text, expected] : cases) {
        const NumberPair pair = ParseNumberPair(text);
        EXPECT_EQ(pair.number, expected.number) << text;
        EXPECT_EQ(pair.count, expected.count) << text;
    }
}

} // namespace
