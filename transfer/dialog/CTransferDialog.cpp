#include "transfer/dialog/CTransferDialog.h"

#include "controls/DialogFont.h"
#include "controls/SkinnedWindowPaint.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/TransStatic.h"
#include "platform/DialogPlacement.h"
#include "platform/OpenLocation.h"
#include "resources/Template130.h"
#include "resources/TemplateLayout.h"
#include "transfer/CopyWorker.h"
#include "transfer/M3uPlaylist.h"
#include "transfer/dialog/FailureListWindow.h"
#include "transfer/dialog/FailureReport.h"
#include "transfer/dialog/TransferBackground.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProgressBar>

#include <system_error>

namespace {

const TemplateLayout kLayout(TransferDialogTemplate());

CTransferDialog::FailureListPresenter& CurrentPresenter() {
    static CTransferDialog::FailureListPresenter presenter;
    return presenter;
}

} // namespace

CTransferDialog::CTransferDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), bar_(new QProgressBar(this)),
      button_(new CToolbarBtnEx(kLayout.TextOf(IDC_TRANSFER_BUTTON), this)),
      label_(new CTransStatic(kLayout.TextOf(IDC_TRANSFER_LABEL), this)),
      labelRect_(kLayout.PlaceOf(IDC_TRANSFER_LABEL)) {
    setModal(true);
    // Named for the taskbar and the window list; no caption is drawn.
    setWindowTitle(QStringLiteral("Corvane"));
    setFont(DialogFont());
    setFixedSize(kLayout.ClientSize());
    bar_->setGeometry(kLayout.PlaceOf(IDC_TRANSFER_PROGRESS));
    bar_->setTextVisible(false);
    bar_->setAccessibleName(QStringLiteral("Copy progress"));
    button_->setGeometry(kLayout.PlaceOf(IDC_TRANSFER_BUTTON));
    label_->setGeometry(labelRect_);
    connect(button_, &QAbstractButton::clicked, this, &CTransferDialog::OnCancelOrFinish);
}

CTransferDialog::~CTransferDialog() {
    // The worker reads this object and posts to it: stop it and wait before
    // anything is torn down.
    StopWorker();
}

int CTransferDialog::RunModal() {
    const int result = exec();
    // Before Finish, the modal run returns only when the application quits;
    // the caller may then free the rows, so the worker must be gone.
    StopWorker();
    return result;
}

// Only a program that is ending stops the worker this way, so the file being
// copied is abandoned rather than waited for; it leaves nothing behind.
void CTransferDialog::StopWorker() {
    job_.cancelRequested = true;
    job_.abortRequested = true;
    WaitForWorker();
}

CTransferDialog::FailureListPresenter
CTransferDialog::ReplaceFailureListPresenter(FailureListPresenter presenter) {
    FailureListPresenter previous = std::move(CurrentPresenter());
    CurrentPresenter() = std::move(presenter);
    return previous;
}

void CTransferDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceOverOwner(*this);
    if (progress_.phase() == TransferProgress::Phase::Initialising)
        OnInitDialog();
}

void CTransferDialog::OnInitDialog() {
    progress_ = TransferProgress(totalChecked);
    bar_->setRange(0, progress_.barMaximum());
    bar_->setValue(0);
    QCoreApplication::postEvent(this, new CopyProgressEvent(COPY_START));
}

bool CTransferDialog::event(QEvent* event) {
    if (event->type() == CopyProgressEvent::kType) {
        OnCopyProgress(static_cast<CopyProgressEvent&>(*event));
        return true;
    }
    return QDialog::event(event);
}

void CTransferDialog::OnCopyProgress(CopyProgressEvent& progress) {
    switch (progress.wParam) {
    case COPY_START:
        if (progress_.phase() != TransferProgress::Phase::Initialising)
            return;
        progress_.Start();
        StartWorker();
        break;
    case COPY_NEXT:
        progress_.Next();
        break;
    case COPY_DONE:
        outcome_ = std::move(progress.outcome);
        WritePlaylist();
        progress_.Done(outcome_);
        break;
    default:
        return;
    }
    ShowProgress();
}

void CTransferDialog::StartWorker() {
    job_.outputFolder = outputFolder.toStdString();
    job_.rows = rows;
    job_.rowCount = rowCount;
    job_.keepOrganized = keepOrganized;
    job_.overwriteExisting = overwriteExisting;
    job_.skipIdentical = skipIdentical;
    job_.writeCovers = writeCovers;
    job_.writeTags = writeTags;
    job_.artwork = artwork;
    job_.names = &names_;
    std::string formatError; // nothing shows it: a broken format gives the usual names
    NameFormat::Parse(nameFormat, nameFormat_, formatError);
    job_.nameFormat = &nameFormat_;
    job_.library = library;
    job_.progress = &sink_;
    job_.byteCopier = byteCopier;
    try {
        workerThread_ = std::thread([this] { CopyWorkerProc(&job_); });
    } catch (const std::system_error&) {
        // No thread, so no COPY_DONE would ever come and the dialog could
        // never close: end the transfer here, with nothing copied.
        CopyOutcome nothingCopied;
        nothingCopied.cancelled = true;
        sink_.PostDone(std::move(nothingCopied));
    }
}

// On this thread once the worker has ended: a small file, written as the
// copies are. One that cannot be written is listed with the files that
// could not be copied, under its own name, past the rows.
void CTransferDialog::WritePlaylist() {
    if (playlistTitle.empty() || !library)
        return;
    std::string where;
    const StepResult result =
        WritePlaylistFile(job_.outputFolder, playlistTitle,
                          PlacedEntries(*library, rows, outcome_, job_.outputFolder), names_,
                          overwriteExisting, where);
    if (result.Done())
        return;
    outcome_.failures.push_back({rowCount, result.reason, playlistTitle + ".m3u8", {}, where});
    outcome_.failedCount = uint32_t(outcome_.failures.size());
}

void CTransferDialog::WaitForWorker() {
    if (workerThread_.joinable())
        workerThread_.join();
}

void CTransferDialog::ShowProgress() {
    bar_->setValue(progress_.barValue());
    const QString text = progress_.labelText();
    // A second line (the failure count) makes the label grow upward into
    // the free space, so it never covers the bar.
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    label_->setGeometry(labelRect_.adjusted(0, -(lines - 1) * labelRect_.height(), 0, 0));
    label_->SetText(text);
    button_->setText(progress_.buttonText());
    button_->setVisible(progress_.buttonVisible());
    update();
}

void CTransferDialog::OnCancelOrFinish() {
    switch (progress_.buttonAction()) {
    case TransferProgress::ButtonAction::Cancel:
        // The worker stops before its next row and then posts COPY_DONE,
        // which brings the button back as Finish.
        job_.cancelRequested = true;
        progress_.RequestCancel();
        ShowProgress();
        break;
    case TransferProgress::ButtonAction::ShowFailures:
        ShowFailures();
        break;
    case TransferProgress::ButtonAction::Finish:
        Finish();
        break;
    }
}

void CTransferDialog::ShowFailures() {
    const QString summary = progress_.labelText().section(QLatin1Char('\n'), 1);
    const QString list = FailureReportText(outcome_);
    if (const FailureListPresenter& presenter = CurrentPresenter())
        presenter(this, summary, list);
    else
        CFailureListWindow(this, summary, list).exec();
    progress_.FailuresShown();
    ShowProgress();
}

void CTransferDialog::Finish() {
    // The worker's last act is posting COPY_DONE, so this wait is short.
    WaitForWorker();
    if (openFolderWhenDone)
        OpenLocalLocation(outputFolder);
    accept();
}

void CTransferDialog::reject() {
    if (progress_.mayClose())
        Finish();
}

void CTransferDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnCancelOrFinish(); // Enter is the button's command
        return;
    case Qt::Key_Escape:
        // Cancel while copying, Finish once finished.
        if (progress_.mayClose())
            Finish();
        else
            OnCancelOrFinish();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CTransferDialog::paintEvent(QPaintEvent*) {
    PaintSkinnedWindow(*this, TransferBackground(), {button_});
}
