// SPDX-License-Identifier: MIT
// orvelbrowser.exe: the browser window on WebView2, or, in a build without
// it, on a control that says so.
#include "app/win32/Program.h"
#include "components/win32/WebView2Control.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
#if ORVEL_WEBVIEW2
    // Pages of other sites open in the desktop's browser, as on Linux.
    const orv::TrustedHosts trusted = orv::win32::programTrustedHosts();
    return orv::win32::runProgram(
        [&trusted](
            HWND container, orv::WebControlEvents &events, orv::win32::HostedControlEvents &host) {
            return orv::win32::makeWebView2Control(container, events, host, trusted);
        },
        showCommand);
#else
    return orv::win32::runProgram(&orv::win32::makeMissingWebControl, showCommand);
#endif
}
