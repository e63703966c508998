#include "transfer/dialog/TransferProgress.h"

#include <algorithm>

TransferProgress::TransferProgress(int totalChecked) : totalChecked_(std::max(totalChecked, 0)) {}

void TransferProgress::Start() {
    if (phase_ == Phase::Initialising)
        phase_ = Phase::Copying;
}

void TransferProgress::Next() {
    ++filesStarted_;
}

void TransferProgress::RequestCancel() {
    if (phase_ == Phase::Copying)
        phase_ = Phase::Cancelling;
}

void TransferProgress::Done(const CopyOutcome& outcome) {
    failedCount_ = outcome.failedCount;
    untaggedCount_ = outcome.untagged.size();
    phase_ = Phase::Finished;
}

void TransferProgress::FailuresShown() {
    failuresShown_ = true;
}

QString TransferProgress::labelText() const {
    switch (phase_) {
    case Phase::Initialising:
        return QStringLiteral("Copying file");
    case Phase::Copying:
        // The first file is announced before its COPY_NEXT arrives, so the
        // count never reads 0.
        return QStringLiteral("Copying music %1 of %2...")
            .arg(std::max(filesStarted_, 1))
            .arg(totalChecked_);
    case Phase::Cancelling:
        return QStringLiteral("Canceling - Please wait...");
    case Phase::Finished:
        break;
    }
    QString text = QStringLiteral("Finished %1 of %2...").arg(filesStarted_).arg(totalChecked_);
    if (HasList())
        text += QLatin1Char('\n') + ListSummary();
    return text;
}

// One line, so that the label never grows over the bar.
QString TransferProgress::ListSummary() const {
    QString failed;
    if (failedCount_ == 1)
        failed = QStringLiteral("1 file could not be copied");
    else if (failedCount_ > 1)
        failed = QStringLiteral("%1 files could not be copied").arg(failedCount_);
    if (untaggedCount_ == 0)
        return failed;
    if (!failed.isEmpty())
        return failed + QStringLiteral(", %1 not tagged").arg(untaggedCount_);
    return untaggedCount_ == 1
               ? QStringLiteral("1 copy could not be tagged")
               : QStringLiteral("%1 copies could not be tagged").arg(untaggedCount_);
}

TransferProgress::ButtonAction TransferProgress::buttonAction() const {
    if (phase_ != Phase::Finished)
        return ButtonAction::Cancel;
    return HasList() && !failuresShown_ ? ButtonAction::ShowFailures : ButtonAction::Finish;
}

QString TransferProgress::buttonText() const {
    switch (buttonAction()) {
    case ButtonAction::Cancel:
        return QStringLiteral("Cancel");
    case ButtonAction::ShowFailures:
        return QStringLiteral("Show list");
    case ButtonAction::Finish:
        break;
    }
    return QStringLiteral("Finish");
}

// A bar of range 0..0 turns into a busy indicator; an empty transfer shows
// an empty bar that fills at the end instead.
int TransferProgress::barMaximum() const {
    return std::max(totalChecked_, 1);
}

int TransferProgress::barValue() const {
    if (phase_ == Phase::Finished)
        return barMaximum();
    return std::min(filesStarted_, barMaximum());
}
