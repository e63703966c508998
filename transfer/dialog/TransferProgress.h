#pragma once

#include "transfer/CopyOutcome.h"

#include <QString>

// What the transfer dialog shows at each step of a transfer, kept apart
// from the widgets so every state can be checked without a window.
//
// Initialising -> Copying (COPY_START) -> [Cancelling (button)] -> Finished
// (COPY_DONE). The bar counts up to the full number of checked rows, with
// no 16-bit limit.
class TransferProgress {
public:
    enum class Phase { Initialising, Copying, Cancelling, Finished };
    // What pressing the button (or Enter) does in the current state.
    enum class ButtonAction { Cancel, ShowFailures, Finish };

    explicit TransferProgress(int totalChecked);

    void Start();                          // COPY_START
    void Next();                           // COPY_NEXT
    void RequestCancel();                  // the button while copying
    void Done(const CopyOutcome& outcome); // COPY_DONE
    void FailuresShown();                  // the failure list was looked at

    Phase phase() const { return phase_; }
    int filesStarted() const { return filesStarted_; }
    QString labelText() const;
    QString buttonText() const;
    bool buttonVisible() const { return phase_ != Phase::Cancelling; }
    ButtonAction buttonAction() const;
    int barMaximum() const;
    int barValue() const;
    // Escape and the window's close request may only end a finished dialog.
    bool mayClose() const { return phase_ == Phase::Finished; }

private:
    // Failed or untagged files: what the list shows.
    bool HasList() const { return failedCount_ > 0 || untaggedCount_ > 0; }
    QString ListSummary() const;

    int totalChecked_;
    int filesStarted_ = 0;
    uint32_t failedCount_ = 0;
    size_t untaggedCount_ = 0;
    bool failuresShown_ = false;
    Phase phase_ = Phase::Initialising;
};
