// SPDX-License-Identifier: MIT
#pragma once

// The web browser control on Qt WebEngine: the glue between the engine and
// the window. It maps the engine's signals onto the notifications, keeps
// quiet when silent, opens new-window requests in the same view, finds,
// zooms, prints and grants the page's full-screen requests, and with trusted
// hosts decides where links go. For a page it cannot reach, a page whose
// display process died or a login the user cancelled it shows its own page,
// which never enters the history, and brings the real one back.
// The work around that lives in classes of its own, wired up here: logins
// and permissions (PageQuestions), waiting for an unreachable host
// (ReachabilityProbe), downloads (DownloadHandler), the context menu
// (PageContextMenu) and the page's rest while out of sight (PageLifecycle).

#include "components/HangWatch.h"
#include "components/LinkRouting.h"
#include "components/OwnPages.h"
#include "components/PageContextMenu.h"
#include "components/PageLifecycle.h"
#include "components/PageQuestions.h"
#include "components/Twips.h"
#include "components/WebBrowserControl.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;
class QWebEngineView;

namespace orv {

class DownloadHandler;
class ReachabilityProbe;
class SilentPage;

// The persistent profile of the program: cookies and logins survive restarts;
// pages are asked for in German.
QWebEngineProfile *createBrowserProfile(QObject *parent);

struct WebEngineBrowserOptions
{
    // Empty: every page loads in the view, as a plain browser does.
    TrustedHosts trusted;
    // Hands an address to the desktop's default program (other sites, mail, phone).
    std::function<void(const QUrl &)> openExternally;
    // A page whose server sends nothing for this long counts as unreachable.
    int answerTimeoutMs = 30000;
    // Waits between checks whether an unreachable page's host answers again.
    int firstRetryMs = 2000;
    int maxRetryMs = 60000;
    // Two deaths of the display process within this time stop the reloading.
    int crashWindowMs = 60000;
    // A page that gives no sign of life this long after the user acted hangs.
    std::chrono::milliseconds hangPatience = std::chrono::seconds(4);
    // How the user is asked for a login and for a page's permission.
    AskLogin askLogin = askLoginDialog;
    AskPermission askPermission = askPermissionDialog;
    // How long the page waits out of sight before it rests.
    RestDelays rest;
};

class WebEngineBrowser : public WebBrowserControl
{
    Q_OBJECT

public:
    WebEngineBrowser(
        QWidget *container, QWebEngineProfile *profile, WebEngineBrowserOptions options = {});
    ~WebEngineBrowser() override;

    QWidget *widget() const override;
    void setSilent(bool silent) override;
    bool silent() const override;

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void Move(int left, int top, int width, int height) override;
    void FindText(const QString &text, bool backward) override;
    void SetZoomFactor(double factor) override;
    void Print() override;
    void PrintToPdf(const QString &filePath) override;
    void finishWriting() override;
    void ExitFullScreen() override;
    DownloadList *downloads() const override;

    QWebEngineView *view() const { return m_view; }
    // The address of the page our own error or crash page stands in for.
    QUrl standInFor() const { return m_standInFor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool acceptNavigation(const QUrl &url, int type, bool isMainFrame);
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void handleLoadFailed(const QWebEngineLoadingInfo &info);
    void handleLoadProgress(int percent);
    void handleLoadFinished();
    void handleRendererGone(bool crashed);
    void handleNotAnswering(const PageRequest &request);
    // Ends the hung page's display process, then does what the user asked.
    void endHungPage(const PageRequest &request);
    // True when the page hangs and the request waits for its end.
    bool deferredWhileHung(const PageRequest &request);
    void userAsked(const PageRequest &request);
    void reportCommandStates();
    void showContextMenu(const QPoint &position);
    bool contextCommandAvailable(PageContextMenu::Command command) const;
    void runContextCommand(PageContextMenu::Command command, const QUrl &link);

    void handleNewWindow(QWebEngineNewWindowRequest &request);
    bool canGoBack() const;
    bool canGoForward() const;

    void showOwnPage(const QString &html, const QUrl &address);
    void showRealPage();
    bool ownPageCoversCurrentEntry() const;
    void loadStoodInFor();

    WebEngineBrowserOptions m_options;
    QWebEngineView *m_view;
    SilentPage *m_page;
    // Shows our own pages in place of m_page, so that they never become
    // entries of its history; exists only while one is shown.
    SilentPage *m_ownPage = nullptr;
    DownloadHandler *m_downloads;
    ReachabilityProbe *m_probe;
    bool m_loading = false;
    bool m_downloadStartedByLoad = false;
    double m_zoomFactor = 1.0;
    bool m_printing = false;
    bool m_writingPdf = false;

    // Where the redirect chain of the navigation under way began.
    QString m_chainOrigin;
    // Address and load events of a navigation handed elsewhere or dropped.
    QUrl m_refused;
    QUrl m_loadUrl;
    bool m_hovering = false;

    QUrl m_standInFor;
    bool m_standInHangs = false; // our page stands for one that does not answer
    HangWatch *m_hang;
    // What loads once the display process of a hung page is gone.
    std::optional<PageRequest> m_afterHang;
    QUrl m_loginCancelled;
    QTimer m_answerTimer;
    bool m_timedOut = false;
    int m_firstProgress = -1;
    QElapsedTimer m_lastCrash;
};

} // namespace orv
