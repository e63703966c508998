#pragma once

class QString;

// Whether the program may put its own top-level windows where it wants. On
// Wayland the compositor alone places them (a move is ignored), so centring
// a window there must be left to it; X11 and the offscreen platform honour
// explicit positions.
bool MayPlaceTopLevelWindows();

// The same rule for a named Qt platform ("xcb", "wayland", "wayland-egl"...).
bool MayPlaceTopLevelWindows(const QString& platformName);
