#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a forked child, for tests that change what the process may
// do (its user, its file size limit), and gives the child's exit status.
inline int RunInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// In such a child: drops root to the nobody user, since root writes
// anywhere. False when that fails.
inline bool BecomeOrdinaryUser() {
    return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
}

// Runs `body` in a child as an ordinary user, who may enter each folder of
// `open` but cannot write into `locked` (made here, mode 0555): the way to
// meet a folder that refuses writes when the tests run as root. 99 when the
// child could not drop root.
inline int RunWithLockedFolder(const std::string& locked, std::initializer_list<std::string> open,
                               const std::function<int()>& body) {
    ::mkdir(locked.c_str(), 0555);
    for (const std::string& folder : open)
        ::chmod(folder.c_str(), 0755);
    return RunInChild([&] { return BecomeOrdinaryUser() ? body() : 99; });
}
