#pragma once

#include "platform/OpenLocation.h"

#include <QColor>
#include <QImage>
#include <QStringList>

#include <functional>

// Helpers for the dialog tests. One QApplication for the whole program, on
// the offscreen platform with DejaVu Sans at 96 DPI.

// Runs the event loop until `done` holds or `timeoutMs` passes; says which.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Runs the event loop for a little while, so anything queued is handled.
void PumpFor(int milliseconds);

QColor PixelAt(const QImage& image, int x, int y);

// Stands in for the desktop while it lives: records every folder or page
// the code under test asks to open, and opens nothing.
class RecordingOpener {
public:
    RecordingOpener();
    ~RecordingOpener();
    RecordingOpener(const RecordingOpener&) = delete;
    RecordingOpener& operator=(const RecordingOpener&) = delete;

    QStringList opened;

private:
    LocationOpener previous_;
};
