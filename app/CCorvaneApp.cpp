#include "app/CCorvaneApp.h"

#include "app/CCorvaneDlg.h"
#include "platform/QuitOnSignals.h"
#include "platform/SingleInstance.h"
#include "platform/WindowActivation.h"

#include <QCoreApplication>
#include <QDir>

int CCorvaneApp::InitInstance() {
    CSingleInstance instance(QString::fromLatin1(kInstanceName), DefaultRuntimeFolder());
    if (instance.Acquire(LaunchActivationToken()) == CSingleInstance::kAlreadyRunning)
        return 0;
    // Files that ship with the program, such as help.html, are found from
    // wherever it was started.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    CQuitOnSignals quitOnSignals;
    CCorvaneDlg mainWindow;
    QObject::connect(&instance, &CSingleInstance::raiseRequested, &mainWindow,
                     &CCorvaneDlg::RestoreAndRaise);
    if (!mainWindow.OnInitDialog())
        return 1;
    mainWindow.exec();
    return 0;
}
