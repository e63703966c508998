#pragma once

#include "transfer/CopyProgress.h"

#include <QEvent>

class QObject;

// WM_COPY_PROGRESS as a Qt event: posted to the transfer dialog, by the
// dialog itself (COPY_START) or by the worker thread (COPY_NEXT, COPY_DONE).
class CopyProgressEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(WM_COPY_PROGRESS);

    explicit CopyProgressEvent(int wParam, CopyOutcome outcome = {})
        : QEvent(kType), wParam(wParam), outcome(std::move(outcome)) {}

    const int wParam;
    CopyOutcome outcome; // meaningful with COPY_DONE only
};

// The worker's sink that posts CopyProgressEvents to `target`. Posting only
// queues the event, so the worker never waits for the window's thread. The
// target must outlive the worker.
class PostingProgressSink : public CopyProgressSink {
public:
    explicit PostingProgressSink(QObject* target) : target_(target) {}

    void Post(int wParam) override;
    void PostDone(CopyOutcome outcome) override;

private:
    QObject* target_;
};
