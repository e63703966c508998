#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>

// Runs the event loop until `done` holds or `timeoutMs` passes; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Lets queued events run for a while, for checks that nothing happens.
inline void Settle(int ms = 300) {
    WaitUntil([] { return false; }, ms);
}

// Made once and never destroyed: Qt's own globals may already be gone when
// static objects are torn down at exit.
inline QCoreApplication& TestApp() {
    static int argc = 1;
    static char name[] = "corvane-platform-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}
