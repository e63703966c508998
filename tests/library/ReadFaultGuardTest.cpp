// A database mapped from a device that goes away mid-read: the reads see
// zeros and the buffer says so, and a fault outside our maps is still fatal.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "library/CompressedImage.h"
#include "library/ImageBuffer.h"
#include "library/ReadFaultGuard.h"
#include "support/ItunesDbWriter.h"
#include "support/LargeDatabase.h"
#include "support/TempDir.h"

namespace {

const size_t kPage = size_t(sysconf(_SC_PAGESIZE));

class MappedFile : public ::testing::Test {
protected:
    // A file of `pages` pages, each filled with its number plus one.
    int Open(size_t pages) {
        std::vector<uint8_t> bytes(pages * kPage);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = uint8_t(i / kPage + 1);
        return Open(bytes);
    }
    int Open(const std::vector<uint8_t>& bytes) {
        EXPECT_TRUE(dbwriter::WriteFile(path, bytes));
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_GE(fd, 0);
        return fd;
    }
    void Cut(size_t size) { ASSERT_EQ(truncate(path.c_str(), off_t(size)), 0); }
    void TearDown() override {
        if (fd >= 0)
            close(fd);
    }

    TempDir dir;
    std::string path = dir / "iTunesDB";
    int fd = -1;
};

uint8_t ReadByte(const ImageBuffer& image, size_t at) {
    return static_cast<volatile const uint8_t*>(image.data())[at];
}

TEST_F(MappedFile, AFileCutUnderTheMapReadsAsZerosAndIsNoted) {
    ImageBuffer image;
    ASSERT_TRUE(image.MapFile(Open(4), 4 * kPage));
    EXPECT_EQ(ReadByte(image, 3 * kPage), 4);
    EXPECT_FALSE(image.Faulted());

    Cut(kPage + 10);
    EXPECT_EQ(ReadByte(image, 2 * kPage + 5), 0);
    EXPECT_EQ(ReadByte(image, 3 * kPage), 0); // the rest of the map with it
    EXPECT_TRUE(image.Faulted());
    EXPECT_EQ(ReadByte(image, 5), 1); // what was read before stays the file's

    // A new map of the same guard slot starts clean.
    image.Release();
    ImageBuffer again;
    ASSERT_TRUE(again.MapFile(fd, kPage));
    EXPECT_EQ(ReadByte(again, 0), 1);
    EXPECT_FALSE(again.Faulted());
}

TEST_F(MappedFile, ACompressedFileCutWhileItInflatesIsRefused) {
    const auto packed = dbwriter::Compress(dbwriter::Write(LargeDatabase(3000, 10, 100)).bytes);
    ImageBuffer image;
    ASSERT_TRUE(image.MapFile(Open(packed), packed.size()));
    ASSERT_TRUE(IsCompressedImage(image));
    ASSERT_GT(packed.size(), 4 * kPage);
    Cut(kPage); // the header stays; the stream is cut short
    EXPECT_FALSE(ExpandCompressedImage(image));
}

TEST_F(MappedFile, GuardsAreFewAndComeBackWhenReleased) {
    Open(1);
    std::vector<std::unique_ptr<ImageBuffer>> maps;
    for (;;) {
        auto image = std::make_unique<ImageBuffer>();
        if (!image->MapFile(fd, kPage))
            break;
        maps.push_back(std::move(image));
        ASSERT_LT(maps.size(), 1000u) << "guards never run out";
    }
    ASSERT_GE(maps.size(), 4u); // a few loads at once
    maps.pop_back();
    ImageBuffer last;
    EXPECT_TRUE(last.MapFile(fd, kPage));
}

// A sanitizer build handles SIGBUS itself before us: the fault must reach it.
#if defined(__SANITIZE_ADDRESS__)
const auto kFaultEnds = ::testing::ExitedWithCode(1);
const char* const kFaultReport = "BUS on unknown address";
#else
const auto kFaultEnds = ::testing::KilledBySignal(SIGBUS);
const char* const kFaultReport = "";
#endif

TEST_F(MappedFile, AFaultOutsideEveryGuardStillEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ImageBuffer guarded; // the handler is in place, and a range guarded
            if (!guarded.MapFile(Open(2), 2 * kPage))
                _exit(3);
            void* other = mmap(nullptr, 2 * kPage, PROT_READ, MAP_PRIVATE, fd, 0);
            Cut(0);
            _exit(static_cast<volatile uint8_t*>(other)[kPage]);
        },
        kFaultEnds, kFaultReport);
}

} // namespace
