#include "transfer/DestinationFolder.h"

#include "transfer/FolderPath.h"

std::string EnsureChildFolder(const std::string& parent, const std::string& name,
                              const char* fallback, int& error) {
    if (!name.empty() && MakeFolder(parent + name))
        return parent + name + "/";
    if (!MakeFolder(parent + fallback))
        error = errno;
    return parent + fallback + "/";
}
