#include "platform/QuitOnSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction g_previous[std::size(kQuitSignals)];
int g_writeEnd = -1;

// Only async-signal-safe work here: one byte to wake the event loop.
void OnQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_writeEnd, &byte, 1);
}

} // namespace

CQuitOnSignals::CQuitOnSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CQuitOnSignals::OnSignalled);
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kQuitSignals); ++i)
        ::sigaction(kQuitSignals[i], &action, &g_previous[i]);
}

CQuitOnSignals::~CQuitOnSignals() {
    if (!notifier_)
        return;
    for (size_t i = 0; i < std::size(kQuitSignals); ++i)
        ::sigaction(kQuitSignals[i], &g_previous[i], nullptr);
    g_writeEnd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void CQuitOnSignals::OnSignalled() {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    // Not quit(): that asks every window to close first, and the transfer
    // window refuses while it copies. exit() ends every event loop at once.
    QCoreApplication::exit(0);
}
