// SPDX-License-Identifier: MIT
#include "app/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace orv {

namespace {

constexpr int kSignals[] = { SIGTERM, SIGHUP, SIGINT };

// The handler may only do async-signal-safe work: it wakes the event loop
// through a pipe, and the close runs there.
int g_wakeFd[2] = { -1, -1 };
volatile std::sig_atomic_t g_received = 0;
volatile std::sig_atomic_t g_hurry = 0; // a second signal came
volatile std::sig_atomic_t g_filed = 0; // the close has filed everything

extern "C" void onTerminationSignal(int)
{
    if (g_filed)
        ::_exit(0);
    if (g_received) {
        g_hurry = 1;
        return;
    }
    g_received = 1;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_wakeFd[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> closeWindows)
    : m_closeWindows(std::move(closeWindows))
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
    // The window is gone and has filed its settings; what is left is the
    // engine's clean-up, which a signal may cut short: it ends with status 0
    // rather than with the signal's default death.
    g_filed = 1;
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
    // Modal windows and dialogs (the Info window, a print or file dialog, a
    // question of the page) go first, as the user would close them; one that
    // will not close is hidden, which ends its event loop all the same.
    QWidget *previous = nullptr;
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (modal == std::exchange(previous, modal))
            break; // it stays whatever we do; the window closes regardless
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        if (modal->isVisible())
            modal->hide();
    }
    m_closeWindows();
    g_filed = 1;
    if (g_hurry)
        ::_exit(0);
    // Leaves every event loop, also those of dialogs whose callers have not
    // returned yet.
    QCoreApplication::quit();
}

} // namespace orv
