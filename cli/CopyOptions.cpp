#include "cli/CopyRun.h"

void ApplyCopyOptions(const ParsedOptions& options, CopyJob& job) {
    job.keepOrganized = options.Has("organize");
    job.overwriteExisting = options.Has("overwrite");
    job.skipIdentical = options.Has("skip-identical");
    job.writeTags = options.Has("write-tags");
    job.writeCovers = options.Has("covers");
}
