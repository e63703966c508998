#include "transfer/dialog/TransferProgress.h"
#include "transfer/dialog/FailureReport.h"

#include <QStringList>

#include <gtest/gtest.h>

using Action = TransferProgress::ButtonAction;

namespace {

CopyOutcome Failed(std::vector<CopyFailure> failures) {
    CopyOutcome outcome;
    outcome.failedCount = uint32_t(failures.size());
    outcome.failures = std::move(failures);
    return outcome;
}

} // namespace

TEST(TransferProgress, CancelHidesTheButtonAndTheEndFillsTheBar) {
    TransferProgress p(5);
    p.Start();
    p.Next();
    p.Next();
    p.Next();
    p.RequestCancel();
    EXPECT_EQ(p.labelText(), "Canceling - Please wait...");
    EXPECT_FALSE(p.buttonVisible());
    EXPECT_FALSE(p.mayClose());
    // Pressing again (Enter) while cancelling is still a cancel, never a close.
    EXPECT_EQ(p.buttonAction(), Action::Cancel);
    // A row announced before the worker saw the request still counts, and
    // the label keeps saying that the transfer is being cancelled.
    p.Next();
    EXPECT_EQ(p.labelText(), "Canceling - Please wait...");
    p.Done(CopyOutcome{});
    EXPECT_EQ(p.labelText(), "Finished 4 of 5...");
    EXPECT_EQ(p.barValue(), p.barMaximum());
    EXPECT_TRUE(p.buttonVisible());
    EXPECT_TRUE(p.mayClose());
}

TEST(TransferProgress, EmptyTransferNeverShowsABusyBar) {
    TransferProgress p(0);
    EXPECT_EQ(p.barMaximum(), 1); // a 0..0 bar would spin forever
    p.Start();
    EXPECT_EQ(p.barValue(), 0);
    p.Done(CopyOutcome{});
    EXPECT_EQ(p.barValue(), 1);
    EXPECT_EQ(p.labelText(), "Finished 0 of 0...");
}

TEST(TransferProgress, FailuresAddALineAndTheListComesBeforeFinish) {
    TransferProgress one(3);
    one.Start();
    one.Done(Failed({{1, CopyFailureReason::SourceMissing, "A", "/x/A.mp3", ""}}));
    EXPECT_EQ(one.labelText(), "Finished 0 of 3...\n1 file could not be copied");

    TransferProgress p(3);
    p.Start();
    for (int i = 0; i < 3; ++i)
        p.Next();
    p.Done(Failed({{0, CopyFailureReason::SourceMissing, "A", "/x/A.mp3", ""},
                   {2, CopyFailureReason::DiskFull, "C", "/x/C.mp3", ""}}));
    EXPECT_EQ(p.labelText(), "Finished 3 of 3...\n2 files could not be copied");
    EXPECT_EQ(p.buttonAction(), Action::ShowFailures);
    EXPECT_EQ(p.buttonText(), "Show list");
    EXPECT_TRUE(p.mayClose());
    p.FailuresShown();
    EXPECT_EQ(p.buttonAction(), Action::Finish);
    EXPECT_EQ(p.buttonText(), "Finish");
    EXPECT_EQ(p.labelText(), "Finished 3 of 3...\n2 files could not be copied");
}

TEST(FailureReport, OneLinePerTrackWithReasonAndSource) {
    const QString text = FailureReportText(
        Failed({{0, CopyFailureReason::SourceMissing, "Song", "/ipod/F00/AB.mp3", ""},
                {4, CopyFailureReason::NoFreeName, "", "", ""}}));
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Song: ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(CopyFailureText(CopyFailureReason::SourceMissing)));
    EXPECT_TRUE(lines[0].endsWith("(/ipod/F00/AB.mp3)")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Unknown Title: ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(CopyFailureText(CopyFailureReason::NoFreeName)));
    EXPECT_TRUE(FailureReportText(CopyOutcome{}).isEmpty());
}

TEST(TransferProgress, CopiesThatCouldNotBeTaggedAreListedAfterTheFailures) {
    CopyOutcome outcome;
    outcome.untagged = {{0, "Song", "/out/Song.wav", "not a format that takes tags"},
                        {1, "", "/out/X.aif", "refused"}};
    TransferProgress untaggedOnly(2);
    untaggedOnly.Start();
    untaggedOnly.Done(outcome);
    EXPECT_EQ(untaggedOnly.labelText(), "Finished 0 of 2...\n2 copies could not be tagged");
    EXPECT_EQ(untaggedOnly.buttonAction(), Action::ShowFailures);

    outcome.failures = {{2, CopyFailureReason::DiskFull, "Gone", "/ipod/F01/GO.mp3", ""}};
    outcome.failedCount = 1;
    TransferProgress both(3);
    both.Start();
    both.Done(outcome);
    EXPECT_EQ(both.labelText(), "Finished 0 of 3...\n1 file could not be copied, 2 not tagged");

    const QStringList lines = FailureReportText(outcome).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Gone: ")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "Song: copied, not tagged: not a format that takes tags (/out/Song.wav)");
    EXPECT_EQ(lines[2], "Unknown Title: copied, not tagged: refused (/out/X.aif)");
}
