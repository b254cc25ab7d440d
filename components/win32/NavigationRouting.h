// SPDX-License-Identifier: MIT
#pragma once

// The WebView2 adapter's side of the shared link rules
// (components/LinkRouting.h): it hands the engine's navigations and new
// windows to the view's NavigationRouter, cancels what does not stay, opens
// what belongs to the desktop's programs, and remembers the navigation
// under way until the engine says how it ended.

#include "WebView2.h"
#include "components/LinkRouting.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv::win32 {

// A navigation under way, as it started (a redirect moves its address).
struct Loading
{
    std::uint64_t id = 0;
    WebAddress address;
    NavigationKind kind = NavigationKind::Other;
};

// The engine's number of the navigation an event belongs to.
std::uint64_t navigationOf(auto *arguments)
{
    UINT64 id = 0;
    arguments->get_NavigationId(&id);
    return id;
}

class NavigationRouting
{
public:
    explicit NavigationRouting(TrustedHosts trusted) : m_router(std::move(trusted)) { }

    // Where navigations go; it also holds the address our page stands in for.
    NavigationRouter &router() { return m_router; }
    const NavigationRouter &router() const { return m_router; }

    // Opens an address as the window's own navigation (command line,
    // category, address box, a retry): it counts as typed and stays.
    HRESULT open(ICoreWebView2 &view, const std::string &address);

    struct Started
    {
        std::uint64_t id = 0;
        bool redirect = false;
    };
    // NavigationStarting on the page shown in view: the navigation if it
    // stays here, nothing if it was cancelled.
    std::optional<Started> starting(
        ICoreWebView2 *view, ICoreWebView2NavigationStartingEventArgs *arguments);
    // NewWindowRequested: the engine's window is never made; the address to
    // load in this one instead, if it stays.
    std::optional<std::string> newWindow(
        ICoreWebView2 *view, ICoreWebView2NewWindowRequestedEventArgs *arguments);
    // The navigation under way if the one that ended is it; the routing then
    // waits for the next.
    std::optional<Loading> ended(std::uint64_t id);

private:
    NavigationRouter m_router;
    bool m_windowNavigates = false;
    Loading m_loading;
};

} // namespace orv::win32
