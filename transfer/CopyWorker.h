#pragma once

#include "transfer/CopyJob.h"

// The body of a transfer; runs on a thread of its own. Walks job->rows in
// table order and copies the file of every checked row into
// job->outputFolder, posting COPY_NEXT before each checked row and exactly
// one COPY_DONE (with the outcome) as its last act, also after a cancel.
// Never throws; returns 0 as the thread's exit code.
unsigned CopyWorkerProc(CopyJob* job);
