#include "app/CCorvaneDlg.h"

#include "app/CFileScanDialog.h"
#include "app/CNodeviceDialog.h"
#include "app/ClosestFolder.h"
#include "app/DataFolder.h"
#include "app/DefaultOutputFolder.h"
#include "app/FolderPicker.h"
#include "app/ListKeys.h"
#include "app/MainBackground.h"
#include "app/MessageBox.h"
#include "app/OutputFolderCheck.h"
#include "app/TabOrder.h"
#include "controls/DialogFont.h"
#include "controls/FloatBtn.h"
#include "controls/MenuButton.h"
#include "controls/OffscreenPicture.h"
#include "controls/TitleButton.h"
#include "controls/ToolbarBtn.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/TransCheck.h"
#include "controls/TransStatic.h"
#include "controls/WindowOutline.h"
#include "library/DeviceLibrary.h"
#include "library/DevicePaths.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "lists/TrackColumns.h"
#include "platform/OpenLocation.h"
#include "platform/WindowActivation.h"
#include "platform/WindowPlacement.h"
#include "resources/Template102.h"
#include "resources/TemplateLayout.h"
#include "transfer/FolderPath.h"
#include "transfer/dialog/CTransferDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

const TemplateLayout kLayout(MainDialogTemplate());
const QString kInvalidFolder = QStringLiteral("INVALID FOLDER");
const QString kNoTrackChecked = QStringLiteral("Please select at least 1 music!");

template <typename Control> Control* Place(QWidget* parent, int controlId) {
    auto* control = new Control(kLayout.TextOf(controlId), parent);
    control->setObjectName(QString::number(controlId));
    control->setGeometry(kLayout.PlaceOf(controlId));
    return control;
}

// Enter in any form, and Esc pressed, never reach the window's controls: the
// window has no default or cancel action and must not close on either.
bool IsSwallowedKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
        event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return true;
    return key == Qt::Key_Escape && event->type() != QEvent::KeyRelease;
}

} // namespace

// The icons are compiled into this static library; a library's resources
// are registered by hand before the first use.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

CCorvaneDlg::CCorvaneDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint),
      appIcon((RegisterIcons(), QIcon(QStringLiteral(":/icons/128.png")))),
      cornerIcon(QStringLiteral(":/icons/129.png")) {
    setFont(DialogFont());
    setFixedSize(kLayout.ClientSize());
    CreateControls();
    transferRunner = [](CTransferDialog& dialog) { dialog.RunModal(); };
    connect(&volumeWatcher, &CVolumeWatcher::volumeArrived, this, &CCorvaneDlg::OnVolumeNotice);
    connect(&volumeWatcher, &CVolumeWatcher::volumeRemoved, this, &CCorvaneDlg::OnVolumeNotice);
}

CCorvaneDlg::~CCorvaneDlg() {
    qApp->removeEventFilter(this);
    if (fileScan) // absent when the start ended before the panes were set up
        fileScan->Stop();
    // The lists outlive the device library by a moment; they must not keep
    // pointers into its tables.
    EmptyPanes();
}

void CCorvaneDlg::CreateControls() {
    rescan = Place<CFloatBtn>(this, IDC_MAIN_RESCAN);
    trackList = new CListCtrlEx(this);
    trackList->PlaceAt(this, kLayout.PlaceOf(IDC_MAIN_TRACKLIST));
    trackList->setObjectName(QString::number(IDC_MAIN_TRACKLIST));
    playlistPane = new CListCtrlLeftPane(this);
    playlistPane->PlaceAt(this, kLayout.PlaceOf(IDC_MAIN_PLAYLISTS));
    playlistPane->setObjectName(QString::number(IDC_MAIN_PLAYLISTS));
    notice = Place<CTransStatic>(this, IDC_MAIN_NOTICE);
    title = Place<CTransStatic>(this, IDC_MAIN_TITLE);
    closeButton = Place<CTitleButton>(this, IDC_MAIN_CLOSE);
    minimizeButton = Place<CTitleButton>(this, IDC_MAIN_MINIMIZE);
    help = Place<CMenuButton>(this, IDC_MAIN_HELP);
    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName(QString::number(IDC_MAIN_OUTPUT_FOLDER));
    folderEdit->setGeometry(kLayout.PlaceOf(IDC_MAIN_OUTPUT_FOLDER));
    copy = Place<CToolbarBtn>(this, IDC_MAIN_COPY);
    browse = Place<CToolbarBtnEx>(this, IDC_MAIN_BROWSE);
    open = Place<CToolbarBtnEx>(this, IDC_MAIN_OPEN);
    openWhenDone = Place<CTransCheck>(this, IDC_MAIN_OPEN_WHEN_DONE);
    keepOrganized = Place<CTransCheck>(this, IDC_MAIN_KEEP_ORGANIZED);
    outputLabel = Place<CTransStatic>(this, IDC_MAIN_OUTPUT_LABEL);
    overwrite = Place<CTransCheck>(this, IDC_MAIN_OVERWRITE);
    // Plain labels let the mouse through, so the window can be dragged by them.
    for (CTransStatic* label : {notice, title, outputLabel})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    ApplyTemplateTabOrder(*this, MainDialogTemplate());

    connect(rescan, &QAbstractButton::clicked, this, &CCorvaneDlg::OnRescanClicked);
    connect(trackList, &CListCtrlEx::rowClicked, this, &CCorvaneDlg::OnTrackClicked);
    connect(playlistPane, &CListCtrlLeftPane::rowClicked, this,
            [this](int row, QPoint) { OnPlaylistClicked(row); });
    auto* listKeys = new CListKeys(trackList, playlistPane, this);
    connect(listKeys, &CListKeys::toggleRequested, this, &CCorvaneDlg::ToggleRowCheck);
    connect(listKeys, &CListKeys::playlistRequested, this, &CCorvaneDlg::OnPlaylistClicked);
    connect(browse, &QAbstractButton::clicked, this, &CCorvaneDlg::OnBrowse);
    connect(open, &QAbstractButton::clicked, this, &CCorvaneDlg::OnOpen);
    connect(folderEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { outputFolder = text.trimmed(); });
    connect(copy, &QAbstractButton::clicked, this, &CCorvaneDlg::OnCopyToComputer);
    for (int id : {IDC_MAIN_OPEN_WHEN_DONE, IDC_MAIN_KEEP_ORGANIZED, IDC_MAIN_OVERWRITE})
        connect(OptionBox(id), &QAbstractButton::clicked, this, [this, id] { SaveOption(id); });
    connect(closeButton, &QAbstractButton::clicked, this, &QWidget::close, Qt::QueuedConnection);
    connect(minimizeButton, &QAbstractButton::clicked, this, &QWidget::showMinimized,
            Qt::QueuedConnection);
    connect(help, &QAbstractButton::clicked, this, [] { OpenLocalLocation(HelpPagePath()); });
}

bool CCorvaneDlg::OnInitDialog() {
    setWindowIcon(appIcon);
    qApp->installEventFilter(this);

    DataFolderPaths paths;
    std::string failureText;
    if (!PrepareDataFolder(paths, failureText)) {
        hide();
        ShowMessage(nullptr, QString::fromStdString(failureText), MessageIcon::Warning);
        return false;
    }
    settings.emplace(paths.settingsPath);

    title->SetText(QStringLiteral("Corvane"));
    InitPanesAndOptions();
    ApplyWindowShape();
    selectedPlaylist = -10;
    // Watching starts before the first search, so that a device arriving in
    // between is not missed.
    volumeWatcher.WatchSystemVolumes();
    if (!ReloadDevice())
        nodevice->Present();
    return true;
}

void CCorvaneDlg::InitPanesAndOptions() {
    int column = 0;
    for (const ColumnSpec& c : kTrackColumns)
        trackList->InsertColumn(column++, QString::fromUtf8(c.caption), c.width);
    trackList->InitHeader();
    playlistPane->InsertColumn(0, QString::fromUtf8(kPlaylistColumn.caption),
                               kPlaylistColumn.width);
    playlistPane->InitHeader();
    title->SetMode(4);
    copy->SetIcon(appIcon, 34, appIcon, 37);

    outputFolder = QString::fromStdString(settings->ReadFolder()).trimmed();
    if (outputFolder.isEmpty())
        outputFolder = QString::fromStdString(DefaultOutputFolder());
    folderEdit->setText(outputFolder);

    openWhenDone->SetCheck(settings->ReadOption(kCheckOpenFolder));
    keepOrganized->SetCheck(settings->ReadOption(kCheckKeepOrganized));
    overwrite->SetCheck(settings->ReadOption(kCheckOverwriteExisting));

    nodevice = new CNodeviceDialog(this);
    nodevice->hide();
    fileScan = new CFileScanDialog(this);
    fileScan->hide();
}

void CCorvaneDlg::ApplyWindowShape() {
    // Where the compositor places windows itself, it also centres new ones.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && MayPlaceTopLevelWindows())
        move(screen->availableGeometry().center() - rect().center());
    setMask(WindowShapeRegion(size()));
    setWindowTitle(QStringLiteral("Corvane 1.0"));
}

void CCorvaneDlg::EmptyPanes() {
    trackList->SetDisplay(0);
    trackList->SetRows(nullptr);
    trackList->SetItemCount(0);
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
    trackList->SetItemCount(int(device.viewRowCount));
    trackList->SetRows(device.viewRows);
    trackList->SetDisplay(1);
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
    trackList->SetDisplay(0);
    trackList->SetRows(nullptr);
    trackList->SetItemCount(0);
    if (device.BuildPlaylistView(row)) {
        trackList->SetItemCount(int(device.viewRowCount));
        trackList->SetRows(device.viewRows);
        trackList->SetDisplay(1);
        trackList->SetCheckedCount(0);
    }
}

void CCorvaneDlg::OnTrackClicked(int row, QPoint pos) {
    if (row >= 0 && trackList->IsOnCheckCell(pos))
        ToggleRowCheck(row);
}

void CCorvaneDlg::ToggleRowCheck(int row) {
    trackList->SetRowCheck(row, trackList->GetRowCheck(row) == 0);
    trackList->viewport()->update(
        trackList->CellRect(row, 0).united(trackList->CellRect(row, kTrackColumnCount - 1)));
}

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
    if (CheckOutputFolder(this, outputFolder, device.DatabasePath()))
        OpenLocalLocation(outputFolder);
}

void CCorvaneDlg::OnCopyToComputer() {
    if (trackList->checkedCount() == 0) {
        ShowMessage(this, kNoTrackChecked);
        return;
    }
    if (!CheckOutputFolder(this, outputFolder, device.DatabasePath()))
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

void CCorvaneDlg::RestoreAndRaise(const QString& activationToken) {
    RaiseWindow(*this, activationToken);
}

CTransCheck* CCorvaneDlg::OptionBox(int controlId) const {
    return findChild<CTransCheck*>(QString::number(controlId), Qt::FindDirectChildrenOnly);
}

QAbstractButton* CCorvaneDlg::Button(int controlId) const {
    return findChild<QAbstractButton*>(QString::number(controlId), Qt::FindDirectChildrenOnly);
}

CTransStatic* CCorvaneDlg::Label(int controlId) const {
    return findChild<CTransStatic*>(QString::number(controlId), Qt::FindDirectChildrenOnly);
}

bool CCorvaneDlg::event(QEvent* event) {
    if (event->type() == kRescanDeviceEvent) {
        OnRescanRequest();
        return true;
    }
    return QDialog::event(event);
}

bool CCorvaneDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
        IsSwallowedKey(event)) {
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

MainBackground CCorvaneDlg::Background() const {
    MainBackground background;
    background.trackList = trackList->geometry();
    background.playlistPane = playlistPane->geometry();
    background.copyButton = copy->geometry();
    background.icon = cornerIcon;
    return background;
}

void CCorvaneDlg::paintEvent(QPaintEvent*) {
    // Composed off-screen and put on the screen in one block; the buttons
    // keep the part behind them to draw over.
    QPixmap picture = OffscreenPicture(*this);
    {
        QPainter painter(&picture);
        Background().paint(painter, rect());
    }
    QPainter(this).drawPixmap(0, 0, picture);
    for (CSkinnedButton* button : std::initializer_list<CSkinnedButton*>{
             minimizeButton, closeButton, help, rescan, browse, open, copy})
        button->CaptureBackground(picture);
    if (eraseCount < 3) {
        playlistPane->viewport()->update();
        trackList->viewport()->update();
        ++eraseCount;
    }
}

void CCorvaneDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QWindow* window = windowHandle();
        if (!window || !window->startSystemMove())
            dragOffset = event->globalPosition().toPoint() - pos();
        update();
    }
    QDialog::mousePressEvent(event);
}

void CCorvaneDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *dragOffset);
    QDialog::mouseMoveEvent(event);
}

void CCorvaneDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset.reset();
    QDialog::mouseReleaseEvent(event);
}
