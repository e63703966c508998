#include "transfer/dialog/CopyProgressEvent.h"

#include <QCoreApplication>

void PostingProgressSink::Post(int wParam) {
    QCoreApplication::postEvent(target_, new CopyProgressEvent(wParam));
}

void PostingProgressSink::PostDone(CopyOutcome outcome) {
    QCoreApplication::postEvent(target_, new CopyProgressEvent(COPY_DONE, std::move(outcome)));
}
