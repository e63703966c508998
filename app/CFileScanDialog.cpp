#include "app/CFileScanDialog.h"

#include "library/CItuneDB.h"
#include "library/FileScanProgress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Posted by the scanning thread: how far it is, or that it has ended.
class FileScanEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 12);
    FileScanEvent(uint32_t generation, uint32_t done, uint32_t total, bool finished, int result)
        : QEvent(kType), generation(generation), done(done), total(total), finished(finished),
          result(result) {}
    const uint32_t generation, done, total;
    const bool finished;
    const int result;
};

} // namespace

// Posts at most one progress event per whole percent, so ten thousand files
// cost a hundred repaints.
class CFileScanDialog::Poster : public FileScanProgress {
public:
    Poster(QObject* target, uint32_t generation, const std::atomic<bool>& stop)
        : target(target), generation(generation), stop(stop) {}
    void Scanned(uint32_t done, uint32_t total) override {
        const uint64_t percent = total == 0 ? 100 : uint64_t(done) * 100 / total;
        if (percent == lastPercent && done != total)
            return;
        lastPercent = percent;
        QCoreApplication::postEvent(target, new FileScanEvent(generation, done, total, false, 0));
    }
    bool StopRequested() const override { return stop.load(); }

private:
    QObject* target;
    const uint32_t generation;
    const std::atomic<bool>& stop;
    uint64_t lastPercent = UINT64_MAX;
};

CFileScanDialog::CFileScanDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Corvane: reading the music files"));
    text = new QLabel(QStringLiteral("No music database on the iPod: reading the music files' "
                                     "own tags..."),
                      this);
    text->setWordWrap(true);
    bar = new QProgressBar(this);
    stopButton = new QPushButton(QStringLiteral("Stop"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(bar);
    layout->addWidget(stopButton, 0, Qt::AlignRight);
    connect(stopButton, &QPushButton::clicked, this, [this] { stopRequested = true; });
    // Closing the window is asking to stop; the scan's end hides it.
    connect(this, &QDialog::rejected, this, [this] { stopRequested = true; });
}

CFileScanDialog::~CFileScanDialog() {
    Stop();
}

void CFileScanDialog::Start(CItuneDB& db, const std::string& volumeRoot,
                            std::function<void(int)> done) {
    Stop();
    onDone = std::move(done);
    stopRequested = false;
    bar->setRange(0, 0); // busy until the first file is read
    const uint32_t current = ++generation;
    worker = std::thread([this, &db, volumeRoot, current] {
        Poster poster(this, current, stopRequested);
        const int result = db.LoadFromFiles(volumeRoot, &poster);
        QCoreApplication::postEvent(this, new FileScanEvent(current, 0, 0, true, result));
    });
    show();
}

void CFileScanDialog::Stop() {
    if (!worker.joinable())
        return;
    stopRequested = true;
    worker.join();
    ++generation;
    onDone = {};
    hide();
}

bool CFileScanDialog::event(QEvent* event) {
    if (event->type() != FileScanEvent::kType)
        return QDialog::event(event);
    const auto* scan = static_cast<FileScanEvent*>(event);
    if (scan->generation != generation)
        return true;
    if (scan->finished) {
        Finish(scan->result);
    } else {
        bar->setRange(0, int(std::min<uint32_t>(scan->total, INT32_MAX)));
        bar->setValue(int(std::min<uint32_t>(scan->done, INT32_MAX)));
    }
    return true;
}

void CFileScanDialog::Finish(int result) {
    worker.join();
    hide();
    if (auto done = std::exchange(onDone, {}))
        done(result);
}
