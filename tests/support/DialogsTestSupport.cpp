#include "support/DialogsTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

const bool g_qtApp = InstallQtTestApplication("dialog_tests");

} // namespace

RecordingOpener::RecordingOpener()
    : previous_(ReplaceLocationOpener([this](const QString& path) {
          opened << path;
          return true;
      })) {}

RecordingOpener::~RecordingOpener() {
    ReplaceLocationOpener(std::move(previous_));
}
