#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes away.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-test-XXXXXX");
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Absolute path of `relative` inside the folder; "" gives the folder with a trailing "/".
    std::string Path(const std::string& relative = "") const { return path_ + "/" + relative; }

    std::string Write(const std::string& relative, const std::string& content) const {
        const std::string full = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << content;
        return full;
    }

    std::string Read(const std::string& relative) const { return ReadFile(Path(relative)); }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Every entry below `relative`, as sorted relative paths; folders end in "/".
    std::vector<std::string> List(const std::string& relative = "") const {
        const std::filesystem::path root = Path(relative);
        std::vector<std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            std::string name = std::filesystem::relative(entry.path(), root).string();
            if (entry.is_directory() && !entry.is_symlink())
                name += "/";
            entries.push_back(name);
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }

private:
    std::string path_;
};
