#pragma once

#include <cstddef>
#include <cstdint>

// Private, zero-filled memory mapped straight from the kernel and backed by
// huge pages where it allows. A load fills tens of megabytes at once; taken
// in 4 KiB pages, the faults cost more than the walks that write them.
// Pages are only reserved: memory is taken as they are first written.
// Null when the kernel refuses the mapping.
uint8_t* MapAnonymousMemory(size_t size);
void UnmapAnonymousMemory(uint8_t* bytes, size_t size);
