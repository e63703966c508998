#include "cli/CopyRun.h"

#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"

int OpenCopySource(const ParsedOptions& options, CopyJob& job, CItuneDB& db, std::ostream& err) {
    if (!PrepareOutputFolder(options.Get("to"), job.outputFolder, err))
        return kExitUsage;
    return OpenDevice(options, db, err);
}

void ApplyCopyOptions(const ParsedOptions& options, CopyJob& job) {
    job.keepOrganized = options.Has("organize");
    job.overwriteExisting = options.Has("overwrite");
    job.skipIdentical = options.Has("skip-identical");
}
