#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One On-The-Go playlist file (mhpo): the playlist made on the device since
// its last sync, as indexes into the database's tracks in file order (0 is
// the first mhit). Returns the indexes as stored; where the file is
// malformed, those read before the fault, with a line in `message` naming
// `fileName` and why.
std::vector<uint32_t> ReadOnTheGoIndexes(const uint8_t* bytes, size_t size,
                                         const std::string& fileName, std::string& message);
