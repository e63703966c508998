#include "DialogsTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "dialog_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

QColor PixelAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y)).toRgb();
}

RecordingOpener::RecordingOpener()
    : previous_(ReplaceLocationOpener([this](const QString& path) {
          opened << path;
          return true;
      })) {}

RecordingOpener::~RecordingOpener() {
    ReplaceLocationOpener(std::move(previous_));
}
