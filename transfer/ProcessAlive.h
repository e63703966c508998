#pragma once

#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

// Whether the process `pid` still runs, for files a process leaves behind
// while it works: one of another user's counts as running too.
inline bool ProcessIsAlive(pid_t pid) {
    return pid > 0 && (pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM);
}
