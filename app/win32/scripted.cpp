// SPDX-License-Identifier: MIT
// orvelbrowser-scripted.exe: the same browser window on the scripted web
// control, for the window's tests. ORVEL_LOAD_SCRIPT in the environment is
// the script each load plays (components/win32/LoadScript.h); without it
// the default.
#include "app/win32/Program.h"
#include "components/win32/ScriptedWebControl.h"
#include "core/Failure.h"
#include "platform/Utf8.h"

#include <cstdlib>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    using namespace orv::win32;
    const wchar_t *given = _wgetenv(L"ORVEL_LOAD_SCRIPT");
    LoadScript script;
    try {
        script = parseLoadScript(
            given ? orv::platform::toUtf8(given) : std::string(defaultLoadScript));
    } catch (const orv::Failure &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 2;
    }
    return runProgram(
        [&](HWND container, orv::WebControlEvents &events, HostedControlEvents &) {
            return std::make_unique<ScriptedWebControl>(container, events, script);
        },
        showCommand);
}
