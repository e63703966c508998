#include "MainWindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Deleted at the end rather than left to exit, so that Qt releases its font
// caches while the libraries that hold them are still there.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "corvane-mainwindow-test";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app;
        app = nullptr;
    }

private:
    QApplication* app = nullptr;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
