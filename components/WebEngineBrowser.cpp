// SPDX-License-Identifier: MIT
#include "components/WebEngineBrowser.h"

#include "components/DownloadHandler.h"
#include "components/DownloadRouter.h"
#include "components/ReachabilityProbe.h"
#include "components/StartupTrace.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QAuthenticator>
#include <QChildEvent>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QWebEngineCertificateError>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWheelEvent>

namespace orv {

class SilentPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

    bool silent = false;
    std::function<bool(const QUrl &, NavigationType, bool)> navigationFilter;

protected:
    void javaScriptAlert(const QUrl &origin, const QString &message) override
    {
        if (!silent)
            QWebEnginePage::javaScriptAlert(origin, message);
    }

    bool javaScriptConfirm(const QUrl &origin, const QString &message) override
    {
        return silent ? false : QWebEnginePage::javaScriptConfirm(origin, message);
    }

    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
        QString *result) override
    {
        return silent ? false
                      : QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
    }

    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        return navigationFilter ? navigationFilter(url, type, isMainFrame) : true;
    }
};

QWebEngineProfile *createBrowserProfile(QObject *parent)
{
    auto *profile = new QWebEngineProfile(QLatin1String(application::title), parent);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profile->setDownloadPath(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    profile->setHttpAcceptLanguage(QStringLiteral("de-DE,de"));
    return profile;
}

WebEngineBrowser::WebEngineBrowser(
    QWidget *container, QWebEngineProfile *profile, WebEngineBrowserOptions options)
    : WebBrowserControl(container), m_options(std::move(options)),
      m_view(new QWebEngineView(container)), m_page(new SilentPage(profile, m_view)),
      m_downloads(
          new DownloadHandler(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
              DownloadHandler::saveDialog(m_view), this)),
      m_probe(new ReachabilityProbe({ .firstWaitMs = m_options.firstRetryMs,
                                        .longestWaitMs = m_options.maxRetryMs,
                                        .answerTimeoutMs = m_options.answerTimeoutMs },
          this))
{
    m_hang = new HangWatch(m_page, m_options.hangPatience, this);
    connect(m_hang, &HangWatch::notAnswering, this, &WebEngineBrowser::handleNotAnswering);
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    m_view->setPage(m_page);
    // Our own page replaces the engine's for pages that cannot be reached.
    m_page->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // Scripts get no access to the clipboard: this engine cannot ask the user
    // per site, and the maker's pages need none. The user's own copy and
    // paste (keys, context menu) work as always.
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    // A server that asks for a login has answered; the user may take his
    // time. Connected before the questions, so that it runs first.
    connect(m_page, &QWebEnginePage::authenticationRequired, &m_answerTimer, &QTimer::stop);
    connect(m_page, &QWebEnginePage::proxyAuthenticationRequired, &m_answerTimer, &QTimer::stop);
    new PageLifecycle(m_page, m_view, m_options.rest, this);
    auto *questions
        = new PageQuestions(m_page, m_view, m_options.askLogin, m_options.askPermission);
    connect(questions, &PageQuestions::loginCancelled, this,
        [this](const QUrl &address) { m_loginCancelled = address; });
    // A one-window browser: links with a target and window.open() load here,
    // after the same routing as every other navigation. The engine's window
    // for them is never made: adopting it would replace this page, its
    // content and its history.
    connect(m_page, &QWebEnginePage::newWindowRequested, this, &WebEngineBrowser::handleNewWindow);
    m_page->navigationFilter
        = [this](const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame) {
              return acceptNavigation(url, int(type), isMainFrame);
          };
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &WebEngineBrowser::showContextMenu);

    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineBrowser::handleLoadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, &WebEngineBrowser::handleLoadProgress);
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        // Swapping in our own page reports "left the link" without a link
        // ever hovered; the status keeps saying what went wrong instead.
        const bool wasHovering = std::exchange(m_hovering, !url.isEmpty());
        if (url.isEmpty() && !wasHovering && m_standInFor.isValid())
            return;
        Q_EMIT StatusTextChange(url);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEngineBrowser::reportCommandStates);
    connect(m_page, &QWebEnginePage::urlChanged, this,
        [this](const QUrl &url) { Q_EMIT AddressChange(url.toString()); });
    connect(m_page, &QWebEnginePage::certificateError, this,
        [](const QWebEngineCertificateError &error) {
            // Never ask: an untrusted certificate fails the load. The failed
            // load of the page says so; a picture or icon does not speak.
            auto copy = error;
            copy.rejectCertificate();
        });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            handleRendererGone(status != QWebEnginePage::NormalTerminationStatus);
        });
    m_downloads->showsIn(m_view);
    DownloadRouter::of(profile)->add(m_downloads);
    // A link that turns out to be a file ends its load as "aborted"; the
    // download reports its own outcome.
    connect(m_downloads, &DownloadHandler::arrived, this,
        [this] { m_downloadStartedByLoad = m_loading; });
    connect(m_downloads, &DownloadHandler::statusText, this, &WebBrowserControl::StatusTextChange);
    connect(m_probe, &ReachabilityProbe::answered, this, &WebEngineBrowser::loadStoodInFor);

    connect(m_page, &QWebEnginePage::findTextFinished, this,
        [this](const QWebEngineFindTextResult &result) {
            Q_EMIT FindTextResult(result.activeMatch(), result.numberOfMatches());
        });
    m_page->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    connect(m_page, &QWebEnginePage::fullScreenRequested, this,
        [this](QWebEngineFullScreenRequest request) {
            request.accept();
            Q_EMIT FullScreenRequested(request.toggleOn());
        });
    connect(m_view, &QWebEngineView::printRequested, this, &WebBrowserControl::PrintRequested);
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, [this] { m_writingPdf = false; });
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, &WebBrowserControl::PdfPrinted);
    // The engine draws into a child widget that it may replace; Ctrl with the
    // wheel has to be caught on whichever one is there.
    m_view->installEventFilter(this);
    for (QWidget *child : m_view->findChildren<QWidget *>())
        child->installEventFilter(this);
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        m_page->triggerAction(QWebEnginePage::Stop); // fails the load, which then shows our page
    });
}

WebEngineBrowser::~WebEngineBrowser() = default;

DownloadList *WebEngineBrowser::downloads() const
{
    return m_downloads->list();
}

QWidget *WebEngineBrowser::widget() const
{
    return m_view;
}

void WebEngineBrowser::setSilent(bool silent)
{
    m_page->silent = silent;
}

bool WebEngineBrowser::silent() const
{
    return m_page->silent;
}

void WebEngineBrowser::Navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) {
        Q_EMIT StatusTextChange(toQt(texts::statusLoadFailed) + address);
        return;
    }
    userAsked({ .load = url });
}

void WebEngineBrowser::userAsked(const PageRequest &request)
{
    if (deferredWhileHung(request))
        return;
    m_hang->userActed(request);
    if (request.load.isValid())
        m_page->load(request.load);
    else if (request.historyStep < 0)
        m_page->history()->back();
    else if (request.historyStep > 0)
        m_page->history()->forward();
}

void WebEngineBrowser::GoBack()
{
    if (!canGoBack())
        fail(FailureCode::ControlFailed, "No previous page");
    if (ownPageCoversCurrentEntry()) {
        // The page that failed never became an entry: back is the page
        // the user came from, still there as it was.
        showRealPage();
        Q_EMIT StatusTextChange(toQt(texts::statusDone));
        return;
    }
    userAsked({ .load = {}, .historyStep = -1 });
}

void WebEngineBrowser::GoForward()
{
    if (!canGoForward())
        fail(FailureCode::ControlFailed, "No next page");
    userAsked({ .load = {}, .historyStep = 1 });
}

bool WebEngineBrowser::canGoBack() const
{
    return ownPageCoversCurrentEntry() || m_page->history()->canGoBack();
}

bool WebEngineBrowser::canGoForward() const
{
    // Our page stands for the newest navigation; nothing comes after it.
    return !ownPageCoversCurrentEntry() && m_page->history()->canGoForward();
}

void WebEngineBrowser::Stop()
{
    m_hang->userActed();
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowser::Refresh()
{
    // Reloading our own page would only show it again.
    if (m_standInFor.isValid()) {
        loadStoodInFor();
        return;
    }
    m_hang->userActed();
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEngineBrowser::Move(int left, int top, int width, int height)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_view);
    // Timed with what a new size sets off at once: the layout of the
    // engine's widget, which tells the page its size. A filter on the view
    // could not time that: the layout has run before any filter sees the
    // resize, and the view's own handling runs after it.
    const trace::Scope traced(trace::Work::ViewResize);
    m_view->setGeometry(
        tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
}

void WebEngineBrowser::FindText(const QString &text, bool backward)
{
    m_page->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void WebEngineBrowser::SetZoomFactor(double factor)
{
    m_zoomFactor = factor;
    m_page->setZoomFactor(factor);
    if (m_ownPage)
        m_ownPage->setZoomFactor(factor);
}

void WebEngineBrowser::Print()
{
    // One print job at a time: the engine refuses a second while the first runs.
    if (m_printing)
        return;
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), m_view->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printing = true;
    // The printer has to outlive the job.
    connect(
        m_view, &QWebEngineView::printFinished, this, [this, printer](bool) { m_printing = false; },
        Qt::SingleShotConnection);
    m_view->print(printer.get());
}

void WebEngineBrowser::PrintToPdf(const QString &filePath)
{
    m_writingPdf = true;
    m_page->printToPdf(filePath);
}

void WebEngineBrowser::finishWriting()
{
    // The engine cannot let go of a page while it writes the page's PDF: the
    // process would end in the engine's own assertion, the file cut off.
    if (!m_writingPdf)
        return;
    QEventLoop wait;
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, &wait, &QEventLoop::quit);
    QTimer::singleShot(std::chrono::seconds(30), &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void WebEngineBrowser::ExitFullScreen()
{
    m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}

bool WebEngineBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
        m_hang->userActed();
    } else if (event->type() == QEvent::Wheel) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            Q_EMIT ZoomWheel(wheel->angleDelta().y());
            return true;
        }
    }
    return WebBrowserControl::eventFilter(watched, event);
}

void WebEngineBrowser::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    // The engine may carry a zoom level of its own per site; ours wins.
    if (!qFuzzyCompare(m_page->zoomFactor(), m_zoomFactor))
        m_page->setZoomFactor(m_zoomFactor);
    // A navigation handed to the desktop or dropped never was the window's,
    // and the loads of a page whose process is being ended are over.
    if ((m_refused.isValid() && info.url() == m_refused) || m_afterHang)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        if (!m_loading) {
            m_loading = true;
            m_downloadStartedByLoad = false;
            Q_EMIT DownloadBegin();
        }
        m_probe->stop();
        m_timedOut = false;
        m_firstProgress = -1;
        m_loadUrl = info.url();
        m_loginCancelled.clear();
        m_answerTimer.start(m_options.answerTimeoutMs);
        Q_EMIT StatusTextChange(toQt(texts::statusLoading) + info.url().toString());
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        if (m_timedOut) {
            handleLoadFailed(info);
            break;
        }
        m_answerTimer.stop();
        showRealPage();
        handleLoadFinished();
        Q_EMIT StatusTextChange(toQt(texts::statusDone));
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        handleLoadFailed(info);
        break;
    }
}

void WebEngineBrowser::handleLoadFailed(const QWebEngineLoadingInfo &info)
{
    m_answerTimer.stop();
    handleLoadFinished();
    // A link that turns out to be a file ends its load as "aborted"; the
    // download reports its own outcome.
    if (m_downloadStartedByLoad)
        return;
    const auto domain = info.errorDomain();
    const bool certificate = domain == QWebEngineLoadingInfo::CertificateErrorDomain;
    if (m_loginCancelled.isValid() && info.url() == m_loginCancelled) {
        // Not the server's page saying no: ours, with a way to try again.
        m_loginCancelled.clear();
        Q_EMIT StatusTextChange(toQt(texts::statusLoginCancelled) + info.url().toString());
        m_timedOut = false;
        showOwnPage(loginNeededPageHtml(info.url()), info.url());
        return;
    }
    Q_EMIT StatusTextChange(
        (certificate ? toQt(texts::statusCertificateRejected) : toQt(texts::statusLoadFailed))
        + info.url().toString());
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
    const ReachFailure failure
        = m_timedOut ? ReachFailure::Timeout : classifyReachFailure(info.errorCode(), certificate);
    m_timedOut = false;
    showOwnPage(unreachablePageHtml(failure, info.url()), info.url());
    // A refused certificate stays refused; everything else may come back.
    if (failure != ReachFailure::Certificate)
        m_probe->watch(info.url());
}

void WebEngineBrowser::handleLoadProgress(int percent)
{
    // Progress beyond the first report means the server answered.
    if (m_firstProgress < 0)
        m_firstProgress = percent;
    else if (percent > m_firstProgress)
        m_answerTimer.stop();
    // 0 means "nothing loading" to the listeners, so it is not reported mid-load.
    if (m_loading && percent > 0)
        Q_EMIT ProgressChange(percent, 100);
}

void WebEngineBrowser::handleLoadFinished()
{
    if (!m_loading)
        return;
    m_loading = false;
    trace::reportFirstPage();
    Q_EMIT ProgressChange(-1, 100);
    Q_EMIT DownloadComplete();
    reportCommandStates();
}

void WebEngineBrowser::reportCommandStates()
{
    Q_EMIT CommandStateChange(CommandForward, canGoForward());
    Q_EMIT CommandStateChange(CommandBack, canGoBack());
}

bool WebEngineBrowser::acceptNavigation(const QUrl &url, int type, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    // Should the address turn out to be a file, it is this window's.
    m_downloads->expect(url);
    // The button of our own page loads the page it stands in for.
    if (m_standInFor.isValid() && url == m_standInFor)
        return true;
    if (m_options.trusted.isEmpty())
        return true;

    using P = QWebEnginePage;
    NavigationRequest request;
    request.target = url;
    switch (P::NavigationType(type)) {
    case P::NavigationTypeLinkClicked:
        request.kind = NavigationKind::Link;
        break;
    case P::NavigationTypeTyped:
        request.kind = NavigationKind::Typed;
        break;
    case P::NavigationTypeFormSubmitted:
        request.kind = NavigationKind::Form;
        break;
    case P::NavigationTypeBackForward:
        request.kind = NavigationKind::BackForward;
        break;
    case P::NavigationTypeReload:
        request.kind = NavigationKind::Reload;
        break;
    case P::NavigationTypeRedirect:
        request.kind = NavigationKind::Redirect;
        break;
    default:
        request.kind = NavigationKind::Other;
        break;
    }
    // The engine files navigations a script starts without the user's
    // gesture under redirects; a link click or a form is the user's.
    request.userInitiated
        = request.kind == NavigationKind::Link || request.kind == NavigationKind::Form;
    request.isRedirect = request.kind == NavigationKind::Redirect;
    const QString pageHost
        = TrustedHosts::hostOf(m_standInFor.isValid() ? m_standInFor : m_page->url());
    request.currentHost = request.isRedirect ? m_chainOrigin : pageHost;

    const Route route = routeNavigation(request, m_options.trusted);
    if (route == Route::Stay) {
        m_refused.clear();
        if (!request.isRedirect) {
            // A redirect chain starts here: in the window's own hands, on the
            // maker's site, or on a site the maker's site led to.
            if (request.kind == NavigationKind::Typed || request.kind == NavigationKind::BackForward
                || request.kind == NavigationKind::Reload || pageHost.isEmpty())
                m_chainOrigin.clear();
            else if (m_options.trusted.contains(pageHost))
                m_chainOrigin = pageHost;
        }
        return true;
    }
    m_refused = url;
    // Some addresses (mail, phone) report their start before they are asked
    // about; the window goes back to the page it shows.
    if (m_loading && m_loadUrl == url) {
        m_answerTimer.stop();
        handleLoadFinished();
        Q_EMIT StatusTextChange(toQt(texts::statusDone));
    }
    if (route == Route::Shell && m_options.openExternally)
        m_options.openExternally(url);
    return false;
}

void WebEngineBrowser::handleRendererGone(bool crashed)
{
    if (m_afterHang) {
        // Ended on purpose: no crash. The request runs once the page has
        // taken in that its process is gone.
        QTimer::singleShot(0, this, [this] {
            if (const auto request = std::exchange(m_afterHang, std::nullopt))
                userAsked(
                    request->leavesThePage() ? *request : PageRequest { .load = m_standInFor });
        });
        return;
    }
    if (!crashed)
        return;
    m_answerTimer.stop();
    handleLoadFinished();
    const QUrl address = m_standInFor.isValid() ? m_standInFor : m_page->url();
    const bool again = m_lastCrash.isValid() && m_lastCrash.elapsed() < m_options.crashWindowMs;
    m_lastCrash.start();
    m_probe->stop();
    if (again) {
        // Reloading once more would likely crash once more.
        showOwnPage(crashedPageHtml(address), address);
        return;
    }
    // Once: the page comes back as it was.
    QTimer::singleShot(0, this, [this, address] {
        if (m_standInFor.isValid())
            loadStoodInFor();
        else if (address.isValid())
            m_page->load(address);
        else
            m_page->triggerAction(QWebEnginePage::Reload);
    });
}

void WebEngineBrowser::handleNotAnswering(const PageRequest &request)
{
    // The page the user sees is the entry the hung page committed.
    const QUrl address = m_page->history()->currentItem().url();
    Q_EMIT StatusTextChange(toQt(texts::statusUnresponsive) + address.toString());
    // Whoever leaves the page gets where he asked to go at once.
    if (request.leavesThePage()) {
        endHungPage(request);
        return;
    }
    m_answerTimer.stop();
    handleLoadFinished();
    showOwnPage(unresponsivePageHtml(address), address);
    m_standInHangs = true;
}

bool WebEngineBrowser::deferredWhileHung(const PageRequest &request)
{
    if (m_afterHang) {
        m_afterHang = request; // the latest wish counts
        return true;
    }
    if (!m_standInHangs)
        return false;
    endHungPage(request);
    return true;
}

void WebEngineBrowser::endHungPage(const PageRequest &request)
{
    m_answerTimer.stop();
    handleLoadFinished();
    m_standInHangs = false;
    m_afterHang = request;
    // Nothing to wait for, or the news of the end never came.
    if (!m_hang->endRenderer())
        handleRendererGone(false);
    else
        QTimer::singleShot(std::chrono::seconds(5), this, [this] {
            if (m_afterHang)
                handleRendererGone(false);
        });
}

void WebEngineBrowser::handleNewWindow(QWebEngineNewWindowRequest &request)
{
    // Left unopened, the engine drops its window; the address loads here
    // if it belongs here.
    const QUrl url = request.requestedUrl();
    const auto type = request.isUserInitiated() ? QWebEnginePage::NavigationTypeLinkClicked
                                                : QWebEnginePage::NavigationTypeOther;
    if (url.isValid() && acceptNavigation(url, int(type), true))
        m_page->load(url);
}

void WebEngineBrowser::showOwnPage(const QString &html, const QUrl &address)
{
    m_standInFor = address;
    m_standInHangs = false;
    if (!m_ownPage) {
        m_ownPage = new SilentPage(m_page->profile(), m_view);
        m_ownPage->silent = true;
        m_ownPage->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        // Its one link is the button, and what that loads belongs in the
        // real page.
        m_ownPage->navigationFilter
            = [this](const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame) {
                  if (type != QWebEnginePage::NavigationTypeLinkClicked)
                      return true;
                  if (isMainFrame && url == m_standInFor)
                      QTimer::singleShot(0, this, &WebEngineBrowser::loadStoodInFor);
                  return false;
              };
        connect(m_ownPage, &QWebEnginePage::loadFinished, this, [this] {
            if (m_ownPage)
                m_ownPage->setZoomFactor(m_zoomFactor);
        });
    }
    m_ownPage->setHtml(html, address);
    if (m_view->page() != m_ownPage)
        m_view->setPage(m_ownPage);
    reportCommandStates();
}

void WebEngineBrowser::showRealPage()
{
    m_standInFor.clear();
    m_standInHangs = false;
    m_probe->stop();
    if (!m_ownPage)
        return;
    m_view->setPage(m_page);
    // Its display process is not kept for a failure that may never come.
    m_ownPage->deleteLater();
    m_ownPage = nullptr;
    reportCommandStates();
}

bool WebEngineBrowser::ownPageCoversCurrentEntry() const
{
    // A page that could not be reached never became an entry; the one
    // under our page is where the user came from. A page that died or
    // wanted a login is the current entry itself.
    const QWebEngineHistory *history = m_page->history();
    return m_standInFor.isValid() && history->count() > 0
        && history->currentItem().url() != m_standInFor;
}

void WebEngineBrowser::loadStoodInFor()
{
    const QUrl address = m_standInFor;
    if (m_standInHangs) {
        endHungPage({ .load = address });
        return;
    }
    m_probe->stop();
    if (address.isValid())
        m_page->load(address);
}

void WebEngineBrowser::showContextMenu(const QPoint &position)
{
    const QWebEngineContextMenuRequest *request = m_view->lastContextMenuRequest();
    if (!request)
        return;
    const ClickedOn clicked { .link = request->linkUrl(),
        .image = request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage,
        .editable = request->isContentEditable(),
        .selection = !request->selectedText().isEmpty() };
    auto *menu = new PageContextMenu(
        clicked,
        [this](PageContextMenu::Command command) { return contextCommandAvailable(command); },
        m_view);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &PageContextMenu::chosen, this,
        [this, link = clicked.link](
            PageContextMenu::Command command) { runContextCommand(command, link); });
    menu->popup(m_view->mapToGlobal(position));
}

namespace {

// The editing entries act on the page shown, be it ours.
QWebEnginePage::WebAction editAction(PageContextMenu::Command command)
{
    using C = PageContextMenu::Command;
    return command == C::Cut      ? QWebEnginePage::Cut
        : command == C::Copy      ? QWebEnginePage::Copy
        : command == C::Paste     ? QWebEnginePage::Paste
        : command == C::SelectAll ? QWebEnginePage::SelectAll
                                  : QWebEnginePage::NoWebAction;
}

} // namespace

bool WebEngineBrowser::contextCommandAvailable(PageContextMenu::Command command) const
{
    using C = PageContextMenu::Command;
    if (const auto action = editAction(command); action != QWebEnginePage::NoWebAction)
        return m_view->page()->action(action)->isEnabled();
    switch (command) {
    case C::OpenLink:
        return bool(m_options.openExternally);
    case C::Back: // the toolbar's way back and forward, our own pages skipped alike
        return canGoBack();
    case C::Forward:
        return canGoForward();
    case C::Print:
        return !m_printing;
    default:
        return true;
    }
}

void WebEngineBrowser::runContextCommand(PageContextMenu::Command command, const QUrl &link)
{
    using C = PageContextMenu::Command;
    if (const auto action = editAction(command); action != QWebEnginePage::NoWebAction) {
        m_view->page()->triggerAction(action);
        return;
    }
    switch (command) {
    case C::OpenLink:
        if (m_options.openExternally)
            m_options.openExternally(link);
        break;
    case C::SaveImage:
        if (const auto *request = m_view->lastContextMenuRequest())
            m_downloads->expect(request->mediaUrl());
        m_downloads->askWhereNext();
        m_page->triggerAction(QWebEnginePage::DownloadImageToDisk);
        break;
    case C::Back: // the history may have moved on while the menu was open
        if (canGoBack())
            GoBack();
        break;
    case C::Forward:
        if (canGoForward())
            GoForward();
        break;
    case C::Reload:
        Refresh();
        break;
    case C::Print:
        Print();
        break;
    case C::SaveAsPdf:
        Q_EMIT SaveAsPdfRequested();
        break;
    default:
        break;
    }
}

} // namespace orv
