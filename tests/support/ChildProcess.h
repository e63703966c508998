#pragma once

#include <functional>
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
