// Hostile images of the kinds the reader has been mended for, kept in
// fuzz/database/regressions with any input the fuzzer finds to break it:
// tools/run-fuzz replays them and starts from them, and here each must load
// to the result written beside its name. Zero-length chunks among counts
// that claim billions, strings that claim the rest of the file or run past
// it, lists walked again and again until the tables fill the room a first
// load reserves, a compressed stream past the inflate bound, cuts mid-string.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "LoadHelpers.h"
#include "support/ScratchFolder.h"

namespace {

const char* const kCountError = "Error Occur In TraverseItuneDBCount\r\n";

struct KeptInput {
    const char* file;
    int result;
    const char* message; // of a load that fails (0) or finds nothing (2)
    uint32_t masterRows; // of a load that succeeds (1): the master playlist's view
};

const KeptInput kKept[] = {
    {"compressed-past-the-inflate-bound", 0, kCountError, 0},
    {"cut-inside-a-track-string", 0, kCountError, 0},
    {"string-past-the-end-of-the-file", 0, kCountError, 0},
    {"strings-claiming-the-rest-of-the-file", 0, kCountError, 0},
    {"zero-length-data-set-among-countless", 2, "No songs\r\n", 0},
    {"zero-length-playlist-item", 2, "  Read mhlp\r\nNo Play List\r\n", 0},
    {"playlist-cut-among-its-items", 1, nullptr, 4},
    {"playlist-list-walked-again-and-again", 1, nullptr, 2},
    {"title-claiming-the-padding-after-it", 1, nullptr, 2},
    {"track-reaching-past-its-data-set", 1, nullptr, 3},
    {"zero-length-track", 1, nullptr, 1},
};

TEST(FuzzRegressions, EveryKeptInputLoadsToItsDocumentedResult) {
    const std::filesystem::path folder = CORVANE_FUZZ_REGRESSIONS;
    DeviceFixture device;
    std::set<std::string> documented;
    for (const KeptInput& kept : kKept) {
        SCOPED_TRACE(kept.file);
        documented.insert(kept.file);
        const std::string bytes = ScratchFolder::ReadFile(folder / kept.file);
        ASSERT_FALSE(bytes.empty());
        CItuneDB db;
        ASSERT_EQ(device.Load(db, std::vector<uint8_t>(bytes.begin(), bytes.end())), kept.result)
            << db.message;
        if (kept.result != 1) {
            EXPECT_EQ(db.message, kept.message);
            continue;
        }
        EXPECT_EQ(db.viewRowCount, kept.masterRows);
        // Every view builds, and every string in it reads (ASan watches).
        EXPECT_EQ(DescribeTables(db).find("(no view)"), std::string::npos);
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_TRUE(documented.count(entry.path().filename()))
            << entry.path() << " is kept without a documented result";
}

} // namespace
