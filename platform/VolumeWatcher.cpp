#include "platform/VolumeWatcher.h"

#include "library/DatabaseChoice.h"
#include "library/ResolvePath.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kDatabaseChain[] = {"/iPod_Control", "/iPod_Control/iTunes"};

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The closest folder above `directory` that exists, where its missing
// levels will be made.
std::string ExistingAncestorOf(const std::string& directory) {
    std::string folder = ParentOf(directory);
    while (folder != "/" && folder != "." && !IsDirectory(folder))
        folder = ParentOf(folder);
    return folder;
}

// The folders whose changes can make a listed directory, or its database,
// appear or vanish: the closest existing folder above it, itself and the
// folders down to the database.
std::vector<std::string> FoldersToWatch(const std::string& directory) {
    return {ExistingAncestorOf(directory), directory,
            ResolveExistingPath(directory + kDatabaseChain[0]),
            ResolveExistingPath(directory + kDatabaseChain[1])};
}

} // namespace

VolumeStates DirectoryVolumeStates(const std::vector<Volume>& directories) {
    VolumeStates states;
    for (const Volume& volume : directories) {
        if (!IsDirectory(volume.mountPoint))
            continue;
        const std::string database = ChooseDatabaseOnVolume(volume.mountPoint);
        const bool hasDatabase = !database.empty() && IsFile(database);
        states[volume.id] = hasDatabase ? 2 : 1;
    }
    return states;
}

CVolumeWatcher::CVolumeWatcher(QObject* parent) : QObject(parent) {}

CVolumeWatcher::~CVolumeWatcher() {
    mountTableNotifier.reset();
    if (mountTableFd >= 0)
        ::close(mountTableFd);
}

bool CVolumeWatcher::WatchMountTable(Snapshot removableVolumes, const QString& mountTable) {
    mountTableFd = ::open(QFile::encodeName(mountTable).constData(), O_RDONLY | O_CLOEXEC);
    if (mountTableFd < 0)
        return false;
    snapshot = std::move(removableVolumes);
    known = snapshot();
    mountTableNotifier =
        std::make_unique<QSocketNotifier>(mountTableFd, QSocketNotifier::Exception);
    connect(mountTableNotifier.get(), &QSocketNotifier::activated, this, &CVolumeWatcher::Rescan);
    return true;
}

bool CVolumeWatcher::WatchSystemVolumes() {
    if (std::getenv("CORVANE_VOLUMES")) {
        WatchDirectories(ListRemovableVolumes());
        return true;
    }
    return WatchMountTable([] {
        VolumeStates states;
        for (const Volume& volume : ListRemovableVolumes())
            states[volume.id] = 1;
        return states;
    });
}

void CVolumeWatcher::WatchDirectories(const std::vector<Volume>& directories) {
    watchedDirectories = directories;
    snapshot = [directories] { return DirectoryVolumeStates(directories); };
    directoryWatcher = std::make_unique<QFileSystemWatcher>();
    connect(directoryWatcher.get(), &QFileSystemWatcher::directoryChanged, this,
            &CVolumeWatcher::Rescan);
    RewatchDirectories();
    known = snapshot();
}

QStringList CVolumeWatcher::ExistingFoldersToWatch() const {
    QStringList folders;
    for (const Volume& volume : watchedDirectories) {
        for (const std::string& folder : FoldersToWatch(volume.mountPoint)) {
            QString name = QFile::decodeName(folder.c_str());
            if (IsDirectory(folder) && !folders.contains(name))
                folders.push_back(name);
        }
    }
    return folders;
}

void CVolumeWatcher::RewatchDirectories() {
    // Watches come first and the snapshot after, so a change racing with
    // this call is either seen by the snapshot or reported by a watch. A
    // folder made inside another before that one was watched is caught by
    // looking again until the set stands still.
    QStringList folders = ExistingFoldersToWatch();
    for (int round = 0; round < 32; ++round) {
        QStringList watched = directoryWatcher->directories();
        QStringList gone, added;
        for (const QString& folder : watched) {
            if (!folders.contains(folder))
                gone.push_back(folder);
        }
        for (const QString& folder : folders) {
            if (!watched.contains(folder))
                added.push_back(folder);
        }
        if (!gone.isEmpty())
            directoryWatcher->removePaths(gone);
        if (!added.isEmpty())
            directoryWatcher->addPaths(added);
        QStringList now = ExistingFoldersToWatch();
        if (now == folders)
            return;
        folders = now;
    }
}

void CVolumeWatcher::Rescan() {
    if (directoryWatcher)
        RewatchDirectories();
    VolumeStates now = snapshot();
    std::vector<VolumeChange> changes = DiffVolumeStates(known, now);
    known = std::move(now);
    for (const VolumeChange& change : changes) {
        if (change.arrived)
            emit volumeArrived(change.id);
        else
            emit volumeRemoved(change.id);
    }
}
