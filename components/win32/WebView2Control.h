// SPDX-License-Identifier: MIT
#pragma once

// The web control on Windows: a WebView2 controller in the container window,
// behind the plain seam. WebView2Loader.dll is loaded at run time from
// beside the program, so the program starts without it and tells the user
// what is missing (HostedControlEvents::ControlUnavailable). The engine is
// created asynchronously; an address given before it is ready is opened
// once it is. Pages get German as their language; the engine's data lives
// in %LOCALAPPDATA%\OrvelBrowser\WebView2, shared by the program's windows.

#include "components/LinkRouting.h"
#include "components/win32/HostedControl.h"

#include <memory>

namespace orv::win32 {

// Navigations of the page go where routeNavigation says (trusted: the
// maker's hosts; empty: every page loads here). A page that cannot be
// reached shows the program's own German page, which tries the address
// again until it answers.
std::unique_ptr<HostedWebControl> makeWebView2Control(
    HWND container, WebControlEvents &events, HostedControlEvents &host, TrustedHosts trusted = {});

} // namespace orv::win32
