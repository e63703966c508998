#pragma once

#include <QString>

#include <functional>

// Opens a local folder or page in the desktop's default application (the
// file manager for a folder, the browser for a page). Fire-and-forget: the
// answer only says whether the desktop accepted the request.
bool OpenLocalLocation(const QString& path);

// Where the program's help page lives: "help.html" beside the executable.
QString HelpPagePath();

// Opens the help page at its section `section` (an anchor of the page).
// A replaced opener is handed the page's path, "#" and the section.
bool OpenHelpSection(const QString& section);

// Tests replace the opener so that no real window is ever opened. Returns
// the opener that was in place; pass an empty function to restore the
// desktop's.
using LocationOpener = std::function<bool(const QString& path)>;
LocationOpener ReplaceLocationOpener(LocationOpener opener);
