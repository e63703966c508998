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

inline QCoreApplication& TestApp() {
    static int argc = 1;
    static char name[] = "corvane-platform-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}
