#pragma once

#include <QFont>

// The font of the skinned windows' controls: the desktop's sans font at 8
// points.
QFont DialogFont();
