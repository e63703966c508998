#include "MainWindowTestSupport.h"

namespace {

const bool g_qtApp = InstallQtTestApplication("corvane-highdpi-test");

} // namespace
