// SPDX-License-Identifier: MIT
#include "components/qt/ReachabilityProbe.h"

#include "components/OwnPages.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>

namespace orv {

ReachabilityProbe::ReachabilityProbe(Timing timing, QObject *parent)
    : QObject(parent), m_timing(timing)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ReachabilityProbe::ask);
}

void ReachabilityProbe::watch(const QUrl &address)
{
    stop();
    m_address = address;
    waitLonger();
}

void ReachabilityProbe::checkNow()
{
    if (!m_address.isValid())
        return;
    m_waitMs = 0;
    ask();
}

void ReachabilityProbe::stop()
{
    // Cleared first: the aborted reply reports its end at once, and that
    // report must not start the next wait.
    m_address.clear();
    m_waitMs = 0;
    m_timer.stop();
    if (m_reply)
        m_reply->abort();
}

void ReachabilityProbe::watchNetwork()
{
    // Loaded at the first page that waits for its server, not at start: the
    // backend costs a few milliseconds that no working start needs.
    if (m_watchingNetwork)
        return;
    m_watchingNetwork = true;
    if (!QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return;
    connect(QNetworkInformation::instance(), &QNetworkInformation::reachabilityChanged, this,
        [this](QNetworkInformation::Reachability reachability) {
            // The network is back: no need to wait out the pause.
            if (reachability == QNetworkInformation::Reachability::Online)
                checkNow();
        });
}

void ReachabilityProbe::waitLonger()
{
    watchNetwork();
    m_waitMs = nextRetryWaitMs(m_waitMs, { m_timing.firstWaitMs, m_timing.longestWaitMs });
    m_timer.start(m_waitMs);
}

void ReachabilityProbe::ask()
{
    if (!m_address.isValid())
        return;
    // Without a network there is nobody to ask; the network's return asks at once.
    const QNetworkInformation *network = QNetworkInformation::instance();
    const QString host = m_address.host();
    const bool onThisComputer
        = host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
    if (network && !onThisComputer
        && network->reachability() == QNetworkInformation::Reachability::Disconnected) {
        waitLonger();
        return;
    }
    m_timer.stop();
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    // Taken out first, so that its end counts as neither answer nor silence.
    if (QPointer<QNetworkReply> previous = std::exchange(m_reply, nullptr))
        previous->abort();
    QNetworkRequest request(m_address);
    request.setTransferTimeout(qMin(m_timing.answerTimeoutMs, m_timing.longestWaitMs));
    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    // Any answer at all will do; the body is the engine's business.
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply] {
        if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
            reply->setProperty("answered", true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { handleFinished(reply); });
}

void ReachabilityProbe::handleFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply || !m_address.isValid())
        return;
    m_reply = nullptr;
    const bool heard = reply->property("answered").toBool()
        || reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()
        || reply->error() == QNetworkReply::SslHandshakeFailedError;
    if (!heard) {
        waitLonger();
        return;
    }
    const QUrl address = m_address;
    stop();
    Q_EMIT answered(address);
}

} // namespace orv
