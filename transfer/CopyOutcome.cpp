#include "transfer/CopyOutcome.h"

#include <cerrno>

CopyFailureReason DestinationFailureOf(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG
               ? CopyFailureReason::DiskFull
               : CopyFailureReason::DestinationNotWritable;
}

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
