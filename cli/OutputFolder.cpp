// The output folder check of 'copy' and 'export-playlists', worded for a terminal.
#include "cli/CopyRun.h"

#include <filesystem>
#include <ostream>

#include "library/CItuneDB.h"
#include "transfer/OutputFolderRules.h"

bool PrepareOutputFolder(const std::string& given, const CItuneDB& db, std::string& folder,
                         std::ostream& err) {
    std::error_code error;
    folder = ExpandHomeFolder(given);
    folder = folder.empty() ? folder : std::filesystem::absolute(folder, error).string();
    switch (error ? OutputFolderProblem::CannotCreate
                  : PrepareOutputFolder(folder, db.DeviceRoot())) {
    case OutputFolderProblem::None:
        break;
    case OutputFolderProblem::OnDevice:
        err << "corvane-cli: the output folder " << folder << " is on the iPod at "
            << db.DeviceRoot() << "; nothing is ever written to it\n";
        return false;
    case OutputFolderProblem::CannotCreate:
        err << "Invalid output folder \"" << given << "\", please select a valid one!\n";
        return false;
    case OutputFolderProblem::NotWritable:
        err << "corvane-cli: the output folder " << folder << " is not writable\n";
        return false;
    }
    if (folder.back() != '/')
        folder += '/';
    return true;
}
