// SPDX-License-Identifier: MIT
#pragma once

// A load of the WebView2 page that could not reach its page: the status
// pane says so, the page shows the program's German page, and the address
// is tried again until it answers (components/OwnPages.h decides how,
// when and where Back and Forward lead meanwhile). WebView2 keeps our page
// and the failed entry in its history, so Back and Forward step over them.

#include "WebView2.h"
#include "components/OwnPages.h"
#include "components/WebControl.h"
#include "components/win32/ComSupport.h"
#include "components/win32/NavigationRouting.h"

#include <memory>
#include <string>

namespace orv::win32 {

class FailedLoads
{
public:
    // What a failed navigation means for the user. Nothing: no failure of
    // reaching the page (the user stopped it, it was routed elsewhere, it
    // became a download, or the server's own error page arrived).
    enum class Failed { Nothing, Unreachable, LoginNeeded };

    // view: the control's page, empty while there is none.
    FailedLoads(
        const ComPtr<ICoreWebView2> &view, NavigationRouting &routing, WebControlEvents &events);
    ~FailedLoads();
    FailedLoads(const FailedLoads &) = delete;
    FailedLoads &operator=(const FailedLoads &) = delete;

    // Whether our page stands in for an address now.
    bool showing() const { return !m_routing.router().standIn().text.empty(); }

    // A new navigation (no redirect) has started.
    void started() { m_certificateRefused.clear(); } // said, if at all, after the start
    // ServerCertificateErrorDetected: the certificate is refused, never
    // asked about; the failed load then says why.
    void certificateRefused(ICoreWebView2ServerCertificateErrorDetectedEventArgs *arguments);
    // NavigationCompleted of the navigation that was under way.
    void completed(const Loading &loaded, ICoreWebView2NavigationCompletedEventArgs *arguments);

    // Back and Forward as the rules see them: our page is no entry of the
    // history, whatever the engine made of it.
    HistoryTools tools() const;
    void reportHistory();
    // Back (-1) or Forward (1), past our pages and the failed entries.
    void step(int direction);
    // The engine loads the address again: it answers with the live page,
    // or fails once more and our page comes back after a longer wait.
    void retryNow();
    void stopRetrying();

private:
    void showOwnPage(const Loading &loaded, Failed failed, ReachFailure failure);
    void showRealPage();
    void retryLater();
    static void CALLBACK retryTimer(HWND, UINT, UINT_PTR timer, DWORD);
    bool continueStep();

    const ComPtr<ICoreWebView2> &m_view;
    NavigationRouting &m_routing;
    WebControlEvents &m_events;
    // What the retry timers reach this through; cleared when it goes.
    std::shared_ptr<FailedLoads *> m_self;
    std::string m_certificateRefused;
    bool m_hadPage = false;
    bool m_coversCurrentEntry = false;
    bool m_backUnderOwnPage = false;
    int m_retryWaitMs = 0;
    UINT_PTR m_retryTimer = 0;
    int m_stepping = 0;
    int m_steps = 0;
};

} // namespace orv::win32
