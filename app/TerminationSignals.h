// SPDX-License-Identifier: MIT
#pragma once

// A desktop log-out, kill or Ctrl+C (SIGTERM, SIGHUP, SIGINT) closes the
// window the way its close button does, so that its placement is filed and
// the program ends with status 0; running downloads end with the session
// without a question. A second signal while that close runs ends the program
// at once.

#include <QObject>

class QSocketNotifier;

namespace orv {

class frmBrowser;

class TerminationSignals : public QObject
{
public:
    explicit TerminationSignals(frmBrowser *window);
    ~TerminationSignals() override;

private:
    void closeWindows();

    frmBrowser *m_window;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace orv
