// SPDX-License-Identifier: MIT
#pragma once

// Notices a page that no longer answers. A script that never ends holds the
// page's only thread: the page draws nothing new, takes no input and, on its
// own site, cannot take in a new page either, while the load seems to go on.
// So after each thing the user does with the page, its display process is
// asked for a sign of life: a trivial script in a world of the program's
// own, which the page's scripts cannot touch, asked again every second in
// case a new page took the question's place. No answer for a few seconds,
// and no page loaded meanwhile, means the page hangs.
//
// The one way out is ending that display process. Nothing inside the engine
// can stop the script, and the engine's debug address for it (chrome://kill)
// is carried out by the very thread that is stuck; the process id the page
// reports (renderProcessPid()) and a kill signal reach it from outside.

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QWebEnginePage;

namespace orv {

// What the user asked the page for: an address to load, a step in the
// history (-1 back, 1 forward), or neither (a reload, a tool, a click).
struct PageRequest
{
    QUrl load;
    int historyStep = 0;

    bool leavesThePage() const { return load.isValid() || historyStep != 0; }
};

class HangWatch : public QObject
{
    Q_OBJECT

public:
    HangWatch(QWebEnginePage *page, std::chrono::milliseconds patience, QObject *parent);

    // The user did something with the page. Only a page on screen, awake
    // and with a display process of its own is asked.
    void userActed(const PageRequest &request = {});

    // Ends the page's display process; the page then reports it gone
    // (renderProcessTerminated). False when it has none.
    bool endRenderer();

Q_SIGNALS:
    // The page did not answer; request is the latest the user asked for.
    void notAnswering(const PageRequest &request);

private:
    void ask();
    void stop();

    QWebEnginePage *m_page;
    QTimer m_deadline;
    QTimer m_again;
    quint64 m_round = 0; // answers of earlier rounds come too late
    PageRequest m_request;
};

} // namespace orv
