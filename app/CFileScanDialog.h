#pragma once

#include <QDialog>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

class CItuneDB;
class QLabel;
class QProgressBar;
class QPushButton;

// Reads a device whose database is gone from its music files' tags, on a
// thread of its own, while this small window shows how far it has got and
// offers to stop. The scanning thread speaks to the window only by posted
// events, as the copy worker does; the tables it fills belong to nobody
// else until it has ended, so the owner shows nothing from them meanwhile.
class CFileScanDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFileScanDialog(QWidget* parent);
    ~CFileScanDialog() override; // stops a scan still running

    // Scans the volume at `volumeRoot` into `db` (CItuneDB::LoadFromFiles)
    // and shows the window; `done` gets the result on this thread once the
    // scan has ended, unless Stop() came first.
    void Start(CItuneDB& db, const std::string& volumeRoot, std::function<void(int)> done);

    // Stops a running scan and waits for its thread; `done` is not called.
    // Before anything else loads into the same tables.
    void Stop();

    bool Running() const { return worker.joinable(); }
    QPushButton* StopButton() const { return stopButton; }
    QProgressBar* Bar() const { return bar; }

protected:
    bool event(QEvent* event) override;

private:
    class Poster;
    void Finish(int result);

    QLabel* text = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* stopButton = nullptr;
    std::thread worker;
    std::atomic<bool> stopRequested{false};
    uint32_t generation = 0; // tells a stopped scan's late events from the current one's
    std::function<void(int)> onDone;
};
