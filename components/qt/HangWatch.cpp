// SPDX-License-Identifier: MIT
#include "components/qt/HangWatch.h"

#include <QPointer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <csignal>

namespace orv {

HangWatch::HangWatch(QWebEnginePage *page, std::chrono::milliseconds patience, QObject *parent)
    : QObject(parent), m_page(page)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(patience);
    m_again.setInterval(std::chrono::seconds(1));
    connect(&m_again, &QTimer::timeout, this, &HangWatch::ask);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        m_again.stop();
        Q_EMIT notAnswering(std::exchange(m_request, {}));
    });
    // A page that loads to its end answers, and one whose process is gone
    // has nothing left to hang.
    connect(
        m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
            if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
                stop();
        });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, &HangWatch::stop);
}

void HangWatch::userActed(const PageRequest &request)
{
    // Where the user asks for several things, the latest way off the page counts.
    if (request.leavesThePage() || !m_deadline.isActive())
        m_request = request;
    if (m_deadline.isActive())
        return;
    if (!m_page->isVisible() || m_page->lifecycleState() != QWebEnginePage::LifecycleState::Active
        || m_page->renderProcessPid() <= 0)
        return;
    ++m_round;
    m_deadline.start();
    m_again.start();
    ask();
}

void HangWatch::ask()
{
    m_page->runJavaScript(QStringLiteral("0"), QWebEngineScript::ApplicationWorld,
        [watch = QPointer<HangWatch>(this), round = m_round](const QVariant &) {
            if (watch && watch->m_round == round)
                watch->stop();
        });
}

void HangWatch::stop()
{
    ++m_round;
    m_deadline.stop();
    m_again.stop();
    m_request = {};
}

bool HangWatch::endRenderer()
{
    stop();
    const qint64 pid = m_page->renderProcessPid();
    return pid > 0 && ::kill(pid_t(pid), SIGKILL) == 0;
}

} // namespace orv
