#include "platform/WindowActivation.h"

#include <QWidget>

namespace {

const char kTokenVariable[] = "XDG_ACTIVATION_TOKEN";

} // namespace

QString LaunchActivationToken() {
    return qEnvironmentVariable(kTokenVariable);
}

void RaiseWindow(QWidget& window, const QString& activationToken) {
    window.showNormal();
    window.raise();
    if (!activationToken.isEmpty())
        qputenv(kTokenVariable, activationToken.toUtf8());
    window.activateWindow();
    // A plugin that did not use the token must not pass it on to the
    // programs this one opens folders and pages with.
    qunsetenv(kTokenVariable);
}
