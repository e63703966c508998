#include "cli/StopSignals.h"

#include "transfer/CopyJob.h"

#include <atomic>
#include <csignal>
#include <iterator>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kExitBySignal = 128;
// How long an abandoned file may take to let go of the worker.
constexpr auto kAbandonGrace = std::chrono::seconds(1);

// Written from the signal handlers; lock-free atomics are async-signal-safe.
std::atomic<CopyJob*> g_stoppableJob{nullptr};
std::atomic<int> g_firstStopSignal{0};

void ExitAtOnce(int signal) {
    ::_exit(kExitBySignal + signal);
}

void StopJob(int signal) {
    int none = 0;
    CopyJob* job = g_stoppableJob.load();
    if (!job)
        return;
    if (g_firstStopSignal.compare_exchange_strong(none, signal))
        job->cancelRequested.store(true);
    else
        job->abortRequested.store(true);
}

sigset_t StopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kStopSignals)
        sigaddset(&set, signal);
    return set;
}

} // namespace

StopSignalHandler::StopSignalHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kStopSignals); ++i)
        ::sigaction(kStopSignals[i], &action, &previous_[i]);
}

StopSignalHandler::~StopSignalHandler() {
    for (size_t i = 0; i < std::size(kStopSignals); ++i)
        ::sigaction(kStopSignals[i], &previous_[i], nullptr);
}

std::thread StartWithoutStopSignals(std::function<void()> body) {
    // A new thread inherits the mask of the one that starts it.
    const sigset_t stop = StopSignalSet();
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &stop, &previous);
    std::thread thread(std::move(body));
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
}

int RunUntilStopSignal(const std::function<int()>& work) {
    const StopSignalHandler handler(ExitAtOnce);
    int result = 0;
    StartWithoutStopSignals([&] { result = work(); }).join();
    return result;
}

StopSignalsToJob::StopSignalsToJob(CopyJob& job) : handler_(StopJob), job_(job) {
    g_stoppableJob.store(&job);
}

StopSignalsToJob::~StopSignalsToJob() {
    g_stoppableJob.store(nullptr);
}

void StopSignalsToJob::EndIfAbandonHangs() {
    if (!job_.abortRequested.load())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!abandonSeen_) {
        abandonSeen_ = true;
        abandonedAt_ = now;
    } else if (now - abandonedAt_ >= kAbandonGrace) {
        static const char kLine[] = "corvane-cli: the device does not answer; stopped\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
        // What the stuck copy leaves in the output folder, the next run there sweeps.
        ::_exit(StoppedExitCode());
    }
}

int StoppedExitCode() {
    return kExitBySignal + g_firstStopSignal.load();
}
