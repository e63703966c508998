#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

// One running copy per user. The first start holds a lock file and listens
// on a local socket, both named after the instance and kept in the user's
// runtime folder; a later start finds the lock held, asks the first one over
// the socket to bring its window forward, and gives way. A lock left behind
// by a crashed process is recognised by its dead process ID and taken over.
// The later start hands over the activation token its launcher gave it, so
// that the desktop lets the first one take the focus.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    enum Role { kFirstInstance = 1, kAlreadyRunning = 0 };

    CSingleInstance(const QString& instanceName, const QString& runtimeFolder);
    ~CSingleInstance() override;

    // kAlreadyRunning: another instance holds the lock and has been asked to
    // raise its window (if it listens yet), with `activationToken` if any. kFirstInstance
    // otherwise, also when the lock cannot be created at all: a broken runtime folder must not keep
    // the user from their music.
    Role Acquire(const QString& activationToken = {});

signals:
    // `activationToken` is empty when the later start had none, or sent one
    // that is not a plain printable token.
    void raiseRequested(const QString& activationToken);

private:
    void ListenForLaterStarts();
    void AskRunningInstanceToRaise(const QString& activationToken);

    QString socketPath;
    QLockFile lock;
    std::unique_ptr<QLocalServer> server;
};

// The per-user folder for the lock and the socket ($XDG_RUNTIME_DIR, or
// Qt's private fallback for it).
QString DefaultRuntimeFolder();
