#pragma once

#include "platform/OpenLocation.h"
#include "support/QtTestSupport.h"

#include <QColor>
#include <QImage>
#include <QStringList>

#include <functional>

// Helpers for the dialog tests. One QApplication for the whole program, on
// the offscreen platform with DejaVu Sans at 96 DPI.

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
