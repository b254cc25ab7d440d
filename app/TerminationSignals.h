// SPDX-License-Identifier: MIT
#pragma once

// A desktop log-out, kill or Ctrl+C (SIGTERM, SIGHUP, SIGINT) closes every
// window the way its close button does, whatever modal window or dialog is
// open, so that its placement is filed, running downloads are cancelled with
// their partial files, and the program ends with status 0. A second signal
// ends the program at once, but never before that close has filed the
// placement and removed the partial files.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace orv {

class TerminationSignals : public QObject
{
public:
    // closeWindows closes every browser window.
    explicit TerminationSignals(std::function<void()> closeWindows);
    ~TerminationSignals() override;

private:
    void closeWindows();

    std::function<void()> m_closeWindows;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace orv
