#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace {

const QByteArray kRaiseRequest = "raise";
constexpr int kSocketTimeoutMs = 2000;
constexpr int kMaxTokenLength = 1024;
constexpr qint64 kMaxLineLength = kMaxTokenLength + 16;

// Whatever a later start sends, only a short run of printable ASCII may reach
// the desktop as a token.
bool IsPlainToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxTokenLength)
        return false;
    return std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

// "raise" alone, or "raise TOKEN", one line.
QByteArray RaiseRequest(const QString& activationToken) {
    QByteArray request = kRaiseRequest;
    const QByteArray token = activationToken.toUtf8();
    if (!activationToken.isEmpty() && IsPlainToken(token))
        request += ' ' + token;
    return request + '\n';
}

// The token of a raise request line, empty without one; nullopt when the
// line is not a raise request at all.
std::optional<QString> ParseRaiseRequest(QByteArray line) {
    if (line.endsWith('\n'))
        line.chop(1);
    if (line == kRaiseRequest)
        return QString();
    if (!line.startsWith(kRaiseRequest + ' '))
        return std::nullopt;
    const QByteArray token = line.mid(kRaiseRequest.size() + 1);
    return IsPlainToken(token) ? QString::fromLatin1(token) : QString();
}

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

CSingleInstance::Role CSingleInstance::Acquire(const QString& activationToken) {
    if (lock.tryLock(0)) {
        ListenForLaterStarts();
        return kFirstInstance;
    }
    if (lock.error() != QLockFile::LockFailedError)
        return kFirstInstance;
    AskRunningInstanceToRaise(activationToken);
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
                while (client->canReadLine()) {
                    const QByteArray line = client->readLine(kMaxLineLength);
                    if (std::optional<QString> token = ParseRaiseRequest(line))
                        emit raiseRequested(*token);
                }
            });
        }
    });
    server->listen(socketPath);
}

void CSingleInstance::AskRunningInstanceToRaise(const QString& activationToken) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kSocketTimeoutMs))
        return; // still starting up, or gone: either way this start ends
    socket.write(RaiseRequest(activationToken));
    socket.waitForBytesWritten(kSocketTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kSocketTimeoutMs);
}
