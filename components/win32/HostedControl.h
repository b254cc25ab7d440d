// SPDX-License-Identifier: MIT
#pragma once

// A web control hosted in a Win32 window: the seam's operations and
// notifications (components/WebControl.h) and what only a hosted control
// has besides, the keyboard focus, keys pressed inside the page, and the news
// that it cannot show pages at all.

#include "components/WebControl.h"

#include <functional>
#include <memory>
#include <windows.h>

namespace orv::win32 {

// Why a control shows no pages; the window tells the user what is missing.
enum class ControlProblem {
    NotBuilt, // this program was built without the WebView2 adapter
    LoaderMissing, // WebView2Loader.dll is not beside the program
    RuntimeMissing, // the WebView2 runtime is not installed
    StartFailed, // the runtime is there but would not start (code says why)
};

class HostedControlEvents
{
public:
    virtual ~HostedControlEvents() = default;
    // Sent at most once; may come before the control's constructor returns.
    virtual void ControlUnavailable(ControlProblem problem, HRESULT code) = 0;
    // A key pressed while the page has the keyboard focus, before the page
    // sees it. True: the window uses it and the page does not get it.
    virtual bool PageKey(UINT virtualKey, bool alt, bool ctrl, bool shift) = 0;
};

class HostedWebControl : public WebControl
{
public:
    // Gives the page the keyboard focus.
    virtual void focus() = 0;
};

// Makes the control inside the container window (whose client coordinates
// WebControl::Move uses), reporting to the two sinks, which outlive it.
using WebControlFactory = std::function<std::unique_ptr<HostedWebControl>(
    HWND container, WebControlEvents &events, HostedControlEvents &host)>;

// The control of a build without WebView2: it reports NotBuilt and shows nothing.
std::unique_ptr<HostedWebControl> makeMissingWebControl(
    HWND container, WebControlEvents &events, HostedControlEvents &host);

// Twips (the seam's unit) and the pixels of a window at its DPI; a pixel
// value turned into twips and back is the same pixel value.
int twipsToPixels(int twips, UINT dpi);
int pixelsToTwips(int pixels, UINT dpi);

} // namespace orv::win32
