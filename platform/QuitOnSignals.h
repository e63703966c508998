#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT (a session that ends, a closed terminal,
// Ctrl-C) into an orderly quit of the application: every event loop returns,
// so a running transfer is stopped and waited for and leaves no temporary
// file, where the signals' default would end the process on the spot.
// One object at a time; the previous dispositions come back with its end.
class CQuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit CQuitOnSignals(QObject* parent = nullptr);
    ~CQuitOnSignals() override;

private:
    void OnSignalled();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};
