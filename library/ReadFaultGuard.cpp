#include "library/ReadFaultGuard.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// One per load that is reading its file at the same moment: a handful of
// threads at most.
constexpr int kGuards = 16;

struct Guard {
    std::atomic<uintptr_t> start{0};
    std::atomic<size_t> length{0};
    std::atomic<bool> faulted{false};
};

Guard guards[kGuards];
struct sigaction previousAction {};

Guard* GuardHolding(uintptr_t address) {
    for (Guard& guard : guards) {
        const uintptr_t start = guard.start.load(std::memory_order_acquire);
        const size_t length = guard.length.load(std::memory_order_acquire);
        if (start != 0 && address >= start && address - start < length)
            return &guard;
    }
    return nullptr;
}

void OnBusError(int number, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    if (Guard* guard = GuardHolding(address)) {
        const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
        const uintptr_t from = address & ~(page - 1);
        const uintptr_t end = guard->start.load() + guard->length.load();
        // The rest of the range, not just this page: a file cut short
        // would otherwise fault once for every page after the cut.
        if (mmap(reinterpret_cast<void*>(from), end - from, PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            guard->faulted.store(true);
            return;
        }
    }
    if (previousAction.sa_flags & SA_SIGINFO) {
        if (previousAction.sa_sigaction) {
            previousAction.sa_sigaction(number, info, context);
            return;
        }
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
        previousAction.sa_handler(number);
        return;
    }
    // Not ours and nobody else's: returning re-runs the read, which faults
    // again under the default action and ends the process as SIGBUS.
    signal(SIGBUS, SIG_DFL);
}

void InstallHandler() {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previousAction);
}

} // namespace

int GuardRange(const void* start, size_t length) {
    static std::once_flag installed;
    std::call_once(installed, InstallHandler);
    for (int i = 0; i < kGuards; ++i) {
        uintptr_t free = 0;
        if (guards[i].start.compare_exchange_strong(free, reinterpret_cast<uintptr_t>(start))) {
            guards[i].faulted.store(false);
            guards[i].length.store(length, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

void UnguardRange(int guard) {
    guards[guard].length.store(0, std::memory_order_release);
    guards[guard].start.store(0, std::memory_order_release);
}

bool RangeFaulted(int guard) {
    return guards[guard].faulted.load();
}
