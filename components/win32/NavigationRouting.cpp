// SPDX-License-Identifier: MIT
#include "components/win32/NavigationRouting.h"

#include "components/win32/ComSupport.h"
#include "platform/Platform.h"
#include "platform/Utf8.h"

#include <utility>

namespace orv::win32 {

namespace {

// The engine hands over addresses as texts it has already made canonical
// (lower-case scheme and host, punycode, percent-encoding), so the rules'
// own parser splits them; it is the one the trusted hosts' entries go
// through, and it is tested in both builds.
WebAddress addressOf(const std::string &uri)
{
    if (auto address = parseWebAddress(uri))
        return *address;
    WebAddress unknown; // no scheme: the routing drops it
    unknown.text = uri;
    return unknown;
}

std::string hostOfSource(ICoreWebView2 *view)
{
    LPWSTR source = nullptr;
    if (!view || FAILED(view->get_Source(&source)))
        return {};
    return addressOf(takeText(source)).hostAndPort();
}

// What an event of the engine asks to open, and whether the user asked.
struct Request
{
    WebAddress target;
    bool user = false;
};

template <class Arguments> std::optional<Request> requestOf(Arguments *arguments)
{
    LPWSTR uri = nullptr;
    BOOL user = FALSE;
    if (FAILED(arguments->get_Uri(&uri)))
        return std::nullopt;
    Request request { addressOf(takeText(uri)) };
    arguments->get_IsUserInitiated(&user);
    request.user = user != FALSE;
    return request;
}

NavigationKind kindOf(ICoreWebView2NavigationStartingEventArgs *arguments, bool user)
{
    const auto args3 = ComPtr<ICoreWebView2NavigationStartingEventArgs>::share(arguments)
                           .query<ICoreWebView2NavigationStartingEventArgs3>(
                               IID_ICoreWebView2NavigationStartingEventArgs3);
    COREWEBVIEW2_NAVIGATION_KIND kind = COREWEBVIEW2_NAVIGATION_KIND_NEW_DOCUMENT;
    if (args3)
        args3->get_NavigationKind(&kind);
    if (kind == COREWEBVIEW2_NAVIGATION_KIND_RELOAD)
        return NavigationKind::Reload;
    if (kind == COREWEBVIEW2_NAVIGATION_KIND_BACK_OR_FORWARD)
        return NavigationKind::BackForward;
    // A link click and a form the user sent are both the user's; the
    // routing treats them alike.
    return user ? NavigationKind::Link : NavigationKind::Other;
}

// Mail, phone and other sites open in the desktop's default program.
void openOnDesktop(const WebAddress &target)
{
    platform::systemPlatform().shellExecute(platform::WindowHandle(0), std::wstring(),
        platform::fromUtf8(target.text), std::nullopt, std::nullopt, 1);
}

} // namespace

HRESULT NavigationRouting::open(ICoreWebView2 &view, const std::string &address)
{
    const std::wstring uri = platform::fromUtf8(address);
    m_windowNavigates = true;
    HRESULT result = view.Navigate(uri.c_str());
    // The engine takes only complete addresses; the old control completed
    // "www.example.com" to a web address itself.
    if (result == E_INVALIDARG && !namesScheme(address))
        result = view.Navigate((L"http://" + uri).c_str());
    if (FAILED(result))
        m_windowNavigates = false;
    return result;
}

std::optional<NavigationRouting::Started> NavigationRouting::starting(
    ICoreWebView2 *view, ICoreWebView2NavigationStartingEventArgs *arguments)
{
    const auto request = requestOf(arguments);
    if (!request)
        return std::nullopt;
    const WebAddress &target = request->target;
    BOOL redirect = FALSE;
    arguments->get_IsRedirected(&redirect);
    NavigationKind kind = kindOf(arguments, request->user);
    if (!redirect && std::exchange(m_windowNavigates, false))
        kind = NavigationKind::Typed;

    const Route route
        = m_router.route(kind, request->user, redirect != FALSE, target, hostOfSource(view));
    if (route != Route::Stay) {
        arguments->put_Cancel(TRUE);
        if (route == Route::Shell)
            openOnDesktop(target);
        return std::nullopt;
    }
    const std::uint64_t id = navigationOf(arguments);
    if (!redirect)
        m_loading = { id, target, kind };
    else if (m_loading.id == id)
        m_loading.address = target;
    return Started { id, redirect != FALSE };
}

std::optional<std::string> NavigationRouting::newWindow(
    ICoreWebView2 *view, ICoreWebView2NewWindowRequestedEventArgs *arguments)
{
    // A one-window browser: links with a target and window.open() load
    // here, after the same routing as every other navigation.
    arguments->put_Handled(TRUE);
    const auto request = requestOf(arguments);
    if (!request)
        return std::nullopt;
    const Route route = m_router.route(request->user ? NavigationKind::Link : NavigationKind::Other,
        request->user, false, request->target, hostOfSource(view));
    if (route == Route::Shell)
        openOnDesktop(request->target);
    if (route != Route::Stay)
        return std::nullopt;
    return request->target.text;
}

std::optional<Loading> NavigationRouting::ended(std::uint64_t id)
{
    if (id != m_loading.id)
        return std::nullopt;
    return std::exchange(m_loading, {});
}

} // namespace orv::win32
