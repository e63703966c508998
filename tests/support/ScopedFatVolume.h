#pragma once

#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <thread>

// A small FAT file system for one test, the way an output volume shared
// with Windows behaves: case-insensitive names, and no RENAME_NOREPLACE or
// hard links. The kernel's vfat through a loop device where it may be
// mounted, else fusefat; neither may be possible here, and Mounted() says.
class ScopedFatVolume {
public:
    explicit ScopedFatVolume(const std::string& folder, const std::string& size = "64M")
        : folder_(folder), image_(folder + ".img") {
        ::mkdir(folder.c_str(), 0777);
        if (!Run("truncate -s " + size + " '" + image_ + "' && mkfs.vfat '" + image_ + "'"))
            return;
        if (Run("mount -o loop '" + image_ + "' '" + folder + "'"))
            mounted_ = true, loop_ = true;
        else if (Run("fusefat -o rw+ '" + image_ + "' '" + folder + "'"))
            mounted_ = WaitForMount();
    }
    ~ScopedFatVolume() {
        if (mounted_)
            Run(loop_ ? "umount '" + folder_ + "'" : "fusermount3 -u '" + folder_ + "'");
        ::unlink(image_.c_str());
    }
    ScopedFatVolume(const ScopedFatVolume&) = delete;
    ScopedFatVolume& operator=(const ScopedFatVolume&) = delete;
    bool Mounted() const { return mounted_; }

private:
    static bool Run(const std::string& command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    bool WaitForMount() const {
        for (int tries = 0; tries < 50; ++tries) {
            struct statfs fs {};
            if (::statfs(folder_.c_str(), &fs) == 0 && fs.f_type == kFuseMagic)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    static constexpr long kFuseMagic = 0x65735546;

    std::string folder_, image_;
    bool mounted_ = false, loop_ = false;
};
