// SPDX-License-Identifier: MIT
#pragma once

// The web control as the browser window's rules see it, in plain C++ so that
// every window build shares them: the operations the window calls and the
// notifications the control sends back. Texts are UTF-8. Each build's
// adapter (the Qt engine on Linux, WebView2 on Windows) implements
// WebControl and reports to a WebControlEvents.

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// The commands whose state CommandStateChange reports.
enum BrowserCommand : std::int32_t { CommandForward = 1, CommandBack = 2 };

class WebControlEvents
{
public:
    virtual ~WebControlEvents() = default;
    virtual void StatusTextChange(const std::string &text) = 0;
    // Progress -1 or 0: nothing is loading.
    virtual void ProgressChange(std::int32_t progress, std::int32_t progressMax) = 0;
    // Whether a BrowserCommand can be used now; sent for both whenever
    // either may have changed. Values the receiver does not know are ignored.
    virtual void CommandStateChange(std::int32_t command, bool enable) = 0;
    virtual void DownloadBegin() = 0;
    virtual void DownloadComplete() = 0;
};

class WebControl
{
public:
    virtual ~WebControl() = default;
    // No dialog boxes of the control's own (script alerts, certificate prompts).
    virtual void setSilent(bool silent) = 0;
    // Starts loading and returns at once; progress arrives as notifications.
    virtual void Navigate(const std::string &address) = 0;
    // Throw Failure(ControlFailed) when there is no page to go to.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    // Covers exactly this rectangle of its container, in twips.
    virtual void Move(int left, int top, int width, int height) = 0;
    // The window's own pages, whose last good copy the control keeps and
    // shows while their server cannot be reached; a control that keeps no
    // copies ignores it.
    virtual void keepLastSeen(const std::vector<std::string> &) { }
};

} // namespace orv
