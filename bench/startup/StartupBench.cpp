// Time from start to the first painted main window, and the memory in use
// then, for a device of 40,000 tracks in 200 playlists. The parent writes the
// device, then starts this program again as the child that runs the real
// start-up path (single instance, data folder, device search and load,
// panes) and reports when the main window's first paint is done.
//
//   corvane-bench-startup          (needs a display; xvfb-run -a works)

#include "app/CCorvaneApp.h"
#include "support/ItunesDbWriter.h"
#include "support/LargeDatabase.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uint32_t kTracks = 40000;
constexpr uint32_t kPlaylists = 200;
constexpr uint32_t kItemsPerPlaylist = 1000;

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool WriteLargeDevice(const std::string& root) {
    const std::string folder = root + "/iPod_Control/iTunes";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const auto db = LargeDatabase(kTracks, kPlaylists, kItemsPerPlaylist);
    return !error && dbwriter::WriteFile(folder + "/iTunesDB", dbwriter::Write(db).bytes);
}

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

// Reports once the main window has painted for the first time, then closes it.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(int64_t startNs) : startNs(startNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported && event->type() == QEvent::Paint && watched->inherits("CCorvaneDlg")) {
            reported = true;
            auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, window, [this, window] {
                const double ms = (NowNs() - startNs) / 1e6;
                std::printf("start to first painted window: %.1f ms\n", ms);
                std::printf("memory in use: %.1f MB resident (peak %.1f MB)\n",
                            StatusKb("VmRSS:") / 1024.0, StatusKb("VmHWM:") / 1024.0);
                std::fflush(stdout);
                window->close();
            });
        }
        return false;
    }

private:
    int64_t startNs;
    bool reported = false;
};

int MeasureStartUp(int argc, char** argv, int64_t startNs) {
    QApplication application(argc, argv);
    FirstPaint probe(startNs);
    application.installEventFilter(&probe);
    return CCorvaneApp().InitInstance();
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--child")
        return MeasureStartUp(1, argv, std::stoll(argv[2]));

    TempDir work;
    const std::string device = work / "ipod";
    if (!WriteLargeDevice(device)) {
        std::fprintf(stderr, "cannot write the bench device under %s\n", work.path().c_str());
        return 1;
    }
    setenv("CORVANE_VOLUMES", device.c_str(), 1);
    setenv("HOME", (work / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "home/.config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (work / "run").c_str(), 1);
    mkdir((work / "home").c_str(), 0700);
    mkdir((work / "run").c_str(), 0700);
    std::printf("device: %u tracks, %u playlists of %u items\n", kTracks, kPlaylists,
                kItemsPerPlaylist);
    for (const char* round : {"first start", "second start"}) {
        std::printf("-- %s\n", round);
        std::fflush(stdout);
        const std::string start = std::to_string(NowNs());
        pid_t child = fork();
        if (child == 0) {
            execl("/proc/self/exe", argv[0], "--child", start.c_str(), nullptr);
            _exit(127);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            return 1;
    }
    return 0;
}
