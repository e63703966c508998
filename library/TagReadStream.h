#pragma once

#include <cstdint>
#include <string>

#include <taglib/tiostream.h>

// A device file as TagLib reads it: read-only, and with a ceiling on what
// one file may cost. TagLib finds tags and audio frames by scanning, a
// kilobyte a read, and in a file that holds none (zeros, noise) it scans to
// the end, gigabytes for one hostile file. Past the ceiling the file reads
// as if it ended there, so every scan stops. Real files take a few dozen
// reads, and each tag is a single read, however large its artwork.
class TagReadStream final : public TagLib::IOStream {
public:
    static constexpr uint32_t kMaxReads = 1024;
    static constexpr uint64_t kMaxBytes = uint64_t(64) << 20;

    // Takes over `fd`, open for reading, and closes it; `path` only names
    // the file, whose extension tells TagLib the format.
    TagReadStream(int fd, std::string path, uint64_t size);
    ~TagReadStream() override;
    TagReadStream(const TagReadStream&) = delete;
    TagReadStream& operator=(const TagReadStream&) = delete;

    TagLib::FileName name() const override { return path_.c_str(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position from = Beginning) override;
    long tell() const override { return position_; }
    long length() override { return size_; }

    // Nothing is ever written to the device.
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    void truncate(long) override {}

private:
    int fd_;
    std::string path_;
    long size_;
    // Seeking is bookkeeping alone: once the reads are spent, TagLib's
    // backward scans still step through the rest of a large file.
    long position_ = 0;
    uint32_t readsLeft_ = kMaxReads;
    uint64_t bytesLeft_ = kMaxBytes;
};

// Opens `path` read-only for a TagReadStream, without waiting on a FIFO a
// crafted name may point at. Opening it ourselves tells a vanished or
// locked file from one whose content TagLib does not understand. -1 unless
// it is a regular file; `size` gets its size.
int OpenRegularFileForTags(const std::string& path, uint64_t& size);
