#pragma once

#include "library/RemovableVolumes.h"
#include "platform/VolumeChanges.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QFileSystemWatcher;
class QSocketNotifier;

// Reports volumes coming and going by their IDs, without polling: either the
// system's mount table (the kernel flags /proc/self/mountinfo as exceptional
// whenever a mount changes) or, for a sample device and tests, a fixed list of
// directories that stand in for volumes and are watched with inotify.
class CVolumeWatcher : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::function<VolumeStates()>;

    explicit CVolumeWatcher(QObject* parent = nullptr);
    ~CVolumeWatcher() override;

    // `removableVolumes` lists the removable volumes that are mounted now;
    // it is asked again each time the mount table changes. Returns false
    // when the mount table cannot be opened.
    bool WatchMountTable(Snapshot removableVolumes,
                         const QString& mountTable = QStringLiteral("/proc/self/mountinfo"));
    // The directories of CORVANE_VOLUMES when it is set, else the mount table.
    bool WatchSystemVolumes();
    // Each listed directory is a volume with its ID. It arrives when it, or
    // the music database inside it, appears, and leaves when either vanishes.
    void WatchDirectories(const std::vector<Volume>& directories);

signals:
    void volumeArrived(int id);
    void volumeRemoved(int id);

private:
    void Rescan();
    void RewatchDirectories();
    QStringList ExistingFoldersToWatch() const;

    Snapshot snapshot;
    VolumeStates known;
    int mountTableFd = -1;
    std::unique_ptr<QSocketNotifier> mountTableNotifier;
    std::vector<Volume> watchedDirectories;
    std::unique_ptr<QFileSystemWatcher> directoryWatcher;
};

// Levels of the listed directories by ID: absent, 1 for an existing
// directory, 2 when it also holds the music database (in any letter case).
VolumeStates DirectoryVolumeStates(const std::vector<Volume>& directories);
