#include "platform/SingleInstance.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>

#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

// A bound socket file with nobody behind it once the process is gone.
bool BindSocketFile(const QString& path) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QByteArray name = QFile::encodeName(path);
    if (fd < 0 || name.size() >= int(sizeof(address.sun_path)))
        return false;
    memcpy(address.sun_path, name.constData(), name.size());
    return bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
           listen(fd, 1) == 0;
}

const QString kName = QStringLiteral("CorvaneV1.0-5D81E0B7-2F4A-4c63-9E1D-0B7C3A52F618");

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(runtime.isValid());
    }

    QString LockPath() const { return runtime.path() + "/" + kName + ".lock"; }

    // Leaves the lock file and the socket behind as a crashed instance would:
    // a child takes both and dies without cleaning up.
    void CrashAnInstance() {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            QLockFile lock(LockPath());
            bool locked = lock.tryLock(0);
            _exit(locked && BindSocketFile(runtime.path() + "/" + kName) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        ASSERT_TRUE(QFile::exists(LockPath()));
    }

    QTemporaryDir runtime{"/tmp/corvane-rt-XXXXXX"};
};

} // namespace

TEST_F(SingleInstance, ASecondStartGivesWayAndAsksTheFirstToRaise) {
    CSingleInstance first(kName, runtime.path());
    int raises = 0;
    QObject::connect(&first, &CSingleInstance::raiseRequested, [&] { ++raises; });
    ASSERT_EQ(first.Acquire(), CSingleInstance::kFirstInstance);

    CSingleInstance second(kName, runtime.path());
    EXPECT_EQ(second.Acquire(), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(WaitUntil([&] { return raises == 1; }));

    CSingleInstance third(kName, runtime.path());
    EXPECT_EQ(third.Acquire(), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(WaitUntil([&] { return raises == 2; }));
}

TEST_F(SingleInstance, ALockLeftByACrashDoesNotBlockTheNextStart) {
    CrashAnInstance();
    CSingleInstance next(kName, runtime.path());
    int raises = 0;
    QObject::connect(&next, &CSingleInstance::raiseRequested, [&] { ++raises; });
    ASSERT_EQ(next.Acquire(), CSingleInstance::kFirstInstance);

    // The dead instance's socket file was replaced by a live one.
    CSingleInstance later(kName, runtime.path());
    EXPECT_EQ(later.Acquire(), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(WaitUntil([&] { return raises == 1; }));
}

TEST_F(SingleInstance, AnInstanceRunningForHoursKeepsItsLock) {
    CSingleInstance first(kName, runtime.path());
    ASSERT_EQ(first.Acquire(), CSingleInstance::kFirstInstance);
    struct utimbuf hoursAgo {
        time(nullptr) - 5 * 3600, time(nullptr) - 5 * 3600
    };
    ASSERT_EQ(utime(QFile::encodeName(LockPath()).constData(), &hoursAgo), 0);

    CSingleInstance second(kName, runtime.path());
    EXPECT_EQ(second.Acquire(), CSingleInstance::kAlreadyRunning);
}

TEST_F(SingleInstance, TheLockIsFreeAgainAfterTheFirstInstanceEnds) {
    {
        CSingleInstance first(kName, runtime.path());
        ASSERT_EQ(first.Acquire(), CSingleInstance::kFirstInstance);
    }
    CSingleInstance next(kName, runtime.path());
    EXPECT_EQ(next.Acquire(), CSingleInstance::kFirstInstance);
}

TEST_F(SingleInstance, AnUnusableRuntimeFolderStillLetsTheProgramRun) {
    CSingleInstance first(kName, runtime.path() + "/no/such/folder");
    EXPECT_EQ(first.Acquire(), CSingleInstance::kFirstInstance);
}
