#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/corvane-test-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // Without a directory every path would land in "/": stop the test run.
    if (!mkdtemp(buffer.data()))
        std::abort();
    root = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!root.empty())
        std::filesystem::remove_all(root, ignored);
}
