#include "app/CCorvaneDlg.h"

#include "app/CNodeviceDialog.h"
#include "app/DataFolder.h"
#include "app/DefaultOutputFolder.h"
#include "app/FolderPicker.h"
#include "app/MainBackground.h"
#include "app/MessageBox.h"
#include "app/OutputFolderCheck.h"
#include "controls/DialogFont.h"
#include "controls/FloatBtn.h"
#include "controls/MenuButton.h"
#include "controls/TitleButton.h"
#include "controls/ToolbarBtn.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/TransCheck.h"
#include "controls/TransStatic.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "lists/TrackColumns.h"
#include "platform/OpenLocation.h"
#include "resources/Template102.h"
#include "resources/WindowShape.h"
#include "transfer/CTransferDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

constexpr double kLayoutScale = 1.0; // Qt scales widget geometry itself
const QString kInvalidFolder = QStringLiteral("INVALID FOLDER");
const QString kNoTrackChecked = QStringLiteral("Please select at least 1 music!");

QRect PlaceOf(int controlId) {
    return ControlRectInPixels(MainDialogTemplate(), controlId, kLayoutScale);
}

QString TextOf(int controlId) {
    const DialogControl* control = MainDialogTemplate().Find(controlId);
    return QString::fromUtf16(control->text.data(), qsizetype(control->text.size()));
}

template <typename Control> Control* Place(QWidget* parent, int controlId) {
    auto* control = new Control(TextOf(controlId), parent);
    control->setObjectName(QString::number(controlId));
    control->setGeometry(PlaceOf(controlId));
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
    setFixedSize(TemplateSizeInPixels(MainDialogTemplate(), kLayoutScale));
    CreateControls();
    transferRunner = [](CTransferDialog& dialog) { dialog.RunModal(); };
    connect(&volumeWatcher, &CVolumeWatcher::volumeArrived, this, &CCorvaneDlg::OnVolumeNotice);
    connect(&volumeWatcher, &CVolumeWatcher::volumeRemoved, this, &CCorvaneDlg::OnVolumeNotice);
}

CCorvaneDlg::~CCorvaneDlg() {
    qApp->removeEventFilter(this);
    // The lists outlive the device library by a moment; they must not keep
    // pointers into its tables.
    EmptyPanes();
}

void CCorvaneDlg::CreateControls() {
    rescan = Place<CFloatBtn>(this, IDC_MAIN_RESCAN);
    trackList = new CListCtrlEx(this);
    trackList->PlaceAt(this, PlaceOf(IDC_MAIN_TRACKLIST));
    playlistPane = new CListCtrlLeftPane(this);
    playlistPane->PlaceAt(this, PlaceOf(IDC_MAIN_PLAYLISTS));
    notice = Place<CTransStatic>(this, IDC_MAIN_NOTICE);
    title = Place<CTransStatic>(this, IDC_MAIN_TITLE);
    closeButton = Place<CTitleButton>(this, IDC_MAIN_CLOSE);
    minimizeButton = Place<CTitleButton>(this, IDC_MAIN_MINIMIZE);
    help = Place<CMenuButton>(this, IDC_MAIN_HELP);
    folderEdit = new QLineEdit(this);
    folderEdit->setGeometry(PlaceOf(IDC_MAIN_OUTPUT_FOLDER));
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

    connect(rescan, &QAbstractButton::clicked, this, &CCorvaneDlg::OnRescanClicked);
    connect(trackList, &CListCtrlEx::rowClicked, this, &CCorvaneDlg::OnTrackClicked);
    connect(playlistPane, &CListCtrlLeftPane::rowClicked, this,
            [this](int row, QPoint) { OnPlaylistClicked(row); });
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
        nodevice->show();
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
}

void CCorvaneDlg::ApplyWindowShape() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setMask(RoundedWindowRegion(size()));
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
    std::string path;
    const int found = device.FindDevice(path);
    EmptyPanes();
    // The pane shows the master playlist again, so no row is remembered.
    selectedPlaylist = -10;
    if (!found)
        return 0;
    if (device.LoadDatabase(path) == 1) {
        trackList->SetItemCount(int(device.viewRowCount));
        trackList->SetRows(device.viewRows);
        trackList->SetDisplay(1);
        playlistPane->SetItemCount(int(device.playlistCount));
        playlistPane->SetPlaylists(device.playlists);
        playlistPane->SetDisplay(1);
    }
    return 1;
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
        nodevice->show();
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
    if (row < 0 || !trackList->IsOnCheckCell(pos))
        return;
    trackList->SetRowCheck(row, trackList->GetRowCheck(row) == 0);
    trackList->viewport()->update(
        trackList->CellRect(row, 0).united(trackList->CellRect(row, kTrackColumnCount - 1)));
}

void CCorvaneDlg::OnBrowse() {
    const FolderPick pick = PickFolder(this, QStringLiteral("Select Destination Folder"));
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

void CCorvaneDlg::RestoreAndRaise() {
    showNormal();
    raise();
    activateWindow();
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
    QPixmap picture(size());
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
