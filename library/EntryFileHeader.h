#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "library/ByteReader.h"

// The header the files an iPod writes beside its database share (Play
// Counts "mhdp", On-The-Go "mhpo"): the tag, then the header length at 4,
// the length of one entry at 8 and the number of entries at 12. Entries
// start at the header length.
struct EntryFileHeader {
    size_t headerLength = 0;
    size_t entryLength = 0;
    uint32_t count = 0;
    uint64_t fitting = 0; // entries the file's bytes hold, whatever `count` says
};

// Reads and checks the header of a file of `size` bytes: its tag, a header
// length inside the file and an entry length of at least `shortestEntry`
// (`entryLengthWhenZero` stands for a stored 0). False with the reason in
// `why`.
bool ReadEntryFileHeader(const ByteReader& reader, size_t size, const char (&tag)[5],
                         size_t shortestEntry, size_t entryLengthWhenZero, EntryFileHeader& out,
                         std::string& why);
