// SPDX-License-Identifier: MIT
#include "components/qt/LoadWatch.h"

#include "components/LastSeen.h"
#include "components/OwnPages.h"
#include "components/qt/EnginePage.h"
#include "components/qt/LastSeenCopies.h"
#include "components/qt/ReachabilityProbe.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace orv {

// One of the program's own pages, or the last copy of a page: it shows no
// script dialogs and no icons, and its links are not followed here: the one
// to the page it stands for, and a copy's links, are reported, since what
// they load belongs in the real page. A copy gets its banner once loaded; the copy's own scripts
// never run (the engine keeps them off in saved pages), the banner's runs apart from the page's.
class OwnPage : public QWebEnginePage
{
    Q_OBJECT

public:
    OwnPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
    {
        settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            if (ok && copy.isValid() && url() == copy)
                runJavaScript(bannerScript, QWebEngineScript::ApplicationWorld);
        });
        // A copy's links with a target, or clicked with the middle button,
        // go where the same click on the live page goes; the engine's new
        // window is never made.
        connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) {
                if (request.isUserInitiated() && copy.isValid() && url() == copy)
                    Q_EMIT copyLinkClicked(request.requestedUrl());
            });
    }

    QUrl button;
    QUrl copy; // the file shown, if a copy
    QString bannerScript;

Q_SIGNALS:
    void buttonPressed();
    void copyLinkClicked(const QUrl &address);

protected:
    void javaScriptAlert(const QUrl &, const QString &) override { }
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override
    {
        return false;
    }
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (type != NavigationTypeLinkClicked)
            return true;
        if (isMainFrame && url == button)
            Q_EMIT buttonPressed();
        else if (isMainFrame && copy.isValid() && this->url() == copy)
            Q_EMIT copyLinkClicked(url);
        return false;
    }
};

LoadWatch::LoadWatch(
    EnginePage *page, QWebEngineView *view, LoadWatchOptions options, QObject *parent)
    : QObject(parent), m_page(page), m_view(view), m_options(options),
      m_probe(new ReachabilityProbe({ .firstWaitMs = options.firstRetryMs,
                                        .longestWaitMs = options.maxRetryMs,
                                        .answerTimeoutMs = options.answerTimeoutMs },
          this)),
      m_hang(new HangWatch(page, options.hangPatience, this))
{
    connect(m_page, &QWebEnginePage::loadingChanged, this, &LoadWatch::handleLoadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, &LoadWatch::handleProgress);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            handleRendererGone(status != QWebEnginePage::NormalTerminationStatus);
        });
    connect(m_page, &EnginePage::navigationRefused, this, &LoadWatch::handleRefused);
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        // Swapping in our own page reports "left the link" without a link
        // ever hovered; the status keeps saying what went wrong instead.
        const bool wasHovering = std::exchange(m_hovering, !url.isEmpty());
        if (!url.isEmpty() || wasHovering || !m_standIn.isValid())
            Q_EMIT statusText(url);
    });
    // A server that asks for a login has answered; the user may take his time.
    connect(m_page, &EnginePage::loginAsked, &m_answerTimer, &QTimer::stop);
    connect(m_page, &EnginePage::loginCancelled, this,
        [this](const QUrl &address) { m_loginCancelled = address; });
    connect(m_probe, &ReachabilityProbe::answered, this, &LoadWatch::loadStoodIn);
    connect(m_hang, &HangWatch::notAnswering, this, &LoadWatch::handleNotAnswering);
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        m_page->triggerAction(QWebEnginePage::Stop); // fails the load, which then shows our page
    });
}

void LoadWatch::request(const PageRequest &request)
{
    // A hung page takes in nothing more: it is ended first, and what the
    // user asked for last is done once it is gone.
    if (m_afterHang) {
        m_afterHang = request;
        return;
    }
    if (m_standInHangs) {
        endHungPage(request);
        return;
    }
    m_hang->userActed(request);
    if (request.load.isValid())
        m_page->load(request.load);
    else if (request.historyStep < 0)
        m_page->history()->back();
    else if (request.historyStep > 0)
        m_page->history()->forward();
}

void LoadWatch::reload()
{
    // Reloading our own page would only show it again.
    if (m_standIn.isValid()) {
        loadStoodIn();
        return;
    }
    m_hang->userActed();
    m_page->triggerAction(QWebEnginePage::Reload);
}

void LoadWatch::userActed()
{
    m_hang->userActed();
}

void LoadWatch::setZoomFactor(double factor)
{
    m_zoomFactor = factor;
    if (m_ownPage)
        m_ownPage->setZoomFactor(factor);
}

void LoadWatch::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    // A navigation handed to the desktop or dropped never was the window's,
    // and the loads of a page whose process is being ended are over.
    if ((m_page->refused().isValid() && info.url() == m_page->refused()) || m_afterHang)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        if (!m_loading) {
            m_loading = true;
            m_downloadStartedByLoad = false;
            Q_EMIT started();
        }
        m_probe->stop();
        m_timedOut = false;
        m_firstProgress = -1;
        m_loadUrl = info.url();
        m_loginCancelled.clear();
        m_answerTimer.start(m_options.answerTimeoutMs);
        Q_EMIT statusText(toQt(texts::statusLoading) + info.url().toString());
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        if (m_timedOut) {
            handleLoadFailed(info);
            break;
        }
        m_answerTimer.stop();
        showRealPage();
        finish();
        Q_EMIT statusText(toQt(texts::statusDone));
        // Complete, so worth keeping; a load stopped half way is not.
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && keeps(info.url()))
            m_copies->save(m_page, info.url());
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        handleLoadFailed(info);
        break;
    }
}

void LoadWatch::handleLoadFailed(const QWebEngineLoadingInfo &info)
{
    m_answerTimer.stop();
    finish();
    // A link that turns out to be a file ends its load as "aborted"; the
    // download reports its own outcome.
    if (m_downloadStartedByLoad)
        return;
    const auto domain = info.errorDomain();
    const bool certificate = domain == QWebEngineLoadingInfo::CertificateErrorDomain;
    const ReachFailure failure
        = m_timedOut ? ReachFailure::Timeout : classifyReachFailure(info.errorCode(), certificate);
    const bool loginCancelled = m_loginCancelled.isValid() && info.url() == m_loginCancelled;
    Q_EMIT statusText(toQt(failedLoadStatus(failure, loginCancelled)) + info.url().toString());
    if (loginCancelled) {
        // Not the server's page saying no: ours, with a way to try again.
        m_loginCancelled.clear();
        m_timedOut = false;
        showOwnPage(loginNeededPageHtml(toWebAddress(info.url())), info.url());
        return;
    }
    const bool unreachable = certificate
        || ((domain == QWebEngineLoadingInfo::ConnectionErrorDomain
                || domain == QWebEngineLoadingInfo::DnsErrorDomain)
            && info.errorCode() != -3);
    if (!m_timedOut && !unreachable) {
        // The server's own error page arrived; it is what the user asked for.
        if (domain == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            showRealPage();
        return;
    }
    m_timedOut = false;
    if (!showLastSeen(info.url(), failure))
        showOwnPage(unreachablePageHtml(failure, toWebAddress(info.url())), info.url());
    if (retriesAfter(failure))
        m_probe->watch(info.url());
}

void LoadWatch::handleProgress(int percent)
{
    // Progress beyond the first report means the server answered.
    if (m_firstProgress < 0)
        m_firstProgress = percent;
    else if (percent > m_firstProgress)
        m_answerTimer.stop();
}

void LoadWatch::handleRefused(const QUrl &address)
{
    // Some addresses (mail, phone) report their start before they are asked
    // about; the window goes back to the page it shows.
    if (m_loading && m_loadUrl == address) {
        m_answerTimer.stop();
        finish();
        Q_EMIT statusText(toQt(texts::statusDone));
    }
}

void LoadWatch::finish()
{
    if (!std::exchange(m_loading, false))
        return;
    Q_EMIT finished();
}

void LoadWatch::handleRendererGone(bool crashed)
{
    if (m_afterHang) {
        // Ended on purpose: no crash. The request runs once the page has
        // taken in that its process is gone.
        QTimer::singleShot(0, this, [this] {
            if (const auto wish = std::exchange(m_afterHang, std::nullopt))
                request(wish->leavesThePage() ? *wish : PageRequest { .load = m_standIn });
        });
        return;
    }
    if (!crashed)
        return;
    m_answerTimer.stop();
    finish();
    const QUrl address = m_standIn.isValid() ? m_standIn : m_page->url();
    const bool again = m_lastCrash.isValid() && m_lastCrash.elapsed() < m_options.crashWindowMs;
    m_lastCrash.start();
    m_probe->stop();
    if (again) {
        // Reloading once more would likely crash once more.
        showOwnPage(crashedPageHtml(toWebAddress(address)), address);
        return;
    }
    // Once: the page comes back as it was.
    QTimer::singleShot(0, this, [this, address] {
        if (m_standIn.isValid())
            loadStoodIn();
        else if (address.isValid())
            m_page->load(address);
        else
            m_page->triggerAction(QWebEnginePage::Reload);
    });
}

void LoadWatch::handleNotAnswering(const PageRequest &request)
{
    // What the user sees is the entry the hung page committed.
    const QUrl address = m_page->history()->currentItem().url();
    Q_EMIT statusText(toQt(texts::statusUnresponsive) + address.toString());
    // Whoever leaves the page gets where he asked to go at once.
    if (request.leavesThePage()) {
        endHungPage(request);
        return;
    }
    m_answerTimer.stop();
    finish();
    showOwnPage(unresponsivePageHtml(toWebAddress(address)), address);
    m_standInHangs = true;
}

void LoadWatch::endHungPage(const PageRequest &request)
{
    m_afterHang = request;
    m_standInHangs = false;
    m_answerTimer.stop();
    finish();
    // Nothing to wait for, or the news of the end never came.
    if (!m_hang->endRenderer())
        handleRendererGone(false);
    else
        QTimer::singleShot(std::chrono::seconds(5), this, [this] {
            if (m_afterHang)
                handleRendererGone(false);
        });
}

void LoadWatch::keepLastSeen(const QStringList &addresses)
{
    m_kept.clear();
    // Filed as the address the window loads for the text (WebEngineBrowser::Navigate).
    for (const QString &address : addresses)
        m_kept.insert(QString::fromStdString(
            lastSeenKey(QUrl::fromUserInput(address).toEncoded().toStdString())));
    if (!m_kept.isEmpty() && !m_copies)
        m_copies = LastSeenCopies::of(m_page->profile());
}

bool LoadWatch::keeps(const QUrl &address) const
{
    return m_copies && address.isValid()
        && m_kept.contains(QString::fromStdString(lastSeenKey(address.toEncoded().toStdString())));
}

OwnPage *LoadWatch::ownPage(const QUrl &address)
{
    m_standIn = address;
    m_standInHangs = false;
    m_page->setStandIn(address);
    if (!m_ownPage) {
        m_ownPage = new OwnPage(m_page->profile(), m_view);
        connect(m_ownPage, &OwnPage::buttonPressed, this, &LoadWatch::loadStoodIn,
            Qt::QueuedConnection);
        // A link in a copy goes where the same link on the live page would:
        // the maker's pages load here (a copy of their own standing in while
        // the host is down), others open on the desktop.
        connect(
            m_ownPage, &OwnPage::copyLinkClicked, this,
            [this](const QUrl &address) {
                if (m_page->followLink(address))
                    request({ .load = address });
            },
            Qt::QueuedConnection);
        connect(m_ownPage, &QWebEnginePage::loadFinished, this, [this] {
            if (m_ownPage)
                m_ownPage->setZoomFactor(m_zoomFactor);
        });
    }
    m_ownPage->button = address;
    m_ownPage->copy.clear();
    return m_ownPage;
}

void LoadWatch::present()
{
    if (m_view->page() != m_ownPage)
        m_view->setPage(m_ownPage);
    Q_EMIT pageSwapped();
}

void LoadWatch::showOwnPage(const std::string &html, const QUrl &address)
{
    ownPage(address)->setHtml(toQt(html), address);
    present();
}

bool LoadWatch::showLastSeen(const QUrl &address, ReachFailure failure)
{
    // A refused certificate is no outage: what the server sends now is not
    // to be trusted, and neither is a copy standing in for it.
    if (!retriesAfter(failure) || !keeps(address))
        return false;
    const auto copy = m_copies->find(address);
    if (!copy)
        return false;
    OwnPage *page = ownPage(address);
    page->copy = QUrl::fromLocalFile(copy->path);
    page->bannerScript = toQt(lastSeenBannerScript(lastSeenBanner(
        std::chrono::sys_seconds(std::chrono::seconds(copy->savedAt.toSecsSinceEpoch())),
        std::chrono::minutes(copy->savedAt.offsetFromUtc() / 60))));
    page->load(page->copy);
    present();
    return true;
}

void LoadWatch::showRealPage()
{
    m_standIn.clear();
    m_standInHangs = false;
    m_page->setStandIn({});
    m_probe->stop();
    if (!m_ownPage)
        return;
    m_view->setPage(m_page);
    // Its display process is not kept for a failure that may never come.
    m_ownPage->deleteLater();
    m_ownPage = nullptr;
    Q_EMIT pageSwapped();
}

bool LoadWatch::ownPageCoversCurrentEntry() const
{
    const QWebEngineHistory *history = m_page->history();
    return orv::ownPageCoversCurrentEntry(m_standIn.isValid(), history->count() == 0,
        history->count() > 0 && history->currentItem().url() == m_standIn);
}

void LoadWatch::loadStoodIn()
{
    const QUrl address = m_standIn;
    if (m_standInHangs) {
        endHungPage({ .load = address });
        return;
    }
    m_probe->stop();
    if (address.isValid())
        m_page->load(address);
}

} // namespace orv

#include "LoadWatch.moc"
