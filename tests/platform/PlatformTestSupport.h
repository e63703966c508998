#pragma once

#include "support/QtTestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <functional>

// Made once and never destroyed: Qt's own globals may already be gone when
// static objects are torn down at exit.
inline QCoreApplication& TestApp() {
    static int argc = 1;
    static char name[] = "corvane-platform-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}
