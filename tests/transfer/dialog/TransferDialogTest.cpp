#include "support/DialogsTestSupport.h"

#include "controls/ToolbarBtnEx.h"
#include "controls/TransStatic.h"
#include "platform/QuitOnSignals.h"
#include "support/ScratchFolder.h"
#include "transfer/WorkerHarness.h"
#include "transfer/dialog/CTransferDialog.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>

#include <filesystem>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Phase = TransferProgress::Phase;

// Holds the worker inside the copy numbered by HoldAt until opened.
class Gate {
public:
    void HoldAt(int copy) {
        std::lock_guard lock(mutex_);
        holdAt_ = copy;
    }

    void Arrive(int copy) {
        std::unique_lock lock(mutex_);
        if (copy != holdAt_)
            return;
        held_ = true;
        changed_.wait(lock, [this] { return open_; });
    }
    bool Held() {
        std::lock_guard lock(mutex_);
        return held_;
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int holdAt_ = 0; // none
    bool held_ = false;
    bool open_ = false;
};

// Notes the label's text each time a progress event reaches the dialog,
// that is, what the previous event left on screen.
class LabelRecorder : public QObject {
public:
    explicit LabelRecorder(CTransStatic* label) : label_(label) {}
    QStringList seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == CopyProgressEvent::kType)
            seen << label_->Text();
        return false;
    }

private:
    CTransStatic* label_;
};

void Press(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

class TransferDialogTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(OutputFolder()); }

    // The gate opens before the dialog goes, so a failed test never leaves
    // the destructor waiting for a held worker.
    void TearDown() override {
        gate.Open();
        dialog.reset();
    }

    std::string OutputFolder() const { return scratch.Path("out/"); }

    void AddTracks(int count) {
        for (int i = 1; i <= count; ++i) {
            const std::string name = "Track " + std::to_string(i);
            const std::string source =
                scratch.Write("ipod/F0" + std::to_string(i) + "/X" + std::to_string(i) + ".mp3",
                              "music of " + name);
            table.Add({ToU16(name), u"Band", u"Record", ToU16(source)});
        }
    }

    static std::u16string ToU16(const std::string& text) {
        return QString::fromStdString(text).toStdU16String();
    }

    CTransferDialog& Open(int totalChecked, const std::string& nameFormat = "") {
        dialog = std::make_unique<CTransferDialog>();
        dialog->nameFormat = nameFormat;
        dialog->outputFolder = QString::fromStdString(OutputFolder());
        dialog->rows = table.Rows();
        dialog->rowCount = table.Count();
        dialog->totalChecked = totalChecked;
        dialog->keepOrganized = false;
        dialog->overwriteExisting = false;
        dialog->byteCopier = &copier;
        dialog->show();
        return *dialog;
    }

    CTransStatic* Label() const { return dialog->findChild<CTransStatic*>(); }
    CToolbarBtnEx* Button() const { return dialog->findChild<CToolbarBtnEx*>(); }
    QProgressBar* Bar() const { return dialog->findChild<QProgressBar*>(); }

    bool Finished() const { return dialog->Progress().phase() == Phase::Finished; }

    ScratchFolder scratch;
    TrackTable table;
    Gate gate;
    WatchingCopier copier{[this](int copy) { gate.Arrive(copy); }};
    RecordingOpener opener;
    std::unique_ptr<CTransferDialog> dialog;
};

} // namespace

TEST_F(TransferDialogTest, LabelCountsEachFileAndTheEndOffersFinish) {
    AddTracks(5);
    CTransferDialog& d = Open(5);
    LabelRecorder recorder(Label());
    d.installEventFilter(&recorder);

    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(recorder.seen,
              QStringList({"Copying file", "Copying music 1 of 5...", "Copying music 1 of 5...",
                           "Copying music 2 of 5...", "Copying music 3 of 5...",
                           "Copying music 4 of 5...", "Copying music 5 of 5..."}));
    EXPECT_EQ(Label()->Text(), "Finished 5 of 5...");
    EXPECT_EQ(Button()->text(), "Finish");
    EXPECT_EQ(Bar()->maximum(), 5);
    EXPECT_EQ(Bar()->value(), 5);
    EXPECT_EQ(scratch.List("out"),
              (std::vector<std::string>{"Track 1.mp3", "Track 2.mp3", "Track 3.mp3", "Track 4.mp3",
                                        "Track 5.mp3"}));
    EXPECT_EQ(scratch.Read("out/Track 4.mp3"), "music of Track 4");

    Button()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(opener.opened.isEmpty()); // the option was off
}

TEST_F(TransferDialogTest, ANameFormatNamesTheCopiesAndABrokenOneIsPassedOver) {
    AddTracks(2);
    Open(2, "{artist}/{track:02} {title} ({album})");
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(scratch.List("out"), (std::vector<std::string>{"Band/", "Band/Track 1 (Record).mp3",
                                                             "Band/Track 2 (Record).mp3"}));
    Button()->click();

    std::filesystem::remove_all(scratch.Path("out/Band"));
    Open(2, "{artist/{title}");
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(scratch.List("out"), (std::vector<std::string>{"Track 1.mp3", "Track 2.mp3"}));
}

TEST_F(TransferDialogTest, CancelDuringTheThirdOfFiveFinishesThatFileOnly) {
    AddTracks(5);
    gate.HoldAt(3);
    CTransferDialog& d = Open(5);
    d.openFolderWhenDone = true;

    ASSERT_TRUE(WaitUntil([&] { return gate.Held() && d.Progress().filesStarted() == 3; }));
    EXPECT_EQ(Label()->Text(), "Copying music 3 of 5...");
    Button()->click();
    EXPECT_TRUE(d.CancelRequested());
    EXPECT_EQ(Label()->Text(), "Canceling - Please wait...");
    EXPECT_FALSE(Button()->isVisible());

    gate.Open();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(Label()->Text(), "Finished 3 of 5...");
    EXPECT_EQ(Bar()->value(), Bar()->maximum());
    EXPECT_EQ(Bar()->maximum(), 5);
    EXPECT_TRUE(Button()->isVisible());
    EXPECT_EQ(Button()->text(), "Finish");
    EXPECT_EQ(scratch.List("out"),
              (std::vector<std::string>{"Track 1.mp3", "Track 2.mp3", "Track 3.mp3"}));
    EXPECT_EQ(scratch.Read("out/Track 3.mp3"), "music of Track 3");
    EXPECT_TRUE(opener.opened.isEmpty());

    Button()->click(); // Finish opens the folder, also after a cancel
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(opener.opened, QStringList{QString::fromStdString(OutputFolder())});
}

TEST_F(TransferDialogTest, EnterActsAsCancelThenAsFinish) {
    AddTracks(5);
    gate.HoldAt(1);
    CTransferDialog& d = Open(5);
    ASSERT_TRUE(WaitUntil([&] { return gate.Held(); }));

    Press(&d, Qt::Key_Return);
    EXPECT_TRUE(d.CancelRequested());
    EXPECT_EQ(Label()->Text(), "Canceling - Please wait...");
    EXPECT_FALSE(Button()->isVisible());
    Press(&d, Qt::Key_Enter); // the hidden button cannot close the dialog
    EXPECT_TRUE(d.isVisible());

    gate.Open();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(Label()->Text(), "Finished 1 of 5...");
    EXPECT_TRUE(d.isVisible());
    Press(&d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(TransferDialogTest, EscapeCancelsAndThenFinishesButCloseWaitsForTheEnd) {
    AddTracks(3);
    gate.HoldAt(2);
    CTransferDialog& d = Open(3);
    d.openFolderWhenDone = true;
    ASSERT_TRUE(WaitUntil([&] { return gate.Held(); }));

    EXPECT_FALSE(d.close()); // the window's close request is no cancel
    Settle(50);
    EXPECT_FALSE(d.CancelRequested());
    Press(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.CancelRequested());
    EXPECT_EQ(Label()->Text(), "Canceling - Please wait...");
    Press(&d, Qt::Key_Escape); // while cancelling it cannot close the dialog
    EXPECT_TRUE(d.isVisible());

    gate.Open();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(Label()->Text(), "Finished 2 of 3...");
    EXPECT_EQ(scratch.List("out").size(), 2u);
    EXPECT_TRUE(opener.opened.isEmpty());
    Press(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(opener.opened, QStringList{QString::fromStdString(OutputFolder())});
}

TEST_F(TransferDialogTest, AScreenReaderFollowsTheBarAndTheText) {
    AddTracks(2);
    gate.HoldAt(1);
    CTransferDialog& d = Open(2);
    ASSERT_TRUE(WaitUntil([&] { return gate.Held() && Bar()->value() == 1; }));
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Bar());
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(Label());
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(Button());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&d)->text(QAccessible::Name), "Corvane");
    EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
    EXPECT_EQ(bar->text(QAccessible::Name), "Copy progress");
    ASSERT_NE(bar->valueInterface(), nullptr);
    EXPECT_EQ(bar->valueInterface()->maximumValue().toInt(), 2);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 1);
    EXPECT_EQ(label->role(), QAccessible::StaticText);
    EXPECT_EQ(label->text(QAccessible::Name), "Copying music 1 of 2...");
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), "Cancel");

    gate.Open();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 2);
    EXPECT_EQ(label->text(QAccessible::Name), "Finished 2 of 2...");
    EXPECT_EQ(button->text(QAccessible::Name), "Finish");
}

TEST_F(TransferDialogTest, FailedFilesAreCountedAndListedBeforeFinish) {
    AddTracks(3);
    table.Add({u"Lost Song", u"Band", u"Record", ToU16(scratch.Path("ipod/F09/GONE.mp3"))});
    QStringList shown;
    const auto previous = CTransferDialog::ReplaceFailureListPresenter(
        [&](QWidget*, const QString& summary, const QString& list) { shown << summary << list; });
    CTransferDialog& d = Open(4);
    const QRect labelAtStart = Label()->geometry();

    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(Label()->Text(), "Finished 4 of 4...\n1 file could not be copied");
    EXPECT_EQ(Label()->geometry().bottom(), labelAtStart.bottom());
    EXPECT_EQ(Label()->geometry().height(), 2 * labelAtStart.height());
    EXPECT_LT(Label()->geometry().bottom(), Bar()->geometry().top());
    EXPECT_EQ(d.Outcome().failedCount, 1u);
    EXPECT_EQ(Button()->text(), "Show list");

    Button()->click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], "1 file could not be copied");
    EXPECT_TRUE(shown[1].startsWith("Lost Song: ")) << shown[1].toStdString();
    EXPECT_TRUE(shown[1].contains("GONE.mp3")) << shown[1].toStdString();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Button()->text(), "Finish");

    Button()->click();
    EXPECT_FALSE(d.isVisible());
    CTransferDialog::ReplaceFailureListPresenter(previous);
}

TEST_F(TransferDialogTest, BarTakesTheFullCountAndTheSkinIsPainted) {
    CTransferDialog& d = Open(70000); // no rows: the worker ends at once
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(Bar()->maximum(), 70000);
    EXPECT_EQ(Bar()->value(), 70000);
    EXPECT_EQ(Label()->Text(), "Finished 0 of 70000...");

    const QImage picture = d.grab().toImage();
    EXPECT_EQ(d.size(), QSize(501, 107));
    EXPECT_EQ(PixelAt(picture, 200, 0), QColor(198, 198, 198));
    EXPECT_EQ(PixelAt(picture, 200, 9), QColor(161, 161, 161));
    EXPECT_EQ(PixelAt(picture, 200, 12), QColor(218, 218, 218));
    EXPECT_EQ(PixelAt(picture, 200, 100), QColor(218, 218, 218));
    // The button's rounded face leaves its corner to the background it was handed.
    const QPoint corner = Button()->geometry().topLeft();
    EXPECT_EQ(PixelAt(picture, corner.x(), corner.y()), QColor(218, 218, 218));
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(TransferDialogTest, DestroyingTheDialogAbandonsTheCurrentFileAndWaitsForTheWorker) {
    AddTracks(4);
    gate.HoldAt(1);
    Open(4);
    ASSERT_TRUE(WaitUntil([&] { return gate.Held(); }));

    std::atomic<bool> released{false};
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        released = true;
        gate.Open();
    });
    dialog.reset(); // must not return while the worker still runs
    EXPECT_TRUE(released);
    releaser.join();
    Settle(50); // events the worker posted must not reach the dead dialog
    // The file held in its copy is given up, temporary file and all.
    EXPECT_TRUE(scratch.List("out").empty());
}

TEST_F(TransferDialogTest, QuittingOnASignalWhileCopyingLeavesNothing) {
    AddTracks(3);
    gate.HoldAt(1);
    CQuitOnSignals quitOnSignals;
    Open(3);
    ASSERT_TRUE(WaitUntil([&] { return gate.Held(); }));
    std::thread releaser;
    bool returned = false;
    // The modal run inside the application's own loop, as in the program; a
    // session that ends sends SIGTERM, and the quit ends both loops.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(50, [&] {
            ::raise(SIGTERM);
            releaser = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                gate.Open();
            });
        });
        dialog->RunModal();
        returned = true;
    });
    QCoreApplication::exec();
    if (releaser.joinable())
        releaser.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(Finished()); // stopped by the quit, not through Finish
    EXPECT_TRUE(scratch.List("out").empty());
}
