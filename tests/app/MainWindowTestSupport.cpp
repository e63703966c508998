#include "MainWindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

const bool g_qtApp = InstallQtTestApplication("corvane-mainwindow-test");

} // namespace
