// SPDX-License-Identifier: MIT
#include "components/WebEngineBrowser.h"

#include "components/StartupTrace.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "resources/Texts.h"

#include <QChildEvent>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QWebEngineCertificateError>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
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

    // A one-window browser: links with a target and window.open() load here.
    QWebEnginePage *createWindow(WebWindowType) override { return this; }
};

QWebEngineProfile *createBrowserProfile(QObject *parent)
{
    auto *profile = new QWebEngineProfile(QLatin1String(application::title), parent);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profile->setDownloadPath(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    return profile;
}

QString uniqueFileName(const QDir &folder, const QString &suggested)
{
    const QString name = suggested.isEmpty() ? QStringLiteral("download") : suggested;
    if (!folder.exists(name))
        return name;
    const QFileInfo info(name);
    const QString base = info.completeBaseName().isEmpty() ? name : info.completeBaseName();
    const QString suffix = info.completeBaseName().isEmpty() || info.suffix().isEmpty()
        ? QString()
        : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate = base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (!folder.exists(candidate))
            return candidate;
    }
}

WebEngineBrowser::WebEngineBrowser(QWidget *container, QWebEngineProfile *profile)
    : WebBrowserControl(container), m_view(new QWebEngineView(container)),
      m_page(new SilentPage(profile, m_view))
{
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    m_view->setPage(m_page);

    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineBrowser::handleLoadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, &WebEngineBrowser::handleLoadProgress);
    connect(m_page, &QWebEnginePage::linkHovered, this,
        [this](const QString &url) { Q_EMIT StatusTextChange(url); });
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEngineBrowser::reportCommandStates);
    connect(m_page, &QWebEnginePage::certificateError, this,
        [this](const QWebEngineCertificateError &error) {
            // Never ask: an untrusted certificate fails the load.
            auto copy = error;
            copy.rejectCertificate();
            Q_EMIT StatusTextChange(texts::statusCertificateRejected() + error.url().toString());
        });
    connect(
        profile, &QWebEngineProfile::downloadRequested, this, &WebEngineBrowser::handleDownload);

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
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, &WebBrowserControl::PdfPrinted);
    // The engine draws into a child widget that it may replace; Ctrl with the
    // wheel has to be caught on whichever one is there.
    m_view->installEventFilter(this);
    for (QWidget *child : m_view->findChildren<QWidget *>())
        child->installEventFilter(this);
}

WebEngineBrowser::~WebEngineBrowser() = default;

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
        Q_EMIT StatusTextChange(texts::statusLoadFailed() + address);
        return;
    }
    m_view->load(url);
}

void WebEngineBrowser::GoBack()
{
    if (!m_view->history()->canGoBack())
        fail(FailureCode::ControlFailed, "No previous page");
    m_view->back();
}

void WebEngineBrowser::GoForward()
{
    if (!m_view->history()->canGoForward())
        fail(FailureCode::ControlFailed, "No next page");
    m_view->forward();
}

void WebEngineBrowser::Stop()
{
    m_view->stop();
}

void WebEngineBrowser::Refresh()
{
    m_view->reload();
}

void WebEngineBrowser::Move(int left, int top, int width, int height)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_view);
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
    m_view->setZoomFactor(factor);
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
    m_page->printToPdf(filePath);
}

void WebEngineBrowser::ExitFullScreen()
{
    m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}

bool WebEngineBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        trace::Scope(trace::Work::ViewResize);
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
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
    if (!qFuzzyCompare(m_view->zoomFactor(), m_zoomFactor))
        m_view->setZoomFactor(m_zoomFactor);
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        if (!m_loading) {
            m_loading = true;
            m_downloadStartedByLoad = false;
            Q_EMIT DownloadBegin();
        }
        Q_EMIT StatusTextChange(texts::statusLoading() + info.url().toString());
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        handleLoadFinished();
        Q_EMIT StatusTextChange(texts::statusDone());
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        handleLoadFinished();
        // A link that turns out to be a file ends its load as "aborted"; the
        // download reports its own outcome.
        if (!m_downloadStartedByLoad)
            Q_EMIT StatusTextChange(texts::statusLoadFailed() + info.url().toString());
        break;
    }
}

void WebEngineBrowser::handleLoadProgress(int percent)
{
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
    QWebEngineHistory *history = m_view->history();
    Q_EMIT CommandStateChange(1, history->canGoForward());
    Q_EMIT CommandStateChange(2, history->canGoBack());
}

void WebEngineBrowser::handleDownload(QWebEngineDownloadRequest *download)
{
    if (download->page() && download->page() != m_page)
        return;
    if (download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    m_downloadStartedByLoad = m_loading;

    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    folder.mkpath(QStringLiteral("."));
    const QString name = uniqueFileName(folder, download->downloadFileName());
    download->setDownloadDirectory(folder.absolutePath());
    download->setDownloadFileName(name);
    const QString path = folder.absoluteFilePath(name);

    connect(
        download, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this, download, name] {
            const qint64 total = download->totalBytes();
            if (total > 0 && !download->isFinished())
                Q_EMIT StatusTextChange(texts::statusDownloadProgress() + name
                    + QStringLiteral(" (%1 %)").arg(download->receivedBytes() * 100 / total));
        });
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
        [this, download, name, path](QWebEngineDownloadRequest::DownloadState state) {
            switch (state) {
            case QWebEngineDownloadRequest::DownloadCompleted:
                Q_EMIT StatusTextChange(texts::statusDownloadDone() + path);
                break;
            case QWebEngineDownloadRequest::DownloadCancelled:
                Q_EMIT StatusTextChange(texts::statusDownloadCancelled() + name);
                break;
            case QWebEngineDownloadRequest::DownloadInterrupted:
                Q_EMIT StatusTextChange(texts::statusDownloadFailed() + name + QStringLiteral(" (")
                    + download->interruptReasonString() + QLatin1Char(')'));
                break;
            default:
                break;
            }
        });
    download->accept();
    Q_EMIT StatusTextChange(texts::statusDownloadStarted() + name);
}

} // namespace orv
