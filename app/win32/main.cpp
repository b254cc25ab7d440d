// SPDX-License-Identifier: MIT
// orvelbrowser.exe: the browser window on WebView2, or, in a build without
// it, on a control that says so.
#include "app/win32/Program.h"
#include "components/win32/WebView2Control.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
#if ORVEL_WEBVIEW2
    return orv::win32::runProgram(&orv::win32::makeWebView2Control, showCommand);
#else
    return orv::win32::runProgram(&orv::win32::makeMissingWebControl, showCommand);
#endif
}
