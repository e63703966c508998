// Runs the program's real main window, single-instance lock and transfer on
// Qt's Wayland platform, under the compositor the calling script started,
// and works it the way a user would: input goes in as Qt input events (a
// client cannot inject input through a Wayland compositor), while mapping,
// exposure, the transfer window and the second start are the real thing.
// A second start is the real corvane program, started beside this one.
//
//   corvane-wayland-driver CORVANE SAMPLE_DEVICE_TOOL WORK_FOLDER
//
// Prints one line per step and ends with status 0 and "PASS", or status 1.
#include "app/CCorvaneApp.h"
#include "app/CCorvaneDlg.h"
#include "app/CNodeviceDialog.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "platform/OpenLocation.h"
#include "platform/SingleInstance.h"
#include "platform/WindowActivation.h"
#include "resources/Template102.h"
#include "transfer/dialog/CTransferDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

[[noreturn]] void Fail(const QString& what) {
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    std::fflush(stderr);
    std::_Exit(1);
}

void Step(const char* what) {
    std::printf("== %s\n", what);
    std::fflush(stdout);
}

void WaitFor(const QString& what, const std::function<bool()>& done, int seconds = 20) {
    if (!QTest::qWaitFor(done, seconds * 1000))
        Fail(QStringLiteral("timed out waiting for ") + what);
}

void ClickAt(QWidget* target, QPoint pos) {
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, pos);
}

void ClickTrackCheck(CListCtrlEx& tracks, int row) {
    const QRect cell = tracks.CellRect(row, 1);
    ClickAt(tracks.viewport(), QPoint(cell.left() + 8, cell.center().y()));
}

// Moves the staged sample device into place in one step, as a mount does.
void Plug(const QString& sampleTool, const QString& work) {
    const QString staging = work + "/staging";
    if (QProcess::execute(sampleTool, {staging}) != 0)
        Fail("the sample device could not be made");
    if (!QDir().rename(staging, qEnvironmentVariable("CORVANE_VOLUMES")))
        Fail("the sample device could not be plugged");
}

// The transfer window runs modally; this finishes it once the copies are
// there, from inside its own event loop.
void FinishTransferWhenCopied(const QStringList& copies) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, copies] {
        auto* transfer = qobject_cast<CTransferDialog*>(QApplication::activeModalWidget());
        if (!transfer)
            return;
        auto* button = transfer->findChild<QAbstractButton*>();
        for (const QString& copy : copies)
            if (!QFile::exists(copy))
                return;
        if (!button || !button->isVisible() || button->text() != QStringLiteral("Finish"))
            return;
        poll->deleteLater();
        button->click();
    });
    poll->start(100);
}

int SecondStart(const QString& corvane, const QString& token) {
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), token);
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(corvane, {});
    if (!second.waitForStarted(5000))
        Fail("the second start did not start");
    // It must give way at once: waiting here with the event loop running
    // lets this instance answer its knock.
    QElapsedTimer clock;
    clock.start();
    while (second.state() != QProcess::NotRunning && clock.elapsed() < 20000)
        QTest::qWait(50);
    if (second.state() != QProcess::NotRunning)
        Fail("the second start did not end");
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    if (argc != 4)
        Fail("usage: corvane-wayland-driver CORVANE SAMPLE_DEVICE_TOOL WORK_FOLDER");
    const QString corvane = QString::fromLocal8Bit(argv[1]);
    const QString sampleTool = QString::fromLocal8Bit(argv[2]);
    const QString work = QString::fromLocal8Bit(argv[3]);
    if (QGuiApplication::platformName() != QStringLiteral("wayland"))
        Fail("not on Wayland but on " + QGuiApplication::platformName());
    QStringList opened;
    ReplaceLocationOpener([&opened](const QString& path) {
        opened << path;
        return true;
    });

    Step("start: the first instance takes the lock, maps its window and the no-device window");
    CSingleInstance instance(QString::fromLatin1(kInstanceName), DefaultRuntimeFolder());
    if (instance.Acquire() != CSingleInstance::kFirstInstance)
        Fail("another instance holds the lock");
    CCorvaneDlg window;
    QStringList raiseTokens;
    QObject::connect(&instance, &CSingleInstance::raiseRequested, &window,
                     [&](const QString& token) {
                         raiseTokens << token;
                         window.RestoreAndRaise(token);
                     });
    if (!window.OnInitDialog())
        Fail("the data folder could not be prepared");
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 20000))
        Fail("the compositor never showed the main window");
    if (window.size() != TemplateSizeInPixels(MainDialogTemplate(), 1.0))
        Fail("the main window is not laid out from its template");
    WaitFor("the no-device window", [&] {
        return window.NodeviceDialog()->isVisible() &&
               QTest::qWaitForWindowExposed(window.NodeviceDialog(), 100);
    });
    CListCtrlEx& tracks = *window.TrackList();
    CListCtrlLeftPane& playlists = *window.Playlists();
    if (tracks.itemCount() != 0 || playlists.itemCount() != 0)
        Fail("the panes are not empty without a device");

    Step("plug: the sample device fills the panes and the no-device window goes");
    Plug(sampleTool, work);
    WaitFor("the panes to fill", [&] { return tracks.itemCount() == 12; });
    WaitFor("the no-device window to hide", [&] { return !window.NodeviceDialog()->isVisible(); });
    if (playlists.itemCount() != 4)
        Fail(QStringLiteral("%1 playlists").arg(playlists.itemCount()));

    Step("copy: two checked tracks of a playlist go into the output folder");
    ClickAt(playlists.viewport(), playlists.CellRect(2, 0).center()); // Road Trip
    WaitFor("the playlist's rows", [&] { return tracks.itemCount() == 4; });
    ClickTrackCheck(tracks, 0);
    ClickTrackCheck(tracks, 1);
    if (tracks.checkedCount() != 2)
        Fail(QStringLiteral("%1 rows checked").arg(tracks.checkedCount()));
    QLineEdit* folder = window.FolderEdit();
    // Key events would reach Qt 6.4's Wayland text input, which crashes on a
    // compositor without a keyboard, as headless weston is: the box gets the
    // text that typing would leave in it, through the same change signal.
    folder->setText(work + "/out");
    const QStringList copies = {work + "/out/So What.mp3", work + "/out/Ça plane pour moi.mp3"};
    FinishTransferWhenCopied(copies);
    QAbstractButton* copy = window.Button(IDC_MAIN_COPY);
    ClickAt(copy, copy->rect().center());
    if (QDir(work + "/out").entryList(QDir::Files).size() != 2)
        Fail("unexpected copies: " + QDir(work + "/out").entryList(QDir::Files).join(", "));
    if (opened != QStringList{work + "/out/"})
        Fail("the output folder was not opened after the transfer: " + opened.join(", "));

    Step("second start: the real program gives way and the first window comes back");
    window.showMinimized();
    WaitFor("the window to minimise", [&] { return window.isMinimized(); });
    const int status = SecondStart(corvane, QStringLiteral("corvane-e2e-token"));
    if (status != 0)
        Fail(QStringLiteral("the second start ended with %1").arg(status));
    WaitFor("the raise request", [&] { return !raiseTokens.isEmpty(); });
    if (raiseTokens != QStringList{QStringLiteral("corvane-e2e-token")})
        Fail("the raise request came with " + raiseTokens.join(", "));
    WaitFor("the window to be restored", [&] { return !window.isMinimized(); });
    if (!window.isVisible() || qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"))
        Fail("the window is gone, or the token stayed in the environment");

    Step("close: the close button ends the main window");
    QAbstractButton* close = window.Button(IDC_MAIN_CLOSE);
    ClickAt(close, close->rect().center());
    WaitFor("the window to close", [&] { return !window.isVisible(); });
    std::printf("PASS\n");
    return 0;
}
