#pragma once

#include <cstddef>

// A file mapped from a removable device turns a read into SIGBUS once the
// device is gone or the file is cut short under the map. While a range is
// guarded, such a fault is answered by putting zeroed pages in place of
// the rest of the range and noting it; the reader runs on over zeros (its
// reads are bounds-checked anyway) and learns afterwards that what it read
// is not the file. A fault anywhere else goes to whoever handled SIGBUS
// before, or kills the process as it would have.
//
// Guards are few and process-wide; -1 when every one is taken.
int GuardRange(const void* start, size_t length);
void UnguardRange(int guard); // before the range is unmapped
bool RangeFaulted(int guard);
