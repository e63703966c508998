#pragma once
// The fuzzers' device: a folder of this process's own on a memory file
// system, made once and removed when the process ends, into which each
// input's bytes are written as the device's files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzdevice {

inline std::string& Root() {
    static std::string root;
    return root;
}

// `inside` below the device's root, ending in '/'; empty when it cannot be
// made. One process fuzzes one target, so the first call names the folder.
inline const std::string& Folder(const char* inside) {
    static const std::string folder = [inside] {
        char base[] = "/dev/shm/corvane-fuzz-XXXXXX";
        if (!mkdtemp(base))
            return std::string();
        Root() = base;
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(Root(), error);
        });
        const std::string path = Root() + "/" + inside;
        std::error_code error;
        std::filesystem::create_directories(path, error);
        return error ? std::string() : path;
    }();
    return folder;
}

inline bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

} // namespace fuzzdevice
