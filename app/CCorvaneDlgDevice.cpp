// The main window's device side: searching for the device, loading it into
// the panes, and what the panes' clicks and keys do with its tables.
#include "app/CCorvaneDlg.h"

#include "app/CFileScanDialog.h"
#include "app/CNodeviceDialog.h"
#include "library/DeviceLibrary.h"
#include "library/DevicePaths.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"

// The lists are handed their rows in one order: hidden before the pointer
// goes, counted before it comes, shown only once both are in place.
void CCorvaneDlg::EmptyTrackList() {
    trackList->SetDisplay(0);
    trackList->SetRows(nullptr);
    trackList->SetItemCount(0);
}

void CCorvaneDlg::FillTrackList() {
    trackList->SetItemCount(int(device.viewRowCount));
    trackList->SetRows(device.viewRows);
    trackList->SetDisplay(1);
}

void CCorvaneDlg::EmptyPanes() {
    EmptyTrackList();
    playlistPane->SetDisplay(0);
    playlistPane->SetPlaylists(nullptr);
    playlistPane->SetItemCount(0);
}

int CCorvaneDlg::ReloadDevice() {
    fileScan->Stop();
    std::string path;
    const int found = device.FindDevice(path);
    EmptyPanes();
    // The pane shows the master playlist again, so no row is remembered.
    selectedPlaylist = -10;
    if (!found)
        return 0;
    const int loaded = device.LoadDatabase(path);
    if (loaded == 1)
        ShowLoadedDevice();
    else
        ReadFilesIfNeeded(loaded, path);
    return 1;
}

void CCorvaneDlg::ShowLoadedDevice() {
    FillTrackList();
    playlistPane->SetItemCount(int(device.playlistCount));
    playlistPane->SetPlaylists(device.playlists);
    playlistPane->SetDisplay(1);
}

// A device whose database is gone, empty or unreadable but whose music
// files are there: their tags, read off this thread, fill the panes.
void CCorvaneDlg::ReadFilesIfNeeded(int databaseResult, const std::string& dbPath) {
    const std::string volumeRoot = VolumeRootOfDatabase(dbPath);
    if (!ShouldReadFiles(databaseResult, volumeRoot))
        return;
    fileScan->Start(device, volumeRoot, [this](int result) {
        if (result == 1)
            ShowLoadedDevice();
    });
}

void CCorvaneDlg::RunOrDefer(std::function<void()> action) {
    // The worker reads the view's rows until the transfer window closes; a
    // reload would free them under it.
    if (transferRunning)
        deferred.push_back(std::move(action));
    else
        action();
}

void CCorvaneDlg::OnVolumeNotice(int volumeId) {
    RunOrDefer([this, volumeId] {
        if (device.driveIndex != -1 && device.driveIndex != volumeId)
            return;
        if (ReloadDevice())
            nodevice->hide();
    });
}

void CCorvaneDlg::OnRescanClicked() {
    if (!ReloadDevice())
        nodevice->Present();
}

// The no-device window's Rescan Device arrives as a posted event.
bool CCorvaneDlg::event(QEvent* event) {
    if (event->type() == kRescanDeviceEvent) {
        OnRescanRequest();
        return true;
    }
    return QDialog::event(event);
}

void CCorvaneDlg::OnRescanRequest() {
    RunOrDefer([this] {
        if (ReloadDevice())
            nodevice->hide();
    });
}

void CCorvaneDlg::OnPlaylistClicked(int row) {
    if (row < 0 || row == selectedPlaylist)
        return;
    selectedPlaylist = row;
    EmptyTrackList();
    if (device.BuildPlaylistView(row)) {
        FillTrackList();
        trackList->SetCheckedCount(0);
    }
}

void CCorvaneDlg::OnTrackClicked(int row, QPoint pos) {
    if (row >= 0 && trackList->IsOnCheckCell(pos))
        ToggleRowCheck(row);
}

void CCorvaneDlg::ToggleRowCheck(int row) {
    trackList->SetRowCheck(row, trackList->GetRowCheck(row) == 0);
    trackList->viewport()->update(trackList->RowRect(row));
}
