#include "support/QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    QtEnvironment(const char* programName, std::function<void()> configure)
        : name(programName), configure(std::move(configure)) {}

    void SetUp() override {
        static int argc = 1;
        static char* argv[] = {name.data(), nullptr};
        app = new QApplication(argc, argv);
        if (configure)
            configure();
    }
    void TearDown() override {
        delete app;
        app = nullptr;
    }

private:
    std::string name;
    std::function<void()> configure;
    QApplication* app = nullptr;
};

} // namespace

bool InstallQtTestApplication(const char* programName, std::function<void()> configure) {
    ::testing::AddGlobalTestEnvironment(new QtEnvironment(programName, std::move(configure)));
    return true;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return done();
}

void Settle(int milliseconds) {
    WaitUntil([] { return false; }, milliseconds);
}

QColor PixelAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y)).toRgb();
}
