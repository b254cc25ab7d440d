// SPDX-License-Identifier: MIT
#include "components/win32/FailedLoads.h"

#include "platform/Utf8.h"

#include <map>
#include <utility>

namespace orv::win32 {

namespace {

using Failed = FailedLoads::Failed;

std::pair<Failed, ReachFailure> failureOf(COREWEBVIEW2_WEB_ERROR_STATUS status)
{
    switch (status) {
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_COMMON_NAME_IS_INCORRECT:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_EXPIRED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CLIENT_CERTIFICATE_CONTAINS_ERRORS:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_REVOKED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_IS_INVALID:
        return { Failed::Unreachable, ReachFailure::Certificate };
    case COREWEBVIEW2_WEB_ERROR_STATUS_DISCONNECTED:
        return { Failed::Unreachable, ReachFailure::NoNetwork };
    case COREWEBVIEW2_WEB_ERROR_STATUS_HOST_NAME_NOT_RESOLVED:
        return { Failed::Unreachable, ReachFailure::NameNotFound };
    case COREWEBVIEW2_WEB_ERROR_STATUS_CANNOT_CONNECT:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_RESET:
        return { Failed::Unreachable, ReachFailure::Refused };
    case COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT:
        return { Failed::Unreachable, ReachFailure::Timeout };
    case COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE:
    case COREWEBVIEW2_WEB_ERROR_STATUS_ERROR_HTTP_INVALID_SERVER_RESPONSE:
    case COREWEBVIEW2_WEB_ERROR_STATUS_REDIRECT_FAILED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR:
        return { Failed::Unreachable, ReachFailure::Other };
    case COREWEBVIEW2_WEB_ERROR_STATUS_VALID_AUTHENTICATION_CREDENTIALS_REQUIRED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_VALID_PROXY_AUTHENTICATION_REQUIRED:
        return { Failed::LoginNeeded, ReachFailure::Other };
    case COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN: // an HTTP error: the server's page shows
    case COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED:
    default:
        return { Failed::Nothing, ReachFailure::Other };
    }
}

// Retries wait on timers of the thread, not of a window: the control may
// live in a container that is being rebuilt. The callback finds its owner
// by the timer's number.
std::map<UINT_PTR, std::weak_ptr<FailedLoads *>> &retryTimers()
{
    static std::map<UINT_PTR, std::weak_ptr<FailedLoads *>> timers;
    return timers;
}

// Steps over own pages and failed entries in the history give up after
// this many, so that a history of nothing else cannot keep the view busy.
constexpr int kMostSteps = 16;

} // namespace

FailedLoads::FailedLoads(
    const ComPtr<ICoreWebView2> &view, NavigationRouting &routing, WebControlEvents &events)
    : m_view(view), m_routing(routing), m_events(events),
      m_self(std::make_shared<FailedLoads *>(this))
{
}

FailedLoads::~FailedLoads()
{
    *m_self = nullptr;
    stopRetrying();
}

void FailedLoads::certificateRefused(
    ICoreWebView2ServerCertificateErrorDetectedEventArgs *arguments)
{
    arguments->put_Action(COREWEBVIEW2_SERVER_CERTIFICATE_ERROR_ACTION_CANCEL);
    LPWSTR uri = nullptr;
    if (SUCCEEDED(arguments->get_RequestUri(&uri)))
        m_certificateRefused = takeText(uri);
}

void FailedLoads::completed(
    const Loading &loaded, ICoreWebView2NavigationCompletedEventArgs *arguments)
{
    BOOL success = FALSE;
    COREWEBVIEW2_WEB_ERROR_STATUS status = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
    arguments->get_IsSuccess(&success);
    arguments->get_WebErrorStatus(&status);
    const bool ownPage = loaded.address.scheme == "data" || loaded.address.scheme == "about";
    if (m_stepping != 0) {
        // A step in the history landed on one of our pages or on an
        // entry that failed: on to the next, in the same direction.
        if ((ownPage || !success) && ++m_steps < kMostSteps && continueStep())
            return;
        m_stepping = 0;
    }
    if (ownPage)
        return; // ours, shown
    if (success) {
        if (loaded.address.text == m_routing.router().standIn().text)
            showRealPage();
        m_hadPage = true;
        return;
    }
    auto [failed, failure] = failureOf(status);
    const bool certificate = !m_certificateRefused.empty()
        && std::exchange(m_certificateRefused, {}) == loaded.address.text;
    if (certificate) {
        failed = Failed::Unreachable;
        failure = ReachFailure::Certificate;
    }
    if (failed == Failed::Nothing)
        return;
    showOwnPage(loaded, failed, failure);
}

void FailedLoads::showOwnPage(const Loading &loaded, Failed failed, ReachFailure failure)
{
    NavigationRouter &router = m_routing.router();
    const bool retry = loaded.address.text == router.standIn().text;
    m_events.StatusTextChange(std::string(failedLoadStatus(failure, failed == Failed::LoginNeeded))
        + loaded.address.text);
    if (!retry) {
        // A new address that failed never became the user's entry; a
        // step in the history or a reload that failed is the entry itself.
        const bool entryExisted
            = loaded.kind == NavigationKind::BackForward || loaded.kind == NavigationKind::Reload;
        m_coversCurrentEntry = ownPageCoversCurrentEntry(true, !m_hadPage, entryExisted);
        // The failed entry is the current one now; our page goes on top.
        BOOL back = FALSE;
        m_view->get_CanGoBack(&back);
        m_backUnderOwnPage = back != FALSE;
        m_retryWaitMs = 0;
        router.setStandIn(loaded.address);
    }
    const std::string html = failed == Failed::LoginNeeded
        ? loginNeededPageHtml(loaded.address)
        : unreachablePageHtml(failure, loaded.address);
    m_view->NavigateToString(platform::fromUtf8(html).c_str());
    if (failed == Failed::Unreachable && retriesAfter(failure))
        retryLater();
    else
        stopRetrying();
    reportHistory();
}

void FailedLoads::showRealPage()
{
    m_routing.router().setStandIn({});
    m_coversCurrentEntry = false;
    stopRetrying();
    reportHistory();
}

HistoryTools FailedLoads::tools() const
{
    BOOL back = FALSE;
    BOOL forward = FALSE;
    if (m_view) {
        m_view->get_CanGoBack(&back);
        m_view->get_CanGoForward(&forward);
    }
    if (!showing())
        return { back != FALSE, forward != FALSE };
    // The engine's Back leads to the failed entry under our page; the
    // entry's own was taken before our page went up.
    return historyTools(m_coversCurrentEntry, m_backUnderOwnPage, forward != FALSE);
}

void FailedLoads::reportHistory()
{
    const HistoryTools now = tools();
    m_events.CommandStateChange(CommandForward, now.forward);
    m_events.CommandStateChange(CommandBack, now.back);
}

void FailedLoads::retryLater()
{
    stopRetrying();
    m_retryWaitMs = nextRetryWaitMs(m_retryWaitMs, {});
    m_retryTimer = SetTimer(nullptr, 0, UINT(m_retryWaitMs), &FailedLoads::retryTimer);
    if (m_retryTimer)
        retryTimers()[m_retryTimer] = m_self;
}

void FailedLoads::stopRetrying()
{
    if (!m_retryTimer)
        return;
    KillTimer(nullptr, m_retryTimer);
    retryTimers().erase(m_retryTimer);
    m_retryTimer = 0;
}

void CALLBACK FailedLoads::retryTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    const auto found = retryTimers().find(timer);
    const auto self = found == retryTimers().end() ? nullptr : found->second.lock();
    if (self && *self)
        (*self)->retryNow();
    else
        KillTimer(nullptr, timer);
}

void FailedLoads::retryNow()
{
    stopRetrying();
    const std::string address = m_routing.router().standIn().text;
    if (!m_view || address.empty())
        return;
    m_routing.open(*m_view.get(), address);
}

void FailedLoads::step(int direction)
{
    // Leaving our page: with Back to the entry under it, where the user
    // came from.
    if (showing())
        showRealPage();
    m_stepping = direction;
    m_steps = 0;
    if (!continueStep())
        m_stepping = 0;
}

bool FailedLoads::continueStep()
{
    BOOL possible = FALSE;
    if (m_stepping < 0 && SUCCEEDED(m_view->get_CanGoBack(&possible)) && possible)
        return SUCCEEDED(m_view->GoBack());
    if (m_stepping > 0 && SUCCEEDED(m_view->get_CanGoForward(&possible)) && possible)
        return SUCCEEDED(m_view->GoForward());
    return false;
}

} // namespace orv::win32
