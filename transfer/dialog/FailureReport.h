#pragma once

#include "transfer/CopyOutcome.h"

#include <QString>

// The list of tracks a transfer could not copy, one line per track with the
// reason and the source path tried, for the user to act on.
QString FailureReportText(const CopyOutcome& outcome);
