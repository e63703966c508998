// Mounting needs no root inside a user and mount namespace of our own, so
// the mount-table watch is tried against the real kernel. Where namespaces
// are not allowed (some containers), the test is skipped.

#include "platform/VolumeWatcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum ChildResult {
    kPassed = 0,
    kNoNamespace = 77,
    kNoArrival = 10,
    kNoRemoval = 11,
    kWrongId = 12
};

bool WriteFile(const char* path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return bool(out.flush());
}

bool EnterOwnMountNamespace() {
    uid_t uid = getuid();
    gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    WriteFile("/proc/self/setgroups", "deny");
    return WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
           WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1") &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// The mounts at `where`, by mount ID, standing in for the removable volumes.
VolumeStates MountsAt(const std::string& where) {
    VolumeStates states;
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        fields >> id >> parent >> device >> root >> mountPoint;
        if (mountPoint == where)
            states[std::stoi(id)] = 1;
    }
    return states;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

int WatchAMountComeAndGo(const std::string& where) {
    if (!EnterOwnMountNamespace())
        return kNoNamespace;
    int argc = 1;
    char name[] = "mount-watch";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    CVolumeWatcher watcher;
    int arrived = -1, removed = -1;
    QObject::connect(&watcher, &CVolumeWatcher::volumeArrived, [&](int id) { arrived = id; });
    QObject::connect(&watcher, &CVolumeWatcher::volumeRemoved, [&](int id) { removed = id; });
    if (!watcher.WatchMountTable([where] { return MountsAt(where); }))
        return kNoArrival;

    if (mount("corvane", where.c_str(), "tmpfs", 0, "size=64k") != 0)
        return kNoNamespace; // tmpfs not allowed here
    int id = MountsAt(where).begin()->first;
    if (!WaitFor([&] { return arrived >= 0; }))
        return kNoArrival;
    if (arrived != id)
        return kWrongId;
    umount(where.c_str());
    if (!WaitFor([&] { return removed >= 0; }))
        return kNoRemoval;
    return removed == id ? kPassed : kWrongId;
}

} // namespace

TEST(MountTableWatch, AMountAndItsUnmountAreReportedByMountId) {
    char where[] = "/tmp/corvane-mnt-XXXXXX";
    ASSERT_NE(mkdtemp(where), nullptr);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(WatchAMountComeAndGo(where));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    rmdir(where);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNoNamespace)
        GTEST_SKIP() << "no user and mount namespaces here";
    EXPECT_EQ(WEXITSTATUS(status), kPassed);
}
