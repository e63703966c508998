#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const QByteArray kRaiseRequest = "raise\n";
constexpr int kSocketTimeoutMs = 2000;

} // namespace

QString DefaultRuntimeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

CSingleInstance::CSingleInstance(const QString& instanceName, const QString& runtimeFolder)
    : socketPath(QDir(runtimeFolder).filePath(instanceName)),
      lock(QDir(runtimeFolder).filePath(instanceName + QStringLiteral(".lock"))) {
    // Only a dead owner makes the lock stale: an instance that has run for
    // days must still hold it.
    lock.setStaleLockTime(0);
}

CSingleInstance::~CSingleInstance() = default;

CSingleInstance::Role CSingleInstance::Acquire() {
    if (lock.tryLock(0)) {
        ListenForLaterStarts();
        return kFirstInstance;
    }
    if (lock.error() != QLockFile::LockFailedError)
        return kFirstInstance;
    AskRunningInstanceToRaise();
    return kAlreadyRunning;
}

void CSingleInstance::ListenForLaterStarts() {
    // We hold the lock, so a socket file here is a crashed instance's leftover.
    QLocalServer::removeServer(socketPath);
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->canReadLine() && client->readLine() == kRaiseRequest)
                    emit raiseRequested();
            });
        }
    });
    server->listen(socketPath);
}

void CSingleInstance::AskRunningInstanceToRaise() {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kSocketTimeoutMs))
        return; // still starting up, or gone: either way this start ends
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kSocketTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kSocketTimeoutMs);
}
