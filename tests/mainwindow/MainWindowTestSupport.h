#pragma once

#include "support/SampleDevice.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>
#include <string>

// The test program's QApplication, made before the first test and deleted
// after the last (see MainWindowTestSupport.cpp).
inline QApplication& TestApp() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
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
