// SPDX-License-Identifier: MIT
#pragma once

// The web browser control on Qt WebEngine: the adapter between the engine
// and the window. It carries out the window's operations (navigation,
// placement, find, zoom, printing, full screen) and reports the engine's
// doings as the control's notifications. The rest has classes of its own,
// wired up here: what the page asks for (EnginePage: script dialogs, where
// links go, certificates, logins and permissions), what becomes of its loads
// (LoadWatch: the watchdog, a dead or hung display process, the program's
// own pages), downloads (DownloadHandler, DownloadRouter), the context menu
// (PageContextMenu) and the page's rest while out of sight (PageLifecycle).

#include "components/qt/EnginePage.h" // createBrowserProfile() and the page's rules
#include "components/qt/PageLifecycle.h"
#include "components/qt/WebBrowserControl.h"

#include <QUrl>

#include <chrono>
#include <functional>

class QWebEngineProfile;
class QWebEngineView;

namespace orv {

class DownloadHandler;
class LoadWatch;

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
    void keepLastSeen(const QStringList &addresses) override;

    QWebEngineView *view() const { return m_view; }
    // What the page's context menu needs beyond the operations above.
    bool canGoBack() const;
    bool canGoForward() const;
    bool printing() const { return m_printing; }
    bool opensExternally() const;
    void openExternally(const QUrl &address) const;
    // The page's address, also while one of the program's own pages stands in for it.
    QUrl address() const;
    void saveImage(const QUrl &picture);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reportCommandStates();

    WebEngineBrowserOptions m_options;
    QWebEngineView *m_view;
    EnginePage *m_page;
    LoadWatch *m_watch;
    DownloadHandler *m_downloads;
    double m_zoomFactor = 1.0;
    bool m_printing = false;
    bool m_writingPdf = false;
};

} // namespace orv
