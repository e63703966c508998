#include "app/CCorvaneDlg.h"

#include "app/CFileScanDialog.h"
#include "app/CNodeviceDialog.h"
#include "app/COptionsDialog.h"
#include "app/DataFolder.h"
#include "app/DefaultOutputFolder.h"
#include "app/ListKeys.h"
#include "app/MessageBox.h"
#include "app/TabOrder.h"
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
#include "resources/TemplateLayout.h"
#include "transfer/dialog/CTransferDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>

namespace {

const TemplateLayout kLayout(MainDialogTemplate());

template <typename Control> Control* Place(QWidget* parent, int controlId) {
    auto* control = new Control(kLayout.TextOf(controlId), parent);
    control->setObjectName(QString::number(controlId));
    control->setGeometry(kLayout.PlaceOf(controlId));
    return control;
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
    optionsButton = Place<CToolbarBtnEx>(this, IDC_MAIN_OPTIONS);
    // Plain labels let the mouse through, so the window can be dragged by them.
    for (CTransStatic* label : {notice, title, outputLabel})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    ApplyTemplateTabOrder(*this, MainDialogTemplate());
    NameForScreenReaders();

    connect(rescan, &QAbstractButton::clicked, this, &CCorvaneDlg::OnRescanClicked);
    connect(trackList, &CListCtrlEx::rowClicked, this, &CCorvaneDlg::OnTrackClicked);
    connect(playlistPane, &CListCtrlLeftPane::rowClicked, this,
            [this](int row, QPoint) { OnPlaylistClicked(row); });
    auto* listKeys = new CListKeys(trackList, playlistPane, this);
    connect(listKeys, &CListKeys::playlistRequested, this, &CCorvaneDlg::OnPlaylistClicked);
    connect(browse, &QAbstractButton::clicked, this, &CCorvaneDlg::OnBrowse);
    connect(open, &QAbstractButton::clicked, this, &CCorvaneDlg::OnOpen);
    connect(folderEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { outputFolder = text.trimmed(); });
    connect(copy, &QAbstractButton::clicked, this, &CCorvaneDlg::OnCopyToComputer);
    connect(optionsButton, &QAbstractButton::clicked, this, &CCorvaneDlg::OnOptions);
    for (int id : {IDC_MAIN_OPEN_WHEN_DONE, IDC_MAIN_KEEP_ORGANIZED, IDC_MAIN_OVERWRITE})
        connect(OptionBox(id), &QAbstractButton::clicked, this, [this, id] { SaveOption(id); });
    connect(closeButton, &QAbstractButton::clicked, this, &QWidget::close, Qt::QueuedConnection);
    connect(minimizeButton, &QAbstractButton::clicked, this, &QWidget::showMinimized,
            Qt::QueuedConnection);
    connect(help, &QAbstractButton::clicked, this, [] { OpenLocalLocation(HelpPagePath()); });
    // F1 asks for help from any of the program's windows not blocked by a
    // modal one.
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::ApplicationShortcut);
    connect(helpKey, &QShortcut::activated, help, &QAbstractButton::click);
}

// The title bar's captions are pictures of what the buttons do, and the
// output box has its label beside it rather than inside.
void CCorvaneDlg::NameForScreenReaders() {
    minimizeButton->setAccessibleName(QStringLiteral("Minimize"));
    closeButton->setAccessibleName(QStringLiteral("Close"));
    folderEdit->setAccessibleName(outputLabel->Text());
    outputLabel->SetBuddy(folderEdit);
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
    trackList->InsertDetailColumns();
    trackList->InitHeader();
    trackList->SetDetailsLookup([this](const TrackRecord& row) { return device.DetailsOf(row); });
    trackList->ShowDetailColumns(ParseDetailColumns(settings->ReadTrackColumns()));
    connect(trackList, &CListCtrlEx::detailColumnsChanged, this, [this] {
        settings->WriteTrackColumns(DetailColumnsSetting(trackList->ShownDetailColumns()));
    });
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
    // After the scan's window, which its preview asks whether the tables are free.
    options = new COptionsDialog(
        this, *settings, [this](const NameFormat& format) { return FirstCheckedCopyPath(format); });
    options->hide();
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
