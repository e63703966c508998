#pragma once

#include <string>

#include "transfer/NameFormat.h"

class CItuneDB;
struct TrackRecord;

// The fields a name format names, for a row of `library`'s view; the
// details are left unknown when `library` is null or does not hold the row.
NameFields TrackNameFields(const CItuneDB* library, const TrackRecord& row);

// Creates the folders of a formatted name under `outputFolder` (ending in
// "/") and returns the innermost, ending in "/". A level that cannot be
// made a folder sets `error` to its errno, as EnsureChildFolder does.
std::string EnsureFormattedFolders(const std::string& outputFolder, const FormattedName& name,
                                   int& error);
