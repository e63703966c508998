#include "library/EntryFileHeader.h"

namespace {

constexpr size_t kHeaderLength = 4;
constexpr size_t kEntryLength = 8;
constexpr size_t kEntryCount = 12;
constexpr size_t kHeaderFixed = 16;

} // namespace

bool ReadEntryFileHeader(const ByteReader& reader, size_t size, const char (&tag)[5],
                         size_t shortestEntry, size_t entryLengthWhenZero, EntryFileHeader& out,
                         std::string& why) {
    if (!reader.Has(0, kHeaderFixed) || !reader.TagIs(0, tag)) {
        why = size == 0 ? "empty" : std::string("no ") + tag + " header";
        return false;
    }
    out.headerLength = reader.U32(kHeaderLength);
    out.entryLength = reader.U32(kEntryLength);
    if (out.entryLength == 0)
        out.entryLength = entryLengthWhenZero;
    out.count = reader.U32(kEntryCount);
    if (out.headerLength < kHeaderFixed || out.headerLength > size) {
        why = "header length " + std::to_string(out.headerLength);
        return false;
    }
    if (out.entryLength < shortestEntry) {
        why = "entry length " + std::to_string(out.entryLength);
        return false;
    }
    out.fitting = (size - out.headerLength) / out.entryLength;
    return true;
}
