#include "app/CCorvaneDlg.h"
#include "app/CFileScanDialog.h"

#include "MainWindowTestSupport.h"
#include "app/CNodeviceDialog.h"
#include "app/COptionsDialog.h"
#include "app/FolderPicker.h"
#include "app/MainBackground.h"
#include "app/MessageBox.h"
#include "app/SettingsStore.h"
#include "controls/TransCheck.h"
#include "controls/TransStatic.h"
#include "library/ArtworkLibrary.h"
#include "library/Utf16.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "platform/DialogPlacement.h"
#include "platform/OpenLocation.h"
#include "resources/Template102.h"
#include "resources/TemplateLayout.h"
#include "support/ItunesDbWriter.h"
#include "support/TaggedSampleDevice.h"
#include "support/WindowCorners.h"
#include "transfer/dialog/CTransferDialog.h"

#include <gtest/gtest.h>

#include <QtTest/QTest>

#include <QAccessible>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include <cstdlib>
#include <map>

namespace {

// One main window over a device folder of its own, with every outward
// seam (message boxes, folder picker, opener, transfer) recorded instead.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(root.isValid());
        devicePath = root.path() + "/ipod";
        setenv("CORVANE_VOLUMES", devicePath.toUtf8().constData(), 1);
        setenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8().constData(), 1);
        QDir(root.path()).mkpath("config");
        QDir(root.path()).mkpath("music");
        QFile userDirs(root.path() + "/config/user-dirs.dirs");
        ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
        userDirs.write("XDG_MUSIC_DIR=\"" + root.path().toUtf8() + "/music\"\n");
        userDirs.close();
        ReplaceMessagePresenter([this](QWidget*, const QString& text, MessageIcon icon) {
            messages << text;
            icons.push_back(icon);
        });
        ReplaceLocationOpener([this](const QString& path) {
            opened << path;
            return true;
        });
    }

    void TearDown() override {
        window.reset();
        ReplaceMessagePresenter({});
        ReplaceLocationOpener({});
        ReplaceFolderPicker({});
        unsetenv("CORVANE_VOLUMES");
    }

    void Start() {
        window = std::make_unique<CCorvaneDlg>();
        ASSERT_TRUE(window->OnInitDialog());
        window->SetTransferRunner([this](CTransferDialog& dialog) {
            transfers.push_back({dialog.outputFolder, dialog.rows, dialog.rowCount,
                                 dialog.totalChecked, dialog.openFolderWhenDone,
                                 dialog.keepOrganized, dialog.overwriteExisting});
            if (duringTransfer)
                duringTransfer();
        });
        window->show();
    }

    CListCtrlEx& Tracks() { return *window->TrackList(); }
    CListCtrlLeftPane& Playlists() { return *window->Playlists(); }
    bool NodeviceShown() { return window->NodeviceDialog()->isVisible(); }

    void Click(QWidget* target, QPoint pos) {
        QMouseEvent press(QEvent::MouseButtonPress, pos, target->mapToGlobal(pos), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, target->mapToGlobal(pos),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }

    // A click on row `row` of the track list, `dx` pixels right of the
    // Name column's left edge.
    void ClickTrack(int row, int dx) {
        QRect cell = Tracks().CellRect(row, 1);
        Click(Tracks().viewport(), QPoint(cell.left() + dx, cell.center().y()));
    }

    void ClickPlaylist(int row) {
        Click(Playlists().viewport(), Playlists().CellRect(row, 0).center());
    }

    void ClickButton(int controlId) { window->Button(controlId)->click(); }

    struct Transfer {
        QString outputFolder;
        TrackRecord* rows;
        uint32_t rowCount;
        int totalChecked;
        bool openFolderWhenDone, keepOrganized, overwriteExisting;
    };

    QTemporaryDir root;
    QString devicePath;
    std::unique_ptr<CCorvaneDlg> window;
    QStringList messages;
    std::vector<MessageIcon> icons;
    QStringList opened;
    std::vector<Transfer> transfers;
    std::function<void()> duringTransfer;
};

} // namespace

TEST_F(MainWindow, StartsWithoutDeviceThenFollowsPlugAndUnplug) {
    Start();
    EXPECT_TRUE(NodeviceShown());
    EXPECT_EQ(Tracks().itemCount(), 0);
    EXPECT_EQ(Playlists().itemCount(), 0);
    EXPECT_EQ(window->windowTitle(), "Corvane 1.0");
    EXPECT_EQ(window->Label(IDC_MAIN_TITLE)->Text(), "Corvane");

    ASSERT_TRUE(PlugSampleDevice(devicePath));
    ASSERT_TRUE(WaitUntil([&] { return Tracks().itemCount() == 12; }));
    EXPECT_FALSE(NodeviceShown());
    EXPECT_EQ(Playlists().itemCount(), 4);
    EXPECT_EQ(window->Device().driveIndex, 1);

    ASSERT_TRUE(QDir(devicePath).removeRecursively());
    ASSERT_TRUE(WaitUntil([&] { return Tracks().itemCount() == 0; }));
    EXPECT_EQ(Playlists().itemCount(), 0);
    EXPECT_FALSE(NodeviceShown()); // only a search by hand brings it back
    ClickButton(IDC_MAIN_RESCAN);
    EXPECT_TRUE(NodeviceShown());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindow, AnotherVolumeComingOrGoingLeavesTheLoadedDeviceAlone) {
    const QString stick = root.path() + "/stick";
    setenv("CORVANE_VOLUMES", (stick + ":" + devicePath).toUtf8().constData(), 1);
    QDir().mkpath(stick);
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    ASSERT_EQ(window->Device().driveIndex, 2);
    ClickPlaylist(2);
    ClickTrack(0, 5);

    ASSERT_TRUE(QDir(stick).removeRecursively());
    Settle(500);
    QDir().mkpath(stick);
    Settle(500);
    // A reload would have shown the master playlist again, unchecked.
    EXPECT_EQ(window->SelectedPlaylist(), 2);
    EXPECT_EQ(Tracks().itemCount(), 4);
    EXPECT_EQ(Tracks().checkedCount(), 1);
}

TEST_F(MainWindow, ADeviceWithAnEmptyDatabaseLeavesThePanesEmptyWithoutAWord) {
    dbwriter::Database empty;
    QDir().mkpath(devicePath + "/iPod_Control/iTunes");
    ASSERT_TRUE(dbwriter::WriteFile((devicePath + "/iPod_Control/iTunes/iTunesDB").toStdString(),
                                    dbwriter::Write(empty).bytes));
    Start();
    EXPECT_FALSE(NodeviceShown());
    EXPECT_EQ(Tracks().itemCount(), 0);
    EXPECT_EQ(Playlists().itemCount(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

// Rescue of a device whose database is gone: its files' tags, read off the
// window's thread, with a window that shows the progress and can stop it.
TEST_F(MainWindow, ADeviceWithoutADatabaseShowsTheTracksItsFilesTagName) {
    ASSERT_TRUE(WriteSampleDeviceWithoutDatabase(devicePath.toStdString()));
    Start();
    EXPECT_FALSE(NodeviceShown());
    ASSERT_TRUE(WaitUntil([&] { return Tracks().itemCount() == 12; }));
    EXPECT_FALSE(window->FileScanDialog()->isVisible());
    EXPECT_EQ(window->FileScanDialog()->Bar()->value(), 12);
    EXPECT_EQ(Playlists().itemCount(), 1);
    EXPECT_EQ(window->Device().source, CItuneDB::Source::Files);
    EXPECT_EQ(window->Device().message.rfind("Read from the music files under ", 0), 0u);
    EXPECT_EQ(ToUtf8(Utf16View(window->Device().playlists[0].name)), "iPod");
    EXPECT_EQ(ToUtf8(Utf16View(window->Device().viewRows[0].title)), "Blue in Green");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindow, AScanOfTheFilesCanBeStoppedAndARescanStartsAgain) {
    const QString folder = devicePath + "/iPod_Control/Music/F00";
    ASSERT_TRUE(QDir().mkpath(folder));
    // Enough files that the scan is still at work when Stop is pressed.
    for (int i = 0; i < 3000; ++i) {
        QFile file(folder + QStringLiteral("/T%1.mp3").arg(i, 4, 10, QChar('0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not really audio");
    }
    Start();
    ASSERT_TRUE(window->FileScanDialog()->isVisible());
    window->FileScanDialog()->StopButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return !window->FileScanDialog()->Running(); }));
    EXPECT_FALSE(window->FileScanDialog()->isVisible());
    EXPECT_EQ(Tracks().itemCount(), 0);
    EXPECT_EQ(window->Device().message, "Scan of the music files stopped\r\n");
    EXPECT_FALSE(NodeviceShown());

    ClickButton(IDC_MAIN_RESCAN);
    ASSERT_TRUE(WaitUntil([&] { return Tracks().itemCount() == 3000; }, 60000));
    EXPECT_EQ(Tracks().checkedCount(), 0);
}

TEST_F(MainWindow, PlaylistClicksRebuildTheViewAndAReloadForgetsTheChoice) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    ASSERT_EQ(Tracks().itemCount(), 12);

    ClickPlaylist(2); // Road Trip: five items, one track twice
    EXPECT_EQ(window->SelectedPlaylist(), 2);
    EXPECT_EQ(Tracks().itemCount(), 4);
    ClickTrack(0, 5);
    ASSERT_EQ(Tracks().checkedCount(), 1);
    ClickPlaylist(2); // the same row again changes nothing
    EXPECT_EQ(Tracks().checkedCount(), 1);
    ClickPlaylist(3);
    EXPECT_EQ(Tracks().itemCount(), 3);
    EXPECT_EQ(Tracks().checkedCount(), 0);

    ClickButton(IDC_MAIN_RESCAN);
    EXPECT_EQ(window->SelectedPlaylist(), -10);
    EXPECT_EQ(Tracks().itemCount(), 12);
    ClickPlaylist(3); // shown again after the reload
    EXPECT_EQ(Tracks().itemCount(), 3);
}

TEST_F(MainWindow, OnlyTheCheckCellTogglesARow) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    ClickTrack(3, 18);
    EXPECT_EQ(Tracks().GetRowCheck(3), 1u);
    ClickTrack(3, 19);
    EXPECT_EQ(Tracks().GetRowCheck(3), 1u);
    ClickTrack(3, 0);
    EXPECT_EQ(Tracks().GetRowCheck(3), 0u);
    EXPECT_EQ(Tracks().checkedCount(), 0);
}

TEST_F(MainWindow, CopyRefusesWithoutCheckedTracksOrWithABadFolder) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    ClickButton(IDC_MAIN_COPY);
    ClickTrack(0, 5);
    ClickTrack(0, 5); // checked and cleared again: still nothing checked
    ClickButton(IDC_MAIN_COPY);
    ClickTrack(1, 5);
    window->FolderEdit()->setText("  Music ");
    ClickButton(IDC_MAIN_COPY);
    window->FolderEdit()->setText("");
    ClickButton(IDC_MAIN_COPY);
    ClickButton(IDC_MAIN_OPEN);
    EXPECT_EQ(messages,
              QStringList({"Please select at least 1 music!", "Please select at least 1 music!",
                           "Invalid output folder \"Music\", please select a valid one!",
                           "Invalid output folder \"\", please select a valid one!",
                           "Invalid output folder \"\", please select a valid one!"}));
    EXPECT_EQ(icons, std::vector<MessageIcon>(5, MessageIcon::None));
    EXPECT_TRUE(transfers.empty());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MainWindow, CopyHandsTheCheckedViewOverAndRemembersTheFolder) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    const QString out = root.path() + "/out/new";
    window->FolderEdit()->setText(out);
    window->OptionBox(IDC_MAIN_KEEP_ORGANIZED)->click();
    ClickTrack(2, 5);
    ClickTrack(5, 5);
    ClickButton(IDC_MAIN_COPY);

    ASSERT_EQ(transfers.size(), 1u);
    const Transfer& t = transfers[0];
    EXPECT_EQ(t.outputFolder, out + "/");
    EXPECT_EQ(t.rows, window->Device().viewRows);
    EXPECT_EQ(t.rowCount, 12u);
    EXPECT_EQ(t.totalChecked, 2);
    EXPECT_TRUE(t.openFolderWhenDone);
    EXPECT_TRUE(t.keepOrganized);
    EXPECT_FALSE(t.overwriteExisting);
    EXPECT_TRUE(QFileInfo(out).isDir());
    EXPECT_EQ(window->FolderEdit()->text(), out);

    SettingsStore settings((root.path() + "/config/Corvane Data/settings.ini").toStdString());
    EXPECT_EQ(settings.ReadFolder(), (out + "/").toStdString());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindow, CopyAndOpenExpandTheHomeFolderAndRefuseTheDevice) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    const QByteArray savedHome = qgetenv("HOME");
    setenv("HOME", (root.path() + "/home").toUtf8().constData(), 1);
    Start();
    ClickTrack(0, 5);
    const QString onDevice = devicePath + "/iPod_Control/iTunes/new";
    window->FolderEdit()->setText(onDevice);
    ClickButton(IDC_MAIN_COPY);
    ClickButton(IDC_MAIN_OPEN);
    EXPECT_EQ(messages, QStringList(2, "The output folder \"" + onDevice +
                                           "\" is on the iPod, and Corvane never writes to it; "
                                           "please select another one!"));
    EXPECT_FALSE(QFileInfo::exists(onDevice));
    EXPECT_TRUE(transfers.empty());

    window->FolderEdit()->setText("~/Music/FromIPod");
    ClickButton(IDC_MAIN_COPY);
    setenv("HOME", savedHome.constData(), 1);
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].outputFolder, root.path() + "/home/Music/FromIPod/");
    EXPECT_TRUE(QFileInfo(root.path() + "/home/Music/FromIPod").isDir());
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(MainWindow, VolumeNoticesDuringATransferWaitUntilItEnds) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    window->FolderEdit()->setText(root.path() + "/out");
    ClickTrack(0, 5);
    TrackRecord* rowsBefore = window->Device().viewRows;
    bool keptDuringTransfer = false;
    duringTransfer = [&] {
        ASSERT_TRUE(QDir(devicePath).removeRecursively());
        Settle(500);
        QCoreApplication::postEvent(window.get(), new QEvent(kRescanDeviceEvent));
        Settle(100);
        keptDuringTransfer = window->Device().viewRows == rowsBefore && Tracks().itemCount() == 12;
    };
    ClickButton(IDC_MAIN_COPY);
    EXPECT_TRUE(keptDuringTransfer);
    EXPECT_EQ(Tracks().itemCount(), 0);
    EXPECT_EQ(window->Device().driveIndex, -1);
}

TEST_F(MainWindow, OptionsAreSavedAtOnceAndReadAtTheNextStart) {
    Start();
    EXPECT_EQ(window->OptionBox(IDC_MAIN_OPEN_WHEN_DONE)->GetCheck(), 1);
    EXPECT_EQ(window->OptionBox(IDC_MAIN_KEEP_ORGANIZED)->GetCheck(), 0);
    EXPECT_EQ(window->OptionBox(IDC_MAIN_OVERWRITE)->GetCheck(), 0);
    window->OptionBox(IDC_MAIN_OPEN_WHEN_DONE)->click();
    window->OptionBox(IDC_MAIN_OVERWRITE)->click();

    window.reset();
    Start();
    EXPECT_EQ(window->OptionBox(IDC_MAIN_OPEN_WHEN_DONE)->GetCheck(), 0);
    EXPECT_EQ(window->OptionBox(IDC_MAIN_KEEP_ORGANIZED)->GetCheck(), 0);
    EXPECT_EQ(window->OptionBox(IDC_MAIN_OVERWRITE)->GetCheck(), 1);
    // The default output folder, made on first use, since none was used yet.
    EXPECT_EQ(window->OutputFolder(), root.path() + "/music/My Transfered iPod Music");
    EXPECT_TRUE(QFileInfo(window->OutputFolder()).isDir());
}

TEST_F(MainWindow, BrowseOpenAndHelp) {
    Start();
    ReplaceFolderPicker([](QWidget*, const QString& title, const QString&) {
        EXPECT_EQ(title, "Select Destination Folder");
        return FolderPick{};
    });
    const QString before = window->OutputFolder();
    ClickButton(IDC_MAIN_BROWSE);
    EXPECT_EQ(window->OutputFolder(), before);

    ReplaceFolderPicker([](QWidget*, const QString&, const QString&) {
        return FolderPick{true, {}};
    });
    for (int pick = 0; pick < 2; ++pick) { // the box shows the same text the second time
        ClickButton(IDC_MAIN_BROWSE);
        EXPECT_EQ(window->FolderEdit()->text(), "INVALID FOLDER");
        ClickButton(IDC_MAIN_OPEN);
        EXPECT_EQ(messages.value(pick),
                  "Invalid output folder \"INVALID FOLDER\", please select a valid one!");
    }

    const QString picked = root.path() + "/picked/deeper";
    ReplaceFolderPicker([&](QWidget*, const QString&, const QString&) {
        return FolderPick{true, picked};
    });
    ClickButton(IDC_MAIN_BROWSE);
    EXPECT_EQ(window->FolderEdit()->text(), picked);
    ClickButton(IDC_MAIN_OPEN);
    EXPECT_TRUE(QFileInfo(picked).isDir());
    ClickButton(IDC_MAIN_HELP);
    EXPECT_EQ(opened, QStringList({picked, HelpPagePath()}));
}

TEST_F(MainWindow, EnterAndEscapeNeverCloseTheWindow) {
    Start();
    for (QWidget* target : std::initializer_list<QWidget*>{window.get(), window->FolderEdit()}) {
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
        }
    }
    Settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->result(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindow, MinimiseRestoreAndClose) {
    Start();
    ClickButton(IDC_MAIN_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return window->isMinimized(); }));
    qputenv("XDG_ACTIVATION_TOKEN", "token-this-start-was-launched-with");
    window->RestoreAndRaise(QStringLiteral("token-of-the-second-start"));
    EXPECT_FALSE(window->isMinimized());
    // Folders and pages opened later must not start with a stale token.
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
    EXPECT_TRUE(window->isVisible());
    ClickButton(IDC_MAIN_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !window->isVisible(); }));
}

TEST_F(MainWindow, OnlyTheFirstThreeBackgroundPaintsRefreshThePanes) {
    Start();
    for (int i = 0; i < 6; ++i)
        window->grab();
    EXPECT_EQ(window->EraseCount(), 3);
}

TEST_F(MainWindow, ADataFolderThatCannotBeMadeEndsTheStart) {
    QFile blocker(root.path() + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setenv("XDG_CONFIG_HOME", (root.path() + "/not-a-folder").toUtf8().constData(), 1);
    CCorvaneDlg dialog;
    EXPECT_FALSE(dialog.OnInitDialog());
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Corvane Data")) << messages[0].toStdString();
    EXPECT_EQ(icons[0], MessageIcon::Warning);
}

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

} // namespace

TEST_F(MainWindow, EveryCornerPixelAgreesWithTheBorder) {
    Start();
    const QStringList faults =
        CornerFaults(window->grab().toImage(), window->mask(), QColor(0, 0, 0));
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

TEST_F(MainWindow, TabWalksTheTemplateTabStopsAndLeavesTheLists) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    window->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == window.get(); }));
    const std::vector<int> order = {
        IDC_MAIN_RESCAN,    IDC_MAIN_TRACKLIST, IDC_MAIN_PLAYLISTS,      IDC_MAIN_CLOSE,
        IDC_MAIN_MINIMIZE,  IDC_MAIN_HELP,      IDC_MAIN_OUTPUT_FOLDER,  IDC_MAIN_COPY,
        IDC_MAIN_BROWSE,    IDC_MAIN_OPEN,      IDC_MAIN_OPEN_WHEN_DONE, IDC_MAIN_KEEP_ORGANIZED,
        IDC_MAIN_OVERWRITE, IDC_MAIN_OPTIONS,   IDC_MAIN_RESCAN};
    window->Button(IDC_MAIN_RESCAN)->setFocus(Qt::TabFocusReason);
    for (size_t i = 1; i < order.size(); ++i) {
        Press(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::number(order[i]))
            << "Tab number " << i;
    }
    // Six Tabs in the filled track list do not walk its cells.
    Tracks().setFocus(Qt::TabFocusReason);
    Press(&Tracks(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &Playlists());
    EXPECT_EQ(Tracks().currentIndex().row(), 0);
}

TEST_F(MainWindow, SpaceTogglesTheCurrentRowAsTheCheckCellDoes) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    Tracks().setFocus();
    Tracks().setCurrentIndex(Tracks().model()->index(2, 1));
    Press(&Tracks(), Qt::Key_Space);
    EXPECT_EQ(Tracks().GetRowCheck(2), 1u);
    EXPECT_EQ(Tracks().checkedCount(), 1);
    Press(&Tracks(), Qt::Key_Down);
    Press(&Tracks(), Qt::Key_Space);
    EXPECT_EQ(Tracks().GetRowCheck(3), 1u);
    ClickTrack(3, 5); // the check cell undoes what Space did, and row 3 is current
    EXPECT_EQ(Tracks().GetRowCheck(3), 0u);
    EXPECT_EQ(Tracks().checkedCount(), 1);
    Press(&Tracks(), Qt::Key_Space);
    Press(&Tracks(), Qt::Key_Space);
    EXPECT_EQ(Tracks().GetRowCheck(3), 0u);
    EXPECT_EQ(Tracks().GetRowCheck(2), 1u);
    EXPECT_EQ(Tracks().checkedCount(), 1);
    EXPECT_EQ(Tracks().itemCount(), 12);
}

TEST_F(MainWindow, ArrowKeysInThePlaylistPaneShowThePlaylist) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    Playlists().setFocus(Qt::TabFocusReason); // focus alone changes nothing
    EXPECT_EQ(window->SelectedPlaylist(), -10);
    ClickPlaylist(1);
    ClickTrack(0, 5);
    Press(&Playlists(), Qt::Key_Down); // Road Trip
    EXPECT_EQ(window->SelectedPlaylist(), 2);
    EXPECT_EQ(Tracks().itemCount(), 4);
    EXPECT_EQ(Tracks().checkedCount(), 0);
    Press(&Playlists(), Qt::Key_PageDown); // Favourites, the last row
    EXPECT_EQ(window->SelectedPlaylist(), 3);
    EXPECT_EQ(Tracks().itemCount(), 3);
    ClickTrack(0, 5);
    Press(&Playlists(), Qt::Key_Down); // already the last row: nothing changes
    EXPECT_EQ(Tracks().checkedCount(), 1);
    Press(&Playlists(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(window->SelectedPlaylist(), 0);
    EXPECT_EQ(Tracks().itemCount(), 12);
}

TEST_F(MainWindow, BrowseOpensAtTheBoxFolderOrItsClosestExistingParent) {
    Start();
    QStringList starts;
    ReplaceFolderPicker([&](QWidget*, const QString&, const QString& start) {
        starts << start;
        return FolderPick{};
    });
    const QString music = root.path() + "/music";
    for (const QString& typed :
         {music, music + "/not/yet/there", QString("  relative/x "), QString()}) {
        window->FolderEdit()->setText(typed);
        ClickButton(IDC_MAIN_BROWSE);
    }
    EXPECT_EQ(starts, QStringList({music, music, QDir::homePath(), QDir::homePath()}));
}

TEST_F(MainWindow, EveryControlButTheListsTellsAScreenReaderWhatItIs) {
    Start();
    // Named by what they show, but for the title bar's pictures and the box beside its label.
    const std::map<int, QString> named = {{IDC_MAIN_CLOSE, "Close"},
                                          {IDC_MAIN_MINIMIZE, "Minimize"},
                                          {IDC_MAIN_TITLE, "Corvane"},
                                          {IDC_MAIN_OUTPUT_FOLDER, "Output to:"}};
    const std::map<ControlKind, QAccessible::Role> roles = {
        {ControlKind::PushButton, QAccessible::Button},
        {ControlKind::CheckBox, QAccessible::CheckBox},
        {ControlKind::StaticText, QAccessible::StaticText},
        {ControlKind::EditBox, QAccessible::EditableText}};
    auto iface = [&](int id) {
        return QAccessible::queryAccessibleInterface(
            window->findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly));
    };
    for (const DialogControl& control : MainDialogTemplate().controls) {
        if (control.kind == ControlKind::ListView)
            continue;
        QAccessibleInterface* found = iface(control.id);
        ASSERT_NE(found, nullptr) << control.id;
        EXPECT_EQ(found->role(), roles.at(control.kind)) << control.id;
        EXPECT_EQ(found->text(QAccessible::Name),
                  named.count(control.id) ? named.at(control.id) : CaptionOf(control));
        EXPECT_EQ(found->state().focusable, control.kind != ControlKind::StaticText);
        EXPECT_EQ(found->state().checkable, control.kind == ControlKind::CheckBox);
    }
    EXPECT_EQ(iface(IDC_MAIN_OUTPUT_LABEL)->relations(QAccessible::Labelled).value(0).first,
              iface(IDC_MAIN_OUTPUT_FOLDER));

    // The options as saved (opening the folder on by default), and a tick by Space saved too.
    EXPECT_TRUE(iface(IDC_MAIN_OPEN_WHEN_DONE)->state().checked);
    EXPECT_FALSE(iface(IDC_MAIN_KEEP_ORGANIZED)->state().checked);
    QTest::keyClick(window->OptionBox(IDC_MAIN_KEEP_ORGANIZED), Qt::Key_Space);
    EXPECT_TRUE(iface(IDC_MAIN_KEEP_ORGANIZED)->state().checked);
    window.reset();
    Start();
    EXPECT_TRUE(iface(IDC_MAIN_KEEP_ORGANIZED)->state().checked);
}

TEST_F(MainWindow, EnterPressesAFocusedButtonButNeverClosesAndF1AsksForHelp) {
    Start();
    window->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == window.get(); }));
    int picks = 0;
    ReplaceFolderPicker([&](QWidget*, const QString&, const QString&) {
        ++picks;
        return FolderPick{};
    });
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(window->Button(IDC_MAIN_BROWSE), key);
    EXPECT_EQ(picks, 2);
    QTest::keyClick(window->Button(IDC_MAIN_HELP), Qt::Key_Space);
    QTest::keyClick(window->FolderEdit(), Qt::Key_F1);
    EXPECT_EQ(opened, QStringList({HelpPagePath(), HelpPagePath()}));

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(window->Button(IDC_MAIN_CLOSE), key);
    Settle();
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(window->Button(IDC_MAIN_CLOSE), Qt::Key_Space);
    EXPECT_TRUE(WaitUntil([&] { return !window->isVisible(); }));
}

namespace {

using Naming = COptionsDialog::Naming;
constexpr OptionKey kChoices[] = {kCheckSaveCovers, kCheckWriteTags, kCheckWriteM3u8,
                                  kCheckSkipIdentical};

COptionsDialog& OpenOptions(CCorvaneDlg& window) {
    window.Button(IDC_MAIN_OPTIONS)->click();
    return *window.OptionsDialog();
}

// Each transfer runs to its end; `told` notes whether its job had covers,
// tags and skip-identical on, and the device's covers (the first row has one).
void CopyForReal(CCorvaneDlg& window, std::vector<CopyOutcome>& outcomes, std::vector<bool>& told) {
    window.SetTransferRunner([&](CTransferDialog& transfer) {
        transfer.show();
        ASSERT_TRUE(WaitUntil([&] { return transfer.Progress().mayClose(); }));
        const CopyJob& job = transfer.Job();
        const TrackDetails* first = window.Device().DetailsOf(transfer.rows[0]);
        told.push_back(job.writeCovers && job.writeTags && job.skipIdentical && job.artwork &&
                       first && job.artwork->CoverOf(*first).Valid());
        outcomes.push_back(transfer.Outcome());
    });
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST_F(MainWindow, OptionsOpensCentredAndTransientFromAControlThatCrowdsNoOther) {
    Start();
    const TemplateLayout layout(MainDialogTemplate());
    const QRect place = window->Button(IDC_MAIN_OPTIONS)->geometry();
    for (const DialogControl& control : MainDialogTemplate().controls)
        EXPECT_TRUE(control.id == IDC_MAIN_OPTIONS ||
                    !layout.PlaceOf(control.id).intersects(place));
    const MainBackground panel{.trackList = Tracks().geometry(),
                               .playlistPane = Playlists().geometry(),
                               .copyButton = window->Button(IDC_MAIN_COPY)->geometry(),
                               .icon = {}};
    EXPECT_TRUE(panel.OptionPanel().contains(place));
    EXPECT_LT(place.right(), panel.DividerX());

    COptionsDialog& options = OpenOptions(*window);
    ASSERT_TRUE(WaitUntil([&] { return options.isVisible(); }));
    EXPECT_EQ(options.windowTitle(), "Options");
    EXPECT_EQ(options.windowHandle()->transientParent(), window->windowHandle());
    // Placed as the message boxes are: its corner where its client area would be centred.
    EXPECT_EQ(options.frameGeometry().topLeft(),
              CentredTopLeft(window->geometry(), options.size()));
    QTest::keyClick(&options, Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible());
    OpenOptions(*window).NamingButton(Naming::Own)->click();
    QTest::keyClick(options.FormatEdit(), Qt::Key_Escape); // also from inside the box
    EXPECT_FALSE(options.isVisible());
}

TEST_F(MainWindow, OptionsSurviveARestartAndTheNextTransfersUseThem) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    ASSERT_TRUE(WriteSampleArtwork(devicePath.toStdString()));
    Start();
    COptionsDialog* options = &OpenOptions(*window);
    for (OptionKey key : kChoices)
        options->OptionBox(key)->click();
    options->NamingButton(Naming::Own)->click();
    QTest::keyClicks(options->FormatEdit(), "{genre}/{title}");

    window.reset();
    Start();
    options = &OpenOptions(*window);
    for (OptionKey key : kChoices)
        EXPECT_TRUE(options->OptionBox(key)->isChecked()) << key.name;
    EXPECT_TRUE(options->NamingButton(Naming::Own)->isChecked());
    EXPECT_EQ(options->FormatEdit()->text(), "{genre}/{title}");
    options->close();

    std::vector<CopyOutcome> outcomes;
    std::vector<bool> told;
    CopyForReal(*window, outcomes, told);
    const QString out = root.path() + "/out";
    window->FolderEdit()->setText(out);
    ClickTrack(0, 5);
    ClickButton(IDC_MAIN_COPY);
    ClickButton(IDC_MAIN_COPY);
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(told, std::vector<bool>(2, true));
    EXPECT_EQ(outcomes[0].copiedCount, 1u);
    EXPECT_EQ(ReadAll(out + "/Sample iPod.m3u8"),
              "#EXTM3U\n#EXTINF:12,Miles Davis - Blue in Green\nJazz/Blue in Green.mp3\n");
    // The second finds the copy there, and lists it all the same.
    EXPECT_EQ(outcomes[1].skippedCount, 1u);
    EXPECT_TRUE(ReadAll(out + "/Sample iPod(0).m3u8").endsWith("\nJazz/Blue in Green.mp3\n"));
}

TEST_F(MainWindow, OptionsPreviewTheFirstTickedTrackAndSayWhatIsWrongWithAFormat) {
    ASSERT_TRUE(PlugSampleDevice(devicePath));
    Start();
    COptionsDialog& options = OpenOptions(*window);
    EXPECT_EQ(options.Preview()->text(), "Tick a track to see the name its copy gets.");
    options.close();
    ClickTrack(2, 5);
    ClickTrack(1, 5);
    window->OptionBox(IDC_MAIN_KEEP_ORGANIZED)->click();
    const QString usual = "The first ticked track: Miles Davis/Kind of Blue/So What.mp3";
    EXPECT_EQ(OpenOptions(*window).Preview()->text(), usual);
    options.NamingButton(Naming::AlbumArtistDisc)->click();
    EXPECT_EQ(options.FormatEdit()->text(), "{albumartist}/{album}/{disc}-{track:02} {title}");
    EXPECT_FALSE(options.FormatEdit()->isEnabled());
    options.NamingButton(Naming::Own)->click();
    options.FormatEdit()->clear();
    QTest::keyClicks(options.FormatEdit(), "{genre}/{year} {title}");
    EXPECT_EQ(options.Preview()->text(), "The first ticked track: Jazz/So What.mp3");
    EXPECT_TRUE(options.FormatError()->isHidden());
    QTest::keyClicks(options.FormatEdit(), "/{mood}");
    EXPECT_TRUE(options.FormatError()->text().contains("{mood}"));
    EXPECT_FALSE(options.FormatError()->isHidden());
    EXPECT_EQ(options.Preview()->text(), usual); // what a transfer then does
}
