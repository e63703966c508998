#pragma once

#include <cstddef>

#include "library/ByteReader.h"
#include "library/ChunkLayout.h"

// How the test of a chunk in a list came out: it is the chunk asked for; it
// is not (another tag), which ends the list; its total length is below its
// fixed fields, which also ends the list (the chunk would be its own
// sibling); or a read would leave the image, which ends the whole walk.
enum class ChunkStep { Matched, Stopped, Short, Fault };

// The tag and the fixed fields of the chunk at `at`, without entering it.
inline ChunkStep TestChunkHead(const ByteReader& reader, size_t at, const char (&tag)[5],
                               size_t fixed) {
    if (!reader.Has(at, 4))
        return ChunkStep::Fault;
    if (!reader.TagIs(at, tag))
        return ChunkStep::Stopped;
    return reader.Has(at, fixed) ? ChunkStep::Matched : ChunkStep::Fault;
}

// Enters the chunk at `at`, spending one unit of a budget that a real file
// never exhausts, so chunks whose children point back into shared bytes
// cannot make a walk quadratic. On Matched its total length is at least
// `fixed`, though it may still reach past the image.
inline ChunkStep EnterChunk(const ByteReader& reader, size_t at, const char (&tag)[5], size_t fixed,
                            size_t& budget) {
    if (const ChunkStep head = TestChunkHead(reader, at, tag, fixed); head != ChunkStep::Matched)
        return head;
    if (budget == 0)
        return ChunkStep::Fault;
    --budget;
    return reader.U32(at + chunk::kTotalLength) < fixed ? ChunkStep::Short : ChunkStep::Matched;
}
