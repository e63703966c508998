#pragma once

#include <QColor>
#include <QImage>

#include <functional>

// Shared by the widget test programs.

// Makes one QApplication for the whole test program before the first test,
// then runs `configure` (to pin a font, say), and deletes it after the last
// test, so Qt releases its caches while the libraries that hold them are
// still loaded. Call once, from a namespace-scope initialiser.
bool InstallQtTestApplication(const char* programName, std::function<void()> configure = {});

// Runs the event loop until `done` holds or `timeoutMs` passes; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Lets queued events run for a while, for checks that nothing happens.
void Settle(int milliseconds = 300);

// The colour of one pixel, without alpha.
QColor PixelAt(const QImage& image, int x, int y);
