#pragma once

#include "support/SampleDevice.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>
#include <string>

// Made once and never destroyed: Qt's own globals may already be gone when
// static objects are torn down at exit.
inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "corvane-mainwindow-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

inline void Settle(int ms = 200) {
    WaitUntil([] { return false; }, ms);
}

// Makes the sample device elsewhere and moves it into place in one step, as
// a mount makes a whole volume appear at once.
inline bool PlugSampleDevice(const QString& where) {
    QTemporaryDir staging(QFileInfo(where).absolutePath() + "/.staging-XXXXXX");
    staging.setAutoRemove(false);
    return WriteSampleDevice(staging.path().toStdString()) && QDir().rename(staging.path(), where);
}
