// iTunesCDB: the compressed form newer iPods keep, and which file of a
// volume is the database.
#include <gtest/gtest.h>

#include <filesystem>
#include <zlib.h>

#include "LoadHelpers.h"
#include "library/CompressedImage.h"
#include "support/SampleDevice.h"

namespace {

const char* const kCountError = "Error Occur In TraverseItuneDBCount\r\n";

std::vector<uint8_t> RealPlainDatabase() {
    dbwriter::Database desc = SampleDeviceDatabase();
    desc.options.realDeviceExtras = true;
    return dbwriter::Write(desc).bytes;
}

TEST(CompressedDatabase, LoadsTheSameTablesAsItsPlainTwin) {
    const std::vector<uint8_t> plain = RealPlainDatabase();
    const std::vector<uint8_t> packed = dbwriter::Compress(plain);
    ASSERT_LT(packed.size(), plain.size());
    ASSERT_EQ(packed[0xF4], 0x78);
    ASSERT_EQ(packed[0xF5], 0x01);
    DeviceFixture plainDevice, packedDevice;
    CItuneDB a, b;
    ASSERT_EQ(plainDevice.Load(a, plain), 1);
    ASSERT_EQ(packedDevice.LoadAsCdb(b, packed), 1);
    EXPECT_EQ(a.message, b.message);
    EXPECT_EQ(a.playlistCount, b.playlistCount);
    // Locations hang off each fixture's own volume; compare them relative.
    std::string described = DescribeTables(b);
    for (size_t at; (at = described.find(packedDevice.volume())) != std::string::npos;)
        described.replace(at, packedDevice.volume().size(), plainDevice.volume());
    EXPECT_EQ(DescribeTables(a), described);
}

TEST(CompressedDatabase, TheBytesTellTheFormNotTheName) {
    const std::vector<uint8_t> plain = dbwriter::Write(SimpleDatabase(3)).bytes;
    DeviceFixture device;
    CItuneDB db;
    ASSERT_EQ(device.Load(db, dbwriter::Compress(plain)), 1); // flag 2 named iTunesDB
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2", "t3"}));
    ASSERT_EQ(device.LoadAsCdb(db, plain), 1); // flag 1 named iTunesCDB
    EXPECT_EQ(ViewTitles(db), (std::vector<std::string>{"t1", "t2", "t3"}));
}

TEST(CompressedDatabase, BadStreamsFailWithTheCountingMessage) {
    const std::vector<uint8_t> packed = dbwriter::Compress(RealPlainDatabase());
    const size_t header = dbwriter::Get32(packed, 4);
    std::vector<std::vector<uint8_t>> bad;
    for (size_t cut : {size_t(1), size_t(4), (packed.size() - header) / 2, packed.size() - header})
        bad.emplace_back(packed.begin(), packed.end() - std::ptrdiff_t(cut));
    std::vector<uint8_t> checksum = packed;
    checksum.back() ^= 0x01;
    bad.push_back(checksum);
    std::vector<uint8_t> corrupt = packed;
    corrupt[header + 1] ^= 0xFF; // the stream's own header check fails
    bad.push_back(corrupt);
    std::vector<uint8_t> damaged = packed;
    for (size_t i = header + 40; i < header + 80; ++i)
        damaged[i] = 0xFF;
    bad.push_back(damaged);
    DeviceFixture device;
    CItuneDB db;
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(device.LoadAsCdb(db, bad[i]), 0) << "case " << i;
        EXPECT_EQ(db.message, kCountError) << "case " << i;
    }
}

// A header, then a stream of `zeros` zero bytes at the strongest level.
std::vector<uint8_t> ZipBomb(size_t zeros) {
    std::vector<uint8_t> file = dbwriter::Compress(dbwriter::Write(SimpleDatabase(1)).bytes);
    file.resize(dbwriter::Get32(file, 4));
    z_stream stream{};
    EXPECT_EQ(deflateInit(&stream, 9), Z_OK);
    const std::vector<uint8_t> block(1 << 20, 0);
    std::vector<uint8_t> out(1 << 16);
    for (size_t left = zeros; left > 0 || stream.avail_in > 0;) {
        if (stream.avail_in == 0) {
            const size_t take = std::min(left, block.size());
            stream.next_in = const_cast<Bytef*>(block.data());
            stream.avail_in = uInt(take);
            left -= take;
        }
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        deflate(&stream, left == 0 ? Z_FINISH : Z_NO_FLUSH);
        file.insert(file.end(), out.data(), out.data() + (out.size() - stream.avail_out));
    }
    for (int status = Z_OK; status != Z_STREAM_END;) {
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        status = deflate(&stream, Z_FINISH);
        file.insert(file.end(), out.data(), out.data() + (out.size() - stream.avail_out));
    }
    deflateEnd(&stream);
    return file;
}

TEST(CompressedDatabase, AZipBombIsRefused) {
    // 256 MiB of zeros packs into about 256 KB, far past the ratio.
    const std::vector<uint8_t> bomb = ZipBomb(size_t(256) << 20);
    ASSERT_LT(bomb.size() * kLargestInflateRatio, size_t(256) << 20);
    DeviceFixture device;
    CItuneDB db;
    EXPECT_EQ(device.LoadAsCdb(db, bomb), 0);
    EXPECT_EQ(db.message, kCountError);
}

TEST(DatabaseChoice, ANonEmptyCdbWinsElseTheDbInAnyCase) {
    TempDir dir;
    const std::string volume = dir / "vol";
    const std::filesystem::path folder = dir / "vol/IPOD_CONTROL/itunes";
    EXPECT_EQ(ChooseDatabaseOnVolume(volume), "");
    std::filesystem::create_directories(folder);
    dbwriter::WriteFile(folder / "ITUNESCDB", {});
    EXPECT_EQ(ChooseDatabaseOnVolume(volume), folder / "ITUNESCDB"); // nothing better
    dbwriter::WriteFile(folder / "itunesdb", {1});
    EXPECT_EQ(ChooseDatabaseOnVolume(volume), folder / "itunesdb");
    dbwriter::WriteFile(folder / "ITUNESCDB", {1});
    EXPECT_EQ(ChooseDatabaseOnVolume(volume), folder / "ITUNESCDB");
}

} // namespace
