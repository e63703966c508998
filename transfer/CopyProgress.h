#pragma once

#include "transfer/CopyOutcome.h"

// The worker's progress message and its wParam values. The numbers are kept
// from the message protocol the transfer dialog speaks, so logs and tests
// read the same on every side.
inline constexpr int WM_COPY_PROGRESS = 0x8006;
inline constexpr int COPY_START = 0; // the dialog to itself: start the worker
inline constexpr int COPY_DONE = 1;  // the worker, once, as its last act
inline constexpr int COPY_NEXT = 2;  // the worker, once per checked row, before its copy

// Where the worker posts WM_COPY_PROGRESS. Both calls run on the worker
// thread and must return at once: queue the message for the owner's thread
// and never wait for that thread (the owner may be blocked waiting for the
// worker to end).
class CopyProgressSink {
public:
    virtual ~CopyProgressSink() = default;

    // wParam is COPY_NEXT. The worker holds g_trackTableLock during this
    // call, so an implementation must not take a list's display lock.
    virtual void Post(int wParam) = 0;

    // COPY_DONE with the result of the walk; the sink takes the outcome
    // over (move it into the queued event). Always the worker's last call.
    virtual void PostDone(CopyOutcome outcome) = 0;
};
