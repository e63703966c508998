#pragma once

#include <QString>

class QWidget;

// The token the desktop gave this start of the program for taking the focus
// (XDG_ACTIVATION_TOKEN, set by Wayland launchers); empty when there is none.
QString LaunchActivationToken();

// Restores `window` if minimised, raises it and asks for the focus. On X11
// the window manager grants that directly. On Wayland only a compositor that
// offers xdg-activation can, and only for a token: `activationToken`, the
// one a later start of the program was launched with, is handed to Qt's
// Wayland plugin where it takes one (it reads XDG_ACTIVATION_TOKEN when
// asked to activate); otherwise the plugin asks the compositor for a token of
// its own, which a compositor that prevents focus stealing may answer with a
// "ready" notice instead of the focus.
void RaiseWindow(QWidget& window, const QString& activationToken);
