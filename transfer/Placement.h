#pragma once

#include <string>

class RunNames;
class StagedCopy;

// Where a staged file is to go: its folder, and the parts the free-name
// search builds its names from.
struct Placement {
    std::string folder;      // ending in "/"
    std::string title;       // safe title component, may be empty
    std::string ext;         // safe extension with its dot, may be empty
    std::string destination; // the full path settled on
    bool replace = false;    // the destination holds a file from before the walk, to be replaced
};

// Settles `place.destination`: a free name, or with `overwrite` also one
// that holds a file from before the walk. 0, or a CopyFailureReason.
int ChooseName(Placement& place, RunNames& names, bool overwrite);

// Renames what `staged` holds into place and tells `names`. Without
// `overwrite` the name chosen before is tried first, and a name someone
// took meanwhile sends the search on; with it the name is chosen now, in
// the folder's turn, as the file there may have changed while the bytes
// were staged. 0 (placed), or a CopyFailureReason.
int PlaceStaged(StagedCopy& staged, Placement& place, RunNames& names, bool overwrite);
