#pragma once

#include <utility>

#include "transfer/CopyProgress.h"

// The copy benchmarks' owner: it keeps the outcome and drops the progress.
class OutcomeSink : public CopyProgressSink {
public:
    void Post(int) override {}
    void PostDone(CopyOutcome result) override { outcome = std::move(result); }
    CopyOutcome outcome;
};
