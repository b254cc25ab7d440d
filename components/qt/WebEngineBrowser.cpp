// SPDX-License-Identifier: MIT
#include "components/qt/WebEngineBrowser.h"

#include "components/OwnPages.h"
#include "components/qt/DownloadHandler.h"
#include "components/qt/DownloadRouter.h"
#include "components/qt/EnginePage.h"
#include "components/qt/LoadWatch.h"
#include "components/qt/PageContextMenu.h"
#include "components/qt/StartupTrace.h"
#include "components/qt/Twips.h"
#include "core/Failure.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QChildEvent>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWheelEvent>

namespace orv {

namespace {

PageRules pageRules(const WebEngineBrowserOptions &options)
{
    return { .trusted = options.trusted,
        .askLogin = options.askLogin,
        .askPermission = options.askPermission };
}

LoadWatchOptions watchOptions(const WebEngineBrowserOptions &options)
{
    return { .answerTimeoutMs = options.answerTimeoutMs,
        .firstRetryMs = options.firstRetryMs,
        .maxRetryMs = options.maxRetryMs,
        .crashWindowMs = options.crashWindowMs,
        .hangPatience = options.hangPatience };
}

} // namespace

WebEngineBrowser::WebEngineBrowser(
    QWidget *container, QWebEngineProfile *profile, WebEngineBrowserOptions options)
    : WebBrowserControl(container), m_options(std::move(options)),
      m_view(new QWebEngineView(container)),
      m_page(new EnginePage(profile, pageRules(m_options), m_view)),
      m_watch(new LoadWatch(m_page, m_view, watchOptions(m_options), this)),
      m_downloads(
          new DownloadHandler(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
              DownloadHandler::saveDialog(m_view), this))
{
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    m_view->setPage(m_page);
    new PageLifecycle(m_page, m_view, m_options.rest, this);

    connect(m_watch, &LoadWatch::statusText, this, &WebBrowserControl::StatusTextChange);
    connect(m_watch, &LoadWatch::started, this, &WebBrowserControl::DownloadBegin);
    connect(m_watch, &LoadWatch::finished, this, [this] {
        trace::reportFirstPage();
        Q_EMIT ProgressChange(-1, 100);
        Q_EMIT DownloadComplete();
        reportCommandStates();
    });
    connect(m_watch, &LoadWatch::pageSwapped, this, &WebEngineBrowser::reportCommandStates);
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this] {
        // The engine may carry a zoom level of its own per site; ours wins.
        if (!qFuzzyCompare(m_page->zoomFactor(), m_zoomFactor))
            m_page->setZoomFactor(m_zoomFactor);
    });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        // 0 means "nothing loading" to the listeners, so it is not reported mid-load.
        if (m_watch->loading() && percent > 0)
            Q_EMIT ProgressChange(percent, 100);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        reportCommandStates();
        Q_EMIT AddressChange(url.toString());
    });
    connect(m_page, &EnginePage::navigationRefused, this, [this](const QUrl &url, bool external) {
        if (external)
            openExternally(url);
    });

    m_downloads->showsIn(m_view);
    DownloadRouter::of(profile)->add(m_downloads);
    connect(m_page, &EnginePage::goingTo, m_downloads, &DownloadHandler::expect);
    connect(m_downloads, &DownloadHandler::arrived, m_watch, &LoadWatch::downloadArrived);
    connect(m_downloads, &DownloadHandler::statusText, this, &WebBrowserControl::StatusTextChange);

    connect(m_page, &QWebEnginePage::findTextFinished, this,
        [this](const QWebEngineFindTextResult &result) {
            Q_EMIT FindTextResult(result.activeMatch(), result.numberOfMatches());
        });
    connect(m_page, &QWebEnginePage::fullScreenRequested, this,
        [this](QWebEngineFullScreenRequest request) {
            request.accept();
            Q_EMIT FullScreenRequested(request.toggleOn());
        });
    connect(m_view, &QWebEngineView::printRequested, this, &WebBrowserControl::PrintRequested);
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, [this] { m_writingPdf = false; });
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, &WebBrowserControl::PdfPrinted);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &position) { popUpPageMenu(this, position); });
    // The engine draws into a child widget that it may replace; Ctrl with the
    // wheel has to be caught on whichever one is there.
    m_view->installEventFilter(this);
    for (QWidget *child : m_view->findChildren<QWidget *>())
        child->installEventFilter(this);
}

WebEngineBrowser::~WebEngineBrowser() = default;

DownloadList *WebEngineBrowser::downloads() const
{
    return m_downloads->list();
}

void WebEngineBrowser::keepLastSeen(const QStringList &addresses)
{
    m_watch->keepLastSeen(addresses);
}

QWidget *WebEngineBrowser::widget() const
{
    return m_view;
}

void WebEngineBrowser::setSilent(bool silent)
{
    m_page->setSilent(silent);
}

bool WebEngineBrowser::silent() const
{
    return m_page->silent();
}

void WebEngineBrowser::Navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) {
        Q_EMIT StatusTextChange(toQt(unopenedAddressStatus(address.toStdString())));
        return;
    }
    m_watch->request({ .load = url });
}

void WebEngineBrowser::GoBack()
{
    if (!canGoBack())
        fail(FailureCode::ControlFailed, "No previous page");
    if (m_watch->ownPageCoversCurrentEntry()) {
        // The page that failed never became an entry: back is the page
        // the user came from, still there as it was.
        m_watch->showRealPage();
        Q_EMIT StatusTextChange(toQt(texts::statusDone));
        return;
    }
    m_watch->request({ .load = {}, .historyStep = -1 });
}

void WebEngineBrowser::GoForward()
{
    if (!canGoForward())
        fail(FailureCode::ControlFailed, "No next page");
    m_watch->request({ .load = {}, .historyStep = 1 });
}

bool WebEngineBrowser::canGoBack() const
{
    return historyTools(m_watch->ownPageCoversCurrentEntry(), m_page->history()->canGoBack(),
        m_page->history()->canGoForward())
        .back;
}

bool WebEngineBrowser::canGoForward() const
{
    return historyTools(m_watch->ownPageCoversCurrentEntry(), m_page->history()->canGoBack(),
        m_page->history()->canGoForward())
        .forward;
}

void WebEngineBrowser::reportCommandStates()
{
    Q_EMIT CommandStateChange(CommandForward, canGoForward());
    Q_EMIT CommandStateChange(CommandBack, canGoBack());
}

void WebEngineBrowser::Stop()
{
    m_watch->userActed();
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowser::Refresh()
{
    m_watch->reload();
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
    m_watch->setZoomFactor(factor);
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
        m_watch->userActed(); // the page should answer now
    } else if (event->type() == QEvent::Wheel) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            Q_EMIT ZoomWheel(wheel->angleDelta().y());
            return true;
        }
    }
    return WebBrowserControl::eventFilter(watched, event);
}

bool WebEngineBrowser::opensExternally() const
{
    return bool(m_options.openExternally);
}

void WebEngineBrowser::openExternally(const QUrl &address) const
{
    if (m_options.openExternally)
        m_options.openExternally(address);
}

QUrl WebEngineBrowser::address() const
{
    return m_watch->standIn().isValid() ? m_watch->standIn() : m_page->url();
}

void WebEngineBrowser::saveImage(const QUrl &picture)
{
    m_downloads->expect(picture);
    m_downloads->askWhereNext();
    m_page->triggerAction(QWebEnginePage::DownloadImageToDisk);
}

} // namespace orv
