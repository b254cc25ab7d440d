// SPDX-License-Identifier: MIT
#pragma once

// Starting the engine in a container window: WebView2Loader.dll from beside
// the program, the installed runtime, the environment with the program's
// options (German pages, its own data folder) and, last, the controller.
// Each step may fail; the first failure is what the user is told. The
// engine answers asynchronously, so the result comes to a callback.

#include "WebView2.h"
#include "components/win32/ComSupport.h"
#include "components/win32/HostedControl.h"

#include <functional>
#include <memory>

namespace orv::win32 {

class WebView2Start
{
public:
    // The controller made; its view is taken by the receiver.
    using Ready = std::function<void(ICoreWebView2Controller *controller)>;
    // Why there will be no engine, and the system's code for it.
    using Unavailable = std::function<void(ControlProblem problem, HRESULT code)>;

    WebView2Start(HWND container, Ready ready, Unavailable unavailable);
    ~WebView2Start();
    WebView2Start(const WebView2Start &) = delete;
    WebView2Start &operator=(const WebView2Start &) = delete;

    // Starts, or starts again after the engine's process ended; the
    // environment made before goes first.
    void start();
    // A step after the controller that failed: the engine is of no use.
    void failed(HRESULT result);

private:
    void environmentCreated(HRESULT result, ICoreWebView2Environment *environment);

    HWND m_container;
    Ready m_ready;
    Unavailable m_unavailable;
    // What the engine's callbacks reach this through; cleared when it goes,
    // so a late callback finds nobody.
    std::shared_ptr<WebView2Start *> m_self;
    HMODULE m_loader = nullptr;
    ComPtr<ICoreWebView2Environment> m_environment;
};

} // namespace orv::win32
