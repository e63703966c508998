#include "transfer/DestinationFolder.h"

#include "transfer/FolderPath.h"

std::string EnsureChildFolder(const std::string& parent, const std::string& name,
                              const char* fallback) {
    if (!name.empty() && MakeFolder(parent + name))
        return parent + name + "/";
    MakeFolder(parent + fallback);
    return parent + fallback + "/";
}
