#pragma once

#include <cstddef>
#include <cstdint>

// Private, zero-filled memory mapped straight from the kernel and backed by
// huge pages where it allows. A load fills tens of megabytes at once; taken
// in 4 KiB pages, the faults cost more than the walks that write them.
// Pages are only reserved: memory is taken as they are first written, a
// whole huge page at a time where huge pages are used.
//
// A mapping of a megabyte or more is laid on whole, aligned huge pages, as
// the kernel backs only those with huge pages; so it may be longer than was
// asked. Huge pages back only the whole ones inside what was asked: the
// part of the last one that was asked for stays on small pages. Pass the size that was asked to
// every call below: each works out the real length from it alike.
//
// `hugePages` false asks for small pages instead, for memory of which only
// a little will be written: a huge page is cleared whole at its first write.
uint8_t* MapAnonymousMemory(size_t size, bool hugePages = true); // null when refused
void UnmapAnonymousMemory(uint8_t* bytes, size_t size);
// Keeps the whole small pages inside `size` bytes at `bytes`, part of a
// mapping, off huge pages; only a hint.
void AdviseSmallPages(uint8_t* bytes, size_t size);
// Gives back the part of a mapping of `size` bytes that one of `smaller`
// bytes does not need, in place.
void ShrinkAnonymousMemory(uint8_t* bytes, size_t size, size_t smaller);
