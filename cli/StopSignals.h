#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <iterator>
#include <thread>

struct CopyJob;

// How Ctrl-C, SIGTERM and SIGHUP end a run, as 128 plus the signal's number.
// Work that may touch the device runs on a thread of its own with these
// signals blocked, so that they always reach a thread that is free to act
// on them: a device that stops answering holds its reader in the kernel,
// where no handler of that thread would ever run.

inline constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Routes the stop signals to `handler` while it lives. A signal that the
// starting shell set to be ignored (a job started with & by a script) is
// taken over too: a user who sends it wants the run to stop.
class StopSignalHandler {
public:
    explicit StopSignalHandler(void (*handler)(int));
    ~StopSignalHandler();
    StopSignalHandler(const StopSignalHandler&) = delete;
    StopSignalHandler& operator=(const StopSignalHandler&) = delete;

private:
    struct sigaction previous_[std::size(kStopSignals)]{};
};

// Runs `work` and gives its result. A stop signal meanwhile ends the process
// at once: a load holds nothing worth finishing, and nothing is written yet.
int RunUntilStopSignal(const std::function<int()>& work);

// Starts `body` on a thread on which the stop signals are blocked.
std::thread StartWithoutStopSignals(std::function<void()> body);

// While it lives, the first stop signal cancels `job` after the current
// file and the next one abandons that file.
class StopSignalsToJob {
public:
    explicit StopSignalsToJob(CopyJob& job);
    ~StopSignalsToJob();
    StopSignalsToJob(const StopSignalsToJob&) = delete;
    StopSignalsToJob& operator=(const StopSignalsToJob&) = delete;

    // Called while waiting for the worker: once the file was abandoned and
    // the worker has not come back within a moment, ends the process.
    void EndIfAbandonHangs();

private:
    StopSignalHandler handler_;
    const CopyJob& job_;
    bool abandonSeen_ = false;
    std::chrono::steady_clock::time_point abandonedAt_{};
};

// 128 plus the first stop signal's number, as a shell reports it.
int StoppedExitCode();
