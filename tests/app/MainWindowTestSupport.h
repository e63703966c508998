#pragma once

#include "support/QtTestSupport.h"
#include "support/SampleDevice.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <string>

// The test program's QApplication, made before the first test and deleted
// after the last (see MainWindowTestSupport.cpp).
inline QApplication& TestApp() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

// Makes the sample device elsewhere and moves it into place in one step, as
// a mount makes a whole volume appear at once.
inline bool PlugSampleDevice(const QString& where) {
    QTemporaryDir staging(QFileInfo(where).absolutePath() + "/.staging-XXXXXX");
    staging.setAutoRemove(false);
    return WriteSampleDevice(staging.path().toStdString()) && QDir().rename(staging.path(), where);
}
