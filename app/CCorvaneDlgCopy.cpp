// The main window's copy side: the output folder, the options, and the
// launch of a transfer of the checked tracks.
#include "app/CCorvaneDlg.h"

#include "app/CFileScanDialog.h"
#include "app/COptionsDialog.h"
#include "app/ClosestFolder.h"
#include "app/FolderPicker.h"
#include "app/MessageBox.h"
#include "app/OutputFolderCheck.h"
#include "controls/TransCheck.h"
#include "library/ArtworkLibrary.h"
#include "lists/CListCtrlEx.h"
#include "platform/OpenLocation.h"
#include "resources/Template102.h"
#include "transfer/CopyName.h"
#include "transfer/M3uPlaylist.h"
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
    ArtworkLibrary artwork;
    TakeOptionsDialogChoices(transfer, artwork);
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

// As the settings file holds them at this copy, like the name format.
void CCorvaneDlg::TakeOptionsDialogChoices(CTransferDialog& transfer,
                                           ArtworkLibrary& artwork) const {
    transfer.skipIdentical = settings->ReadOption(kCheckSkipIdentical);
    transfer.writeCovers = settings->ReadOption(kCheckSaveCovers);
    transfer.writeTags = settings->ReadOption(kCheckWriteTags);
    // Read again for each copy that wants covers: the files may have changed
    // since the device was read. Rows read from the files carry their own.
    if ((transfer.writeCovers || transfer.writeTags) && device.source == CItuneDB::Source::Database)
        artwork.Load(device.DeviceRoot());
    transfer.artwork = &artwork;
    if (settings->ReadOption(kCheckWriteM3u8))
        transfer.playlistTitle = ShownPlaylistTitle();
}

void CCorvaneDlg::OnOptions() {
    options->ReadChoices();
    options->show();
    options->raise();
    options->activateWindow();
}

QString CCorvaneDlg::FirstCheckedCopyPath(const NameFormat& format) const {
    if (fileScan->Running()) // the tables are the scan's until it ends
        return {};
    CopyJob rules;
    rules.keepOrganized = keepOrganized->GetCheck() != 0;
    rules.nameFormat = &format;
    rules.library = &device;
    for (uint32_t i = 0; i < device.viewRowCount; ++i)
        if (device.viewRows[i].checked != 0)
            return QString::fromStdString(CopyPathOf(rules, device.viewRows[i]));
    return {};
}

// The pane shows the master playlist until another is chosen.
std::string CCorvaneDlg::ShownPlaylistTitle() const {
    const uint32_t shown = selectedPlaylist < 0 ? 0 : uint32_t(selectedPlaylist);
    return shown < device.playlistCount ? M3uTitle(device.playlists[shown].name) : std::string();
}
