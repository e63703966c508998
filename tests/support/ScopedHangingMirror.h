#pragma once

#include <chrono>
#include <csignal>
#include <string>
#include <sys/mount.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A read-only mirror of `source` at `mountPoint` through FUSE, in which a
// read of any file called `hangingName` never answers: a device that has
// stopped answering. Needs root (or fuse rights) and Debian's python3-fusepy;
// Mounted() says whether it came up.
class ScopedHangingMirror {
public:
    ScopedHangingMirror(const std::string& source, const std::string& mountPoint,
                        const std::string& hangingName)
        : mountPoint_(mountPoint) {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execl("/usr/bin/python3", "python3", CORVANE_HANGING_FS, source.c_str(),
                    mountPoint.c_str(), hangingName.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int tries = 0; tries < 100 && !mounted_; ++tries) {
            struct statfs fs {};
            mounted_ = ::statfs(mountPoint.c_str(), &fs) == 0 && fs.f_type == kFuseMagic;
            if (!mounted_)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~ScopedHangingMirror() {
        // Killing the server ends the reads it never answered.
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::umount2(mountPoint_.c_str(), MNT_DETACH);
    }
    ScopedHangingMirror(const ScopedHangingMirror&) = delete;
    ScopedHangingMirror& operator=(const ScopedHangingMirror&) = delete;
    bool Mounted() const { return mounted_; }

private:
    static constexpr long kFuseMagic = 0x65735546;
    std::string mountPoint_;
    pid_t pid_ = -1;
    bool mounted_ = false;
};
