// SPDX-License-Identifier: MIT
#pragma once

// Lets the engine give back what a page holds while no one can see it. Out
// of sight (the window minimised or hidden) for a while, the page is frozen:
// its scripts and timers stop. After a long while it is discarded: its
// display process lets go of it, where the engine says the page would lose
// nothing by that. Shown again, the engine wakes it and reloads a discarded
// page; an address loaded meanwhile wakes it too.

#include <QObject>
#include <QTimer>

#include <chrono>

class QWebEnginePage;
class QWebEngineView;

namespace orv {

struct RestDelays
{
    std::chrono::milliseconds freeze = std::chrono::minutes(1);
    std::chrono::milliseconds discard = std::chrono::minutes(30);
};

class PageLifecycle : public QObject
{
    Q_OBJECT

public:
    PageLifecycle(QWebEnginePage *page, QWebEngineView *view, RestDelays delays, QObject *parent);

private:
    void follow();
    void rest(int state);

    QWebEnginePage *m_page;
    QWebEngineView *m_view;
    QTimer m_freeze;
    QTimer m_discard;
};

} // namespace orv
