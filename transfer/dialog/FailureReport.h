#pragma once

#include "transfer/CopyOutcome.h"

#include <QString>

// The list of tracks a transfer could not copy, one line per track with the
// reason and the source path tried, for the user to act on; then the copies
// that could not be tagged, with the reason and the copy's path.
QString FailureReportText(const CopyOutcome& outcome);
