#include "platform/SingleInstance.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocalSocket>
#include <QStringList>

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
    QObject::connect(&first, &CSingleInstance::raiseRequested, [&](const QString&) { ++raises; });
    ASSERT_EQ(first.Acquire(), CSingleInstance::kFirstInstance);

    CSingleInstance second(kName, runtime.path());
    EXPECT_EQ(second.Acquire(), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(WaitUntil([&] { return raises == 1; }));

    CSingleInstance third(kName, runtime.path());
    EXPECT_EQ(third.Acquire(), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(WaitUntil([&] { return raises == 2; }));
}

// What a later start sends, written straight to the first one's socket.
void SendLine(const QString& socketPath, const QByteArray& line) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(line);
    ASSERT_TRUE(socket.waitForBytesWritten(2000));
    socket.disconnectFromServer();
}

TEST_F(SingleInstance, TheLaterStartsActivationTokenReachesTheFirst) {
    CSingleInstance first(kName, runtime.path());
    QStringList tokens;
    QObject::connect(&first, &CSingleInstance::raiseRequested,
                     [&](const QString& token) { tokens << token; });
    ASSERT_EQ(first.Acquire(), CSingleInstance::kFirstInstance);

    CSingleInstance(kName, runtime.path()).Acquire(QStringLiteral("gnome-shell/corvane/1-2_TIME9"));
    ASSERT_TRUE(WaitUntil([&] { return tokens.size() == 1; }));
    EXPECT_EQ(tokens[0], QStringLiteral("gnome-shell/corvane/1-2_TIME9"));

    // A token with a blank or a control character in it is not one the
    // desktop handed out: the window is raised without it.
    CSingleInstance(kName, runtime.path()).Acquire(QStringLiteral("two words"));
    CSingleInstance(kName, runtime.path()).Acquire(QString::fromUtf8("caf\xc3\xa9"));
    SendLine(runtime.path() + "/" + kName, "raise a\x01b\n");
    SendLine(runtime.path() + "/" + kName, "raise " + QByteArray(2000, 'x') + "\n");
    ASSERT_TRUE(WaitUntil([&] { return tokens.size() == 5; }));
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(tokens[i], QString()) << i;

    // Lines that are not raise requests raise nothing.
    SendLine(runtime.path() + "/" + kName, "raisetoken\n");
    SendLine(runtime.path() + "/" + kName, "quit\n");
    CSingleInstance(kName, runtime.path()).Acquire();
    ASSERT_TRUE(WaitUntil([&] { return tokens.size() == 6; }));
    EXPECT_FALSE(WaitUntil([&] { return tokens.size() > 6; }, 300));
}

TEST_F(SingleInstance, ALockLeftByACrashDoesNotBlockTheNextStart) {
    CrashAnInstance();
    CSingleInstance next(kName, runtime.path());
    int raises = 0;
    QObject::connect(&next, &CSingleInstance::raiseRequested, [&](const QString&) { ++raises; });
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
