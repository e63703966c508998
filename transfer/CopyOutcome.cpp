#include "transfer/CopyOutcome.h"

const char* CopyFailureText(CopyFailureReason reason) {
    switch (reason) {
    case CopyFailureReason::SourceMissing:
        return "source missing";
    case CopyFailureReason::SourceUnreadable:
        return "source unreadable";
    case CopyFailureReason::DestinationNotWritable:
        return "destination not writable";
    case CopyFailureReason::DiskFull:
        return "disk full";
    case CopyFailureReason::NoFreeName:
        return "no free name";
    }
    return "unknown failure";
}
