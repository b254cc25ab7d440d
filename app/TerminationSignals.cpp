// SPDX-License-Identifier: MIT
#include "app/TerminationSignals.h"

#include "browser/frmBrowser.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr int kSignals[] = { SIGTERM, SIGHUP, SIGINT };

// The handler may only do async-signal-safe work: it wakes the event loop
// through a pipe, and the close runs there.
int g_wakeFd[2] = { -1, -1 };
volatile std::sig_atomic_t g_received = 0;

extern "C" void onTerminationSignal(int signal)
{
    if (g_received) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    g_received = 1;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_wakeFd[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(frmBrowser *window) : m_window(window)
{
    if (::pipe2(g_wakeFd, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe the signals keep their default meaning
    m_notifier = new QSocketNotifier(g_wakeFd[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::closeWindows);

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    if (g_wakeFd[0] >= 0) {
        ::close(g_wakeFd[0]);
        ::close(g_wakeFd[1]);
        g_wakeFd[0] = g_wakeFd[1] = -1;
    }
}

void TerminationSignals::closeWindows()
{
    char drained[16];
    while (::read(g_wakeFd[0], drained, sizeof drained) > 0) { }
    m_notifier->setEnabled(false);
    // A modal window (the Info window) closes first, as the user would close it.
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (!modal->close())
            break;
    }
    m_window->closeUnasked();
}

} // namespace orv
