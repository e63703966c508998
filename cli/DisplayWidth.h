#pragma once

#include <cstddef>
#include <string_view>

// The terminal columns UTF-8 text takes, as wcwidth counts them: East Asian
// wide and full-width characters two, combining marks and other zero-width
// characters none, the rest one. A byte that is no part of UTF-8 counts one.
size_t DisplayWidth(std::string_view utf8);
