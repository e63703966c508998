#pragma once

#include <cstdint>
#include <string>

// "[#####...............]": `done` of `total` as a 20-cell bar for a
// terminal line; full when there is nothing to do.
std::string TextBar(uint64_t done, uint64_t total);
