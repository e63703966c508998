#pragma once

#include "library/TrackRecord.h"
#include "transfer/CopyJob.h"
#include "transfer/NameFormat.h"
#include "transfer/RunNames.h"
#include "transfer/dialog/CopyProgressEvent.h"
#include "transfer/dialog/TransferProgress.h"

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <memory>
#include <thread>

class ByteCopier;
class CToolbarBtnEx;
class CTransStatic;
class QProgressBar;

// The small modal window that runs one transfer: it starts the copy worker
// on its own thread as soon as it is shown, turns the worker's progress
// into a text line and a bar, lets the user cancel, and closes through
// Finish once the worker has ended. It cannot be closed, and is never
// destroyed, while the worker runs.
class CTransferDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTransferDialog(QWidget* owner = nullptr);
    ~CTransferDialog() override;

    // Filled in completely by the owner before the dialog is shown.
    QString outputFolder; // absolute, ends with "/"
    TrackRecord* rows = nullptr;
    uint32_t rowCount = 0;
    int totalChecked = 0; // the last number of every progress text; the bar's top
    bool openFolderWhenDone = false;
    bool keepOrganized = false;
    bool overwriteExisting = true;
    // A name format (see NameFormat) in place of keepOrganized's rule; one
    // that does not parse leaves the usual names.
    std::string nameFormat;
    const CItuneDB* library = nullptr; // the rows' details for nameFormat; borrowed
    bool skipIdentical = false;
    bool writeCovers = false;
    bool writeTags = false;
    const ArtworkLibrary* artwork = nullptr; // for writeCovers and writeTags; borrowed, may be null
    // The shown playlist's file title (see M3uTitle): after the copies, an
    // M3U8 of them goes into the output folder under it. Empty: none.
    std::string playlistTitle;
    ByteCopier* byteCopier = nullptr; // null: the kernel's

    // Runs the dialog modally. Should the application quit before Finish,
    // the worker is stopped and waited for before this returns.
    int RunModal();

    const TransferProgress& Progress() const { return progress_; }
    const CopyOutcome& Outcome() const { return outcome_; }
    const CopyJob& Job() const { return job_; } // as handed to the worker
    bool CancelRequested() const { return job_.cancelRequested; }

    // Shows the list of tracks that could not be copied. Tests replace it;
    // returns the presenter that was in place (empty restores the window).
    using FailureListPresenter =
        std::function<void(QWidget* parent, const QString& summary, const QString& list)>;
    static FailureListPresenter ReplaceFailureListPresenter(FailureListPresenter presenter);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

public slots:
    // The window's close request lands here: it ends a finished transfer
    // and is ignored before.
    void reject() override;

private:
    void OnInitDialog();
    void OnCopyProgress(CopyProgressEvent& progress);
    void OnCancelOrFinish();
    void StartWorker();
    void WaitForWorker();
    void StopWorker();
    void Finish();
    void ShowFailures();
    void ShowProgress();
    void WritePlaylist();

    QProgressBar* bar_;
    CToolbarBtnEx* button_;
    CTransStatic* label_;
    QRect labelRect_;

    TransferProgress progress_{0};
    CopyOutcome outcome_;
    CopyJob job_;
    NameFormat nameFormat_;
    RunNames names_; // the walk's, so that the playlist is named by the same rules
    PostingProgressSink sink_{this};
    std::thread workerThread_;
};
