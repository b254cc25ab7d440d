// SPDX-License-Identifier: MIT
#include "app/win32/Program.h"

#include "browser/win32/MessageLoop.h"
#include "browser/win32/frmBrowser.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "core/Steps.h"
#include "modules/win32/RegistrySettingsStore.h"
#include "platform/Utf8.h"

#include <commctrl.h>
#include <cstdio>
#include <objbase.h>

namespace orv::win32 {

std::string commandLineArguments()
{
    // The program's name is quoted, or ends at the first blank; the blanks
    // after it separate it from the arguments.
    const wchar_t *line = GetCommandLineW();
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line)
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return platform::toUtf8(line);
}

void reportStartFailure(const std::string &text)
{
    std::fprintf(stderr, "%s: %s\n", application::title, text.c_str());
    MessageBoxW(
        nullptr, platform::fromUtf8(text).c_str(), application::wideTitle, MB_OK | MB_ICONERROR);
}

namespace {

Hosts programHosts()
{
    return Hosts::fromEnvironment(ORVEL_DEFAULT_MAIN_HOST, ORVEL_DEFAULT_SHOP_HOST);
}

} // namespace

TrustedHosts programTrustedHosts()
{
    const Hosts hosts = programHosts();
    return TrustedHosts::forMaker(hosts.MainHost, hosts.ShopHost, ORVEL_EXTRA_TRUSTED_HOSTS);
}

int runProgram(const WebControlFactory &makeControl, int showCommand)
{
    // The web control's engine wants a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls { sizeof controls,
        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);
    // A failure the rules do not trap ends its handler; the user is told,
    // under the application's title, and the window goes on.
    setUnhandledFailureHandler([](std::string_view, const Failure &failure) {
        const std::wstring text = L"Laufzeitfehler " + std::to_wstring(failure.number()) + L":\r\n"
            + platform::fromUtf8(failure.what());
        MessageBoxW(GetActiveWindow(), text.c_str(), application::wideTitle, MB_OK | MB_ICONERROR);
    });
    int exitCode = 1;
    try {
        RegistrySettingsStore store;
        frmBrowser window(programHosts(), store, makeControl);
        window.load(commandLineArguments());
        window.show(showCommand);
        exitCode = runMessageLoop([&](MSG &message) { return window.filterMessage(message); });
    } catch (const Failure &failure) {
        reportStartFailure(failure.what());
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}

} // namespace orv::win32
