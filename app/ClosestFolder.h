#pragma once

#include <QString>

// Where a folder picker opens for `path`: the folder itself when it exists,
// else its closest existing parent. A path that is not absolute (an empty
// box, "INVALID FOLDER") gives the home folder, never the folder the
// program happens to run in.
QString ClosestExistingFolder(const QString& path);
