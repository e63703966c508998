#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

#include "transfer/CopyProgress.h"

// The worker's posts, queued for the main thread, which draws the progress.
class QueuedProgress : public CopyProgressSink {
public:
    void Post(int) override {
        std::lock_guard lock(mutex_);
        ++started_;
        changed_.notify_one();
    }
    void PostDone(CopyOutcome outcome) override {
        std::lock_guard lock(mutex_);
        outcome_ = std::move(outcome);
        changed_.notify_one();
    }
    // Waits until something is posted or a redraw is due; gives the
    // number of rows started and, once the walk is over, its outcome.
    uint32_t Wait(std::optional<CopyOutcome>& outcome) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(200));
        if (outcome_)
            outcome = std::move(outcome_);
        return started_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    uint32_t started_ = 0;
    std::optional<CopyOutcome> outcome_;
};
