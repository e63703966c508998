// The main window's copy side: the output folder, the options, and the
// launch of a transfer of the checked tracks.
#include "app/CCorvaneDlg.h"

#include "app/ClosestFolder.h"
#include "app/FolderPicker.h"
#include "app/MessageBox.h"
#include "app/OutputFolderCheck.h"
#include "controls/TransCheck.h"
#include "lists/CListCtrlEx.h"
#include "platform/OpenLocation.h"
#include "resources/Template102.h"
#include "transfer/dialog/CTransferDialog.h"

#include <QLineEdit>

namespace {

const QString kInvalidFolder = QStringLiteral("INVALID FOLDER");
const QString kNoTrackChecked = QStringLiteral("Please select at least 1 music!");

} // namespace

void CCorvaneDlg::OnBrowse() {
    const FolderPick pick = PickFolder(this, QStringLiteral("Select Destination Folder"),
                                       ClosestExistingFolder(outputFolder));
    if (!pick.picked)
        return;
    // The box's text becomes the folder, also when the box showed it already.
    folderEdit->setText(pick.localPath.isEmpty() ? kInvalidFolder : pick.localPath);
    outputFolder = folderEdit->text().trimmed();
}

void CCorvaneDlg::OnOpen() {
    if (CheckOutputFolder(this, outputFolder, device.DeviceRoot()))
        OpenLocalLocation(outputFolder);
}

void CCorvaneDlg::OnCopyToComputer() {
    if (trackList->checkedCount() == 0) {
        ShowMessage(this, kNoTrackChecked);
        return;
    }
    if (!CheckOutputFolder(this, outputFolder, device.DeviceRoot()))
        return;
    if (!outputFolder.endsWith('/'))
        outputFolder += '/';
    settings->WriteFolder(outputFolder.toStdString());

    CTransferDialog transfer(this);
    transfer.outputFolder = outputFolder;
    transfer.rows = device.viewRows;
    transfer.rowCount = device.viewRowCount;
    transfer.totalChecked = trackList->checkedCount();
    transfer.openFolderWhenDone = openWhenDone->GetCheck();
    transfer.keepOrganized = keepOrganized->GetCheck();
    transfer.overwriteExisting = overwrite->GetCheck();
    // Read at each copy, so that a format edited in the file needs no restart.
    transfer.nameFormat = settings->ReadNameFormat();
    transfer.library = &device;
    transferRunning = true;
    transferRunner(transfer);
    transferRunning = false;
    for (auto held = std::exchange(deferred, {}); auto& action : held)
        action();
}

void CCorvaneDlg::SaveOption(int controlId) {
    const OptionKey key = controlId == IDC_MAIN_OPEN_WHEN_DONE   ? kCheckOpenFolder
                          : controlId == IDC_MAIN_KEEP_ORGANIZED ? kCheckKeepOrganized
                                                                 : kCheckOverwriteExisting;
    settings->WriteOption(key, OptionBox(controlId)->GetCheck() != 0);
}
