#include "cli/CopyRun.h"

#include <csignal>
#include <ostream>

#include "cli/CopyProgressLine.h"
#include "cli/PrintableText.h"
#include "cli/QueuedProgress.h"
#include "cli/StopSignals.h"
#include "transfer/CopyWorker.h"

namespace {

// Runs the worker on its own thread, as the window does, and shows its
// progress until COPY_DONE.
CopyOutcome RunWorker(CopyJob& job, QueuedProgress& progress, ProgressDisplay& display) {
    StopSignalsToJob signals(job);
    std::thread worker = StartWithoutStopSignals([&job] { CopyWorkerProc(&job); });
    std::optional<CopyOutcome> outcome;
    while (!outcome) {
        display.Show(progress.Wait(outcome));
        signals.EndIfAbandonHangs();
    }
    worker.join();
    display.Finish();
    return std::move(*outcome);
}

// The path the failure is about: where the copy was to go when that place
// refused it, else the file on the device.
const std::string& FailurePath(const CopyFailure& failure) {
    const bool destinationFault = failure.reason == CopyFailureReason::DestinationNotWritable ||
                                  failure.reason == CopyFailureReason::DiskFull;
    return destinationFault && !failure.destination.empty() ? failure.destination : failure.source;
}

// A cover that could not be written leaves its copies as they are, so it is
// reported apart from the failed rows.
void PrintCoverSummary(const CopyOutcome& outcome, std::ostream& out) {
    out << "covers " << outcome.coversWritten << ", kept " << outcome.coversKept << ", failed "
        << outcome.coverFailures.size() << "\n";
    for (const CoverFailure& failure : outcome.coverFailures)
        out << "cover not written: " << Printable(failure.destination) << ": "
            << CopyFailureText(failure.reason) << "\n";
}

} // namespace

void PrintCopySummary(const CopyJob& job, const CopyOutcome& outcome, size_t chosen,
                      std::ostream& out) {
    const size_t notStarted =
        chosen - outcome.copiedCount - outcome.skippedCount - outcome.failedCount;
    out << "copied " << outcome.copiedCount;
    if (job.skipIdentical)
        out << ", already there " << outcome.skippedCount;
    out << ", failed " << outcome.failedCount << ", cancelled " << notStarted << " of " << chosen
        << " into " << job.outputFolder << "\n";
    for (const CopyFailure& failure : outcome.failures)
        out << "failed: row " << failure.row + 1 << " \"" << Printable(failure.title)
            << "\": " << CopyFailureText(failure.reason) << " (" << Printable(FailurePath(failure))
            << ")\n";
    if (job.writeCovers)
        PrintCoverSummary(outcome, out);
    if (!job.writeTags)
        return;
    // Still copies, so they leave the exit status alone.
    out << "copied, not tagged: " << outcome.untagged.size() << "\n";
    for (const UntaggedCopy& copy : outcome.untagged)
        out << "not tagged: row " << copy.row + 1 << " \"" << Printable(copy.title)
            << "\": " << copy.reason << " (" << Printable(copy.destination) << ")\n";
}

CopyOutcome RunCopyJob(CopyJob& job, const std::vector<uint32_t>& chosen, std::ostream& err) {
    // A reader of the progress or the summary that goes away (| head) must
    // not end the copy half-way; the lines are then simply lost.
    ::signal(SIGPIPE, SIG_IGN);
    QueuedProgress progress;
    job.progress = &progress;
    ProgressDisplay display(err, job.rows, chosen);
    return RunWorker(job, progress, display);
}

std::string WritePlaylistOrSay(const std::string& folder, const std::string& title,
                               const std::vector<M3uEntry>& entries, RunNames& names,
                               bool overwrite, std::ostream& err) {
    std::string where;
    const StepResult result = WritePlaylistFile(folder, title, entries, names, overwrite, where);
    if (result.Done())
        return where;
    err << "corvane-cli: cannot write the playlist " << where << ": "
        << CopyFailureText(result.reason) << "\n";
    return std::string();
}
