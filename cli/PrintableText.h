#pragma once

#include <string>

// Database text shown on a terminal: control characters, C1 ones included
// (U+0080..U+009F, C2 80..C2 9F in UTF-8), could move the cursor, retitle the
// window or break a table's lines, so they become "?". Directional controls
// would turn the rest of a line around; they are shown as "<U+202E>".
std::string Printable(const std::string& text);
