// The database is untrusted input: every damage must end in a clean result,
// never a crash, a hang or a read outside what was reserved.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <unistd.h>

#include "LoadHelpers.h"
#include "support/SampleDevice.h"

namespace {

size_t FirstObject(const dbwriter::Written& w, size_t chunk) {
    return chunk + dbwriter::Get32(w.bytes, chunk + 4);
}

// The first mhip of a playlist with exactly one (name) mhod.
size_t FirstItem(const dbwriter::Written& w, size_t playlist) {
    const size_t name = FirstObject(w, playlist);
    return name + dbwriter::Get32(w.bytes, name + 8);
}

// Every row of every playlist view can be read (ASan watches the reads).
void TouchEveryView(CItuneDB& db) {
    for (uint32_t p = 0; p < db.playlistCount; ++p) {
        ASSERT_EQ(db.BuildPlaylistView(int32_t(p)), 1);
        for (uint32_t r = 0; r < db.viewRowCount; ++r)
            for (const char16_t* field :
                 {db.viewRows[r].title, db.viewRows[r].artist, db.viewRows[r].location})
                (void)Text(field);
    }
}

TEST(MalformedDatabase, EveryTruncationFailsCleanly) {
    dbwriter::Database desc = SampleDeviceDatabase();
    desc.options.realDeviceExtras = true;
    const dbwriter::Written written = dbwriter::Write(desc);
    const auto& bytes = written.bytes;
    // Past the last data set's fixed fields only stepped-over bytes are cut.
    const size_t lastNeeded = written.dataSetOffsets.back() + 16;
    DeviceFixture device;
    CItuneDB db;
    for (size_t size = 0; size < lastNeeded; size += 61) {
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + std::ptrdiff_t(size));
        ASSERT_EQ(device.Load(db, prefix), 0) << "prefix of " << size << " bytes";
    }
}

TEST(MalformedDatabase, ZeroLengthChunksEndTheirListInsteadOfLooping) {
    DeviceFixture device;
    CItuneDB db;
    const auto start = std::chrono::steady_clock::now();

    dbwriter::Written track = dbwriter::Write(SimpleDatabase(4));
    dbwriter::Put32(track.bytes, track.trackOffsets[1] + 8, 0);
    dbwriter::Put32(track.bytes, track.trackOffsets[1] + 12, 0xFFFFFFFF);
    ASSERT_EQ(device.Load(db, track.bytes), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1"}));

    dbwriter::Written object = dbwriter::Write(SimpleDatabase(4));
    dbwriter::Put32(object.bytes, FirstObject(object, object.trackOffsets[2]) + 8, 0);
    ASSERT_EQ(device.Load(db, object.bytes), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2", "<null>"}));

    dbwriter::Written item = dbwriter::Write(SimpleDatabase(4));
    const size_t firstItem = FirstItem(item, item.playlistOffsets[0]);
    dbwriter::Put32(item.bytes, firstItem + 8, 0);
    EXPECT_EQ(device.Load(db, item.bytes), 2); // no item survived

    // A data set too short to be its own sibling ends the root's data sets;
    // what came before it still loads.
    dbwriter::Database three = SimpleDatabase(4);
    three.options.dataSetOrder = {1, 2, 3};
    for (uint32_t total : {0u, 8u}) {
        dbwriter::Written set = dbwriter::Write(three);
        dbwriter::Put32(set.bytes, set.dataSetOffsets[2] + 8, total);
        dbwriter::Put32(set.bytes, 20, 0xFFFFFFFF);
        ASSERT_EQ(device.Load(db, set.bytes), 1) << "total " << total;
        EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2", "t3", "t4"}));
        dbwriter::Put32(set.bytes, set.dataSetOffsets[0] + 8, total);
        EXPECT_EQ(device.Load(db, set.bytes), 2);
        EXPECT_EQ(db.message, "No songs\r\n");
    }

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(MalformedDatabase, LengthsAreTrustedAsFarAsTheFileReaches) {
    DeviceFixture device;
    CItuneDB db;
    // A title longer than its mhod is read on into the bytes after it.
    dbwriter::Written string = dbwriter::Write(SimpleDatabase(3));
    const size_t title = FirstObject(string, string.trackOffsets[1]);
    dbwriter::Put32(string.bytes, title + 28, 0x40);
    ASSERT_EQ(device.Load(db, string.bytes), 1);
    ASSERT_EQ(db.viewRowCount, 3u);
    EXPECT_EQ(Text(db.viewRows[1].title).substr(0, 2), "t2");
    EXPECT_GT(Text(db.viewRows[1].title).size(), 2u); // the next mhod's tag, up to a NUL
    EXPECT_EQ(Text(db.viewRows[2].title), "t3");

    // So is a playlist name longer than its mhod.
    dbwriter::Written name = dbwriter::Write(SimpleDatabase(3));
    const size_t nameObject = FirstObject(name, name.playlistOffsets[0]);
    dbwriter::Put32(name.bytes, nameObject + 28, 0x20);
    ASSERT_EQ(device.Load(db, name.bytes), 1);
    EXPECT_EQ(Text(db.playlists[0].name).substr(0, 4), "iPod");

    // The last track may reach past its data set's end.
    dbwriter::Written track = dbwriter::Write(SimpleDatabase(3));
    const size_t setEnd =
        track.dataSetOffsets[0] + dbwriter::Get32(track.bytes, track.dataSetOffsets[0] + 8);
    dbwriter::Put32(track.bytes, track.trackOffsets[2] + 8,
                    uint32_t(setEnd - track.trackOffsets[2] + 0x20));
    ASSERT_EQ(device.Load(db, track.bytes), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2", "t3"}));

    // Strings that all claim the rest of the file would need pools of the
    // file's size squared: more string bytes than the file holds fail it.
    dbwriter::Written overlapping = dbwriter::Write(SimpleDatabase(200));
    for (size_t track : overlapping.trackOffsets) {
        const size_t object = FirstObject(overlapping, track);
        dbwriter::Put32(overlapping.bytes, object + 28,
                        uint32_t(overlapping.bytes.size() - object - 40));
    }
    EXPECT_EQ(device.Load(db, overlapping.bytes), 0);
    EXPECT_EQ(db.message, "Error Occur In TraverseItuneDBCount\r\n");

    // A string running past the end of the file is a read outside it.
    dbwriter::Written outside = dbwriter::Write(SimpleDatabase(3));
    const size_t mhod = FirstObject(outside, outside.trackOffsets[1]);
    dbwriter::Put32(outside.bytes, mhod + 8, 0x7FFFFFFF);
    dbwriter::Put32(outside.bytes, outside.trackOffsets[1] + 8, 0x7FFFFFFF);
    dbwriter::Put32(outside.bytes, outside.dataSetOffsets[0] + 8, 0x7FFFFFFF);
    dbwriter::Put32(outside.bytes, mhod + 28, 0x7FFFFF00);
    EXPECT_EQ(device.Load(db, outside.bytes), 0);
    EXPECT_EQ(db.message, "Error Occur In TraverseItuneDBCount\r\n");
}

TEST(MalformedDatabase, PlaylistsCutShortClaimOnlyTheirFilledItems) {
    dbwriter::Database desc = SimpleDatabase(4);
    desc.playlists = {{true, u"all", {1, 2, 3, 4}}, {false, u"cut", {4, 3, 2}}};
    // The same list again, so counting and filling must line up past the cut.
    desc.options.dataSetOrder = {1, 2, 2};
    dbwriter::Written w = dbwriter::Write(desc);
    const size_t cut = w.playlistOffsets[1];
    const size_t secondItem = FirstItem(w, cut) + 0x4C;
    w.bytes[secondItem] = 'X';
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, w.bytes), 1);
    ASSERT_EQ(db.playlistCount, 4u);
    EXPECT_EQ(db.playlists[1].memberCount, 1u);
    ASSERT_EQ(db.BuildPlaylistView(1), 1);
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t4"}));
    TouchEveryView(db);

    // A cut among the name objects leaves the playlist with no items at all.
    w.bytes[FirstObject(w, cut)] = 'X';
    ASSERT_EQ(device.Load(db, w.bytes), 1);
    EXPECT_EQ(db.playlists[1].members, nullptr);
    EXPECT_EQ(db.playlists[1].memberCount, 0u);
    TouchEveryView(db);
}

// Deterministic damage spread over a realistic file: whatever loads must be
// readable in full.
TEST(MalformedDatabase, ScatteredDamageNeverBreaksTheTables) {
    dbwriter::Database desc = SampleDeviceDatabase();
    desc.options.realDeviceExtras = true;
    const auto original = dbwriter::Write(desc).bytes;
    DeviceFixture device;
    CItuneDB db;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 300; ++round) {
        auto bytes = original;
        for (int k = 0; k < 4; ++k)
            bytes[next() % bytes.size()] = uint8_t(next() >> 16);
        if (device.Load(db, bytes) == 1)
            TouchEveryView(db);
    }
}

} // namespace

namespace {

// A device pulled mid-load: another thread cuts the file to nothing and
// writes it back while loads run. Every load ends in a result, never in a
// signal, and whatever loads is whole.
TEST(MalformedDatabase, AFileCutWhileItLoadsGivesAResultNotASignal) {
    const std::vector<uint8_t> bytes = dbwriter::Write(SimpleDatabase(3000)).bytes;
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, bytes), 1);
    std::atomic<bool> done{false};
    std::thread cutter([&] {
        while (!done) {
            truncate(device.dbPath().c_str(), 0);
            dbwriter::WriteFile(device.dbPath(), bytes);
        }
    });
    int loaded = 0;
    for (int i = 0; i < 200; ++i) {
        const int result = db.LoadDatabase(device.dbPath());
        ASSERT_TRUE(result == 0 || result == 1 || result == 2) << result;
        if (result == 1) {
            ++loaded;
            EXPECT_EQ(db.viewRowCount, 3000u);
        }
    }
    done = true;
    cutter.join();
    RecordProperty("whole loads", loaded);
}

} // namespace

namespace {

struct Outcome {
    int result = 0;
    std::string message;
    std::string tables; // only when loaded
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << o.result << " [" << o.message << "]\n" << o.tables;
}

Outcome LoadOutcome(const DeviceFixture& device, CItuneDB& db, const std::vector<uint8_t>& bytes) {
    Outcome outcome;
    outcome.result = device.Load(db, bytes);
    outcome.message = db.message;
    if (outcome.result == 1)
        outcome.tables = DescribeTables(db);
    return outcome;
}

// Loads `bytes` into `fresh`, which walks them once, and into a library
// that reloads over an earlier database, which counts first: both must end
// alike.
Outcome LoadBothWays(const DeviceFixture& device, CItuneDB& fresh,
                     const std::vector<uint8_t>& bytes) {
    const Outcome once = LoadOutcome(device, fresh, bytes);
    CItuneDB reloaded;
    EXPECT_EQ(device.Load(reloaded, SimpleDatabase(9)), 1);
    EXPECT_EQ(once, LoadOutcome(device, reloaded, bytes));
    return once;
}

// A first load walks once, counting as it fills; a reload counts first and
// then fills. On any bytes, both must end alike.
TEST(MalformedDatabase, OneWalkAndCountThenFillAgree) {
    std::vector<std::vector<uint8_t>> cases;
    dbwriter::Database shared = SimpleDatabase(5);
    shared.options.dataSetOrder = {1, 1, 1, 2, 2}; // tracks and playlists walked again
    cases.push_back(dbwriter::Write(shared).bytes);
    dbwriter::Database noPlaylists = SimpleDatabase(3);
    noPlaylists.playlists.clear();
    cases.push_back(dbwriter::Write(noPlaylists).bytes);
    dbwriter::Written cut = dbwriter::Write(SimpleDatabase(6));
    cut.bytes[cut.trackOffsets[3]] = 'X';
    cases.push_back(cut.bytes);
    dbwriter::Database real = SampleDeviceDatabase();
    real.options.realDeviceExtras = true;
    const auto original = dbwriter::Write(real).bytes;
    uint32_t seed = 777;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 150; ++round) {
        auto bytes = original;
        for (int k = 0; k < 3; ++k)
            bytes[next() % bytes.size()] = uint8_t(next() >> 16);
        cases.push_back(std::move(bytes));
    }

    DeviceFixture device;
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CItuneDB fresh;
        LoadBothWays(device, fresh, cases[i]);
    }
}

} // namespace

namespace {

// The written data sets with `copies` more of `kind`, 16 bytes each, put
// before data set `target` and leading to its list again.
std::vector<uint8_t> WithRepeatedList(const dbwriter::Written& w, size_t target, uint32_t kind,
                                      uint32_t copies) {
    const size_t set = w.dataSetOffsets[target];
    const size_t list = set + dbwriter::Get32(w.bytes, set + 4) + 16 * size_t(copies);
    std::vector<uint8_t> out(w.bytes.begin(), w.bytes.begin() + std::ptrdiff_t(set));
    for (uint32_t i = 0; i < copies; ++i) {
        const size_t at = out.size();
        out.resize(at + 16);
        std::memcpy(&out[at], "mhsd", 4);
        dbwriter::Put32(out, at + 4, uint32_t(list - at));
        dbwriter::Put32(out, at + 8, 16);
        dbwriter::Put32(out, at + 12, kind);
    }
    out.insert(out.end(), w.bytes.begin() + std::ptrdiff_t(set), w.bytes.end());
    dbwriter::Put32(out, 20, dbwriter::Get32(out, 20) + copies);
    return out;
}

// One named track and 999 bare ones, each with `location` when given.
dbwriter::Database ThousandTracks(const std::optional<std::u16string>& location) {
    dbwriter::Database db = SimpleDatabase(1);
    for (uint32_t id = 2; id <= 1000; ++id) {
        dbwriter::Track bare;
        bare.id = id;
        bare.location = location;
        db.tracks.push_back(bare);
    }
    return db;
}

// Makes the string of the mhod at `object` run on to near the end of the file.
void StretchString(std::vector<uint8_t>& bytes, size_t object) {
    dbwriter::Put32(bytes, object + 28, uint32_t((bytes.size() - object - 40 - 512) & ~size_t(1)));
}

// Lists walked again and again, and strings that claim the rest of the file,
// fill a first load's tables close to the room reserved for them: they must
// still fit, and load as a reload does.
TEST(MalformedDatabase, TheDensestImagesFitTheRoomOfAFirstLoad) {
    constexpr uint32_t kCopies = 30;
    // Padding ('a' bytes) gives each chunk walked its 8 bytes of budget, and
    // 5 % to spare.
    auto repeated = [](const dbwriter::Database& db, size_t target, uint32_t kind,
                       size_t chunksPerWalk) {
        std::vector<uint8_t> bytes = WithRepeatedList(dbwriter::Write(db), target, kind, kCopies);
        bytes.resize(8 * chunksPerWalk * (kCopies + 1) * 21 / 20, 'a');
        return bytes;
    };
    std::vector<std::vector<uint8_t>> cases;
    dbwriter::Database items = SimpleDatabase(2);
    items.playlists[0].items.clear();
    for (uint32_t k = 0; k < 1000; ++k)
        items.playlists[0].items.push_back(1 + k % 2);
    cases.push_back(repeated(items, 1, 2, 1002));
    cases.push_back(repeated(ThousandTracks(std::nullopt), 0, 1, 1002));
    cases.push_back(repeated(ThousandTracks(u"x"), 0, 1, 2002)); // locations, root and all

    const dbwriter::Written simple = dbwriter::Write(SimpleDatabase(2));
    for (const size_t object : {FirstObject(simple, simple.trackOffsets[0]),
                                FirstObject(simple, simple.playlistOffsets[0])}) {
        std::vector<uint8_t> bytes = simple.bytes;
        bytes.resize(bytes.size() + 100000, 'a');
        StretchString(bytes, object);
        cases.push_back(std::move(bytes));
    }

    DeviceFixture device;
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CItuneDB fresh;
        ASSERT_EQ(LoadBothWays(device, fresh, cases[i]).result, 1) << fresh.message;
        if (i == 0) {
            uint64_t members = 0;
            for (uint32_t p = 0; p < fresh.playlistCount; ++p)
                members += fresh.playlists[p].memberCount;
            EXPECT_EQ(members, 1000u * (kCopies + 1));
            EXPECT_GT(members, cases[i].size() / 8 * 9 / 10); // near the room's bound
        }
    }
}

} // namespace
