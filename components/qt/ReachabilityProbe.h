// SPDX-License-Identifier: MIT
#pragma once

// Waits for the host of a page that could not be reached to answer again.
// It asks the host aside, without the engine, so that the window does not
// flicker through failed loads: first after a short wait, then less and less
// often up to a longest wait, and at once when the network comes back. Any
// HTTP answer counts, an error or a login request too: the host is there.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace orv {

class ReachabilityProbe : public QObject
{
    Q_OBJECT

public:
    struct Timing
    {
        int firstWaitMs = 2000;
        int longestWaitMs = 60000;
        // One question gets no longer than this (nor than the longest wait).
        int answerTimeoutMs = 30000;
    };

    explicit ReachabilityProbe(Timing timing, QObject *parent = nullptr);

    // Starts over for this address: the first question after the first wait.
    void watch(const QUrl &address);
    // Asks at once; after a silence the waits start short again.
    void checkNow();
    // No further question, and the answer to one under way goes unheard.
    void stop();

Q_SIGNALS:
    // Once per watch; the probe has stopped by then.
    void answered(const QUrl &address);

private:
    void watchNetwork();
    void waitLonger();
    void ask();
    void handleFinished(QNetworkReply *reply);

    Timing m_timing;
    QUrl m_address;
    QTimer m_timer;
    int m_waitMs = 0;
    bool m_watchingNetwork = false;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
};

} // namespace orv
