#pragma once

#include "app/SettingsStore.h"
#include "library/CItuneDB.h"
#include "platform/VolumeWatcher.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPoint>

#include <functional>
#include <optional>
#include <vector>

class ArtworkLibrary;
class CFileScanDialog;
class CFloatBtn;
class CListCtrlEx;
class CListCtrlLeftPane;
class CMenuButton;
class CNodeviceDialog;
class COptionsDialog;
class CSkinnedButton;
class CTitleButton;
class CToolbarBtn;
class CToolbarBtnEx;
class CTransCheck;
class CTransStatic;
class CTransferDialog;
class NameFormat;
class QAbstractButton;
class QLineEdit;
struct MainBackground;

// The program's only main window: finds the device, shows its playlists and
// the chosen playlist's tracks, keeps the output folder and the three options
// (more in its Options dialog), and runs a transfer of the checked tracks. It reacts to volumes
// coming and going, and brings up the no-device window when a search finds nothing.
class CCorvaneDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCorvaneDlg(QWidget* parent = nullptr);
    ~CCorvaneDlg() override;

    // Start-up. False when the data folder cannot be prepared (the user has
    // been told); the window must then not be shown.
    bool OnInitDialog();

    // 1: a device was found (its database loaded or not); 0: none.
    int ReloadDevice();

    // What a volume arriving or leaving does; deferred while a transfer runs.
    void OnVolumeNotice(int volumeId);
    // Brings the window back for a second start of the program, which may
    // hand over the token its launcher gave it for taking the focus.
    void RestoreAndRaise(const QString& activationToken = {});

    // The pieces tests look at.
    CItuneDB& Device() { return device; }
    int SelectedPlaylist() const { return selectedPlaylist; }
    int EraseCount() const { return eraseCount; }
    const QString& OutputFolder() const { return outputFolder; }
    CListCtrlEx* TrackList() const { return trackList; }
    CListCtrlLeftPane* Playlists() const { return playlistPane; }
    CNodeviceDialog* NodeviceDialog() const { return nodevice; }
    CFileScanDialog* FileScanDialog() const { return fileScan; }
    COptionsDialog* OptionsDialog() const { return options; }
    QLineEdit* FolderEdit() const { return folderEdit; }
    CTransCheck* OptionBox(int controlId) const;
    QAbstractButton* Button(int controlId) const;
    CTransStatic* Label(int controlId) const;

    // The transfer dialog is modal; tests replace how it is run. It gets the
    // dialog filled in and returns when the transfer window has closed.
    using TransferRunner = std::function<void(CTransferDialog& dialog)>;
    void SetTransferRunner(TransferRunner runner) { transferRunner = std::move(runner); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateControls();
    void NameForScreenReaders();
    void InitPanesAndOptions();
    void ApplyWindowShape();
    void EmptyPanes();
    void EmptyTrackList();
    void FillTrackList();
    void ShowLoadedDevice();
    void ReadFilesIfNeeded(int databaseResult, const std::string& dbPath);
    void OnRescanClicked();
    void OnRescanRequest();
    void OnPlaylistClicked(int row);
    void OnTrackClicked(int row, QPoint pos);
    void ToggleRowCheck(int row);
    void OnBrowse();
    void OnOpen();
    void OnCopyToComputer();
    void TakeOptionsDialogChoices(CTransferDialog& transfer, ArtworkLibrary& artwork) const;
    void OnOptions();
    QString FirstCheckedCopyPath(const NameFormat& format) const;
    std::string ShownPlaylistTitle() const;
    void SaveOption(int controlId);
    void RunOrDefer(std::function<void()> action);
    MainBackground Background() const;

    QIcon appIcon;
    QIcon cornerIcon; // icon 129, drawn at the top left of the background
    CItuneDB device;
    QString outputFolder;
    int selectedPlaylist = -10;
    int eraseCount = 0;
    CNodeviceDialog* nodevice = nullptr;
    COptionsDialog* options = nullptr;
    std::optional<SettingsStore> settings;
    CVolumeWatcher volumeWatcher;
    bool transferRunning = false;
    std::vector<std::function<void()>> deferred; // notices held back by a transfer
    TransferRunner transferRunner;
    std::optional<QPoint> dragOffset; // window moved by hand where the desktop cannot

    CFloatBtn* rescan = nullptr;
    CListCtrlEx* trackList = nullptr;
    CListCtrlLeftPane* playlistPane = nullptr;
    CTransStatic* notice = nullptr;
    CTransStatic* title = nullptr;
    CTitleButton* closeButton = nullptr;
    CTitleButton* minimizeButton = nullptr;
    CMenuButton* help = nullptr;
    QLineEdit* folderEdit = nullptr;
    CToolbarBtn* copy = nullptr;
    CToolbarBtnEx* browse = nullptr;
    CToolbarBtnEx* open = nullptr;
    CToolbarBtnEx* optionsButton = nullptr;
    CTransCheck* openWhenDone = nullptr;
    CTransCheck* keepOrganized = nullptr;
    CTransCheck* overwrite = nullptr;
    CTransStatic* outputLabel = nullptr;
    // Reads a device without a usable database from its files; a child, but
    // stopped in the destructor, before `device` goes.
    CFileScanDialog* fileScan = nullptr;
};
