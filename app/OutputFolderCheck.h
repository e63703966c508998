#pragma once

#include <QString>

#include <string>

class QWidget;

// The output folder check that Copy to Computer and Open run on the box's
// folder before using it: a leading "~/" becomes the home folder, a folder
// on the device is refused with a message of its own (nothing is ever
// written to the iPod, not even a missing folder level), and otherwise
// every missing level is created, or the invalid-folder message is shown.
// `folder` is left expanded. `deviceRoot` is the loaded device's root, ""
// for none. True when the folder is ready.
bool CheckOutputFolder(QWidget* parent, QString& folder, const std::string& deviceRoot);
