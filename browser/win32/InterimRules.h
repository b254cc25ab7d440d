// SPDX-License-Identifier: MIT
#pragma once

// Stand-in rules for the Windows window until it runs on the shared core,
// which decides all of this for both windows (command line and categories,
// the address history, the meter's blocks, the placement). Until then they
// keep the window usable: the command line as the first address, Enter
// opens the typed address, the tools go back, forward, stop, refresh and
// exit, the notifications switch the tools and the status text, and the
// meter shows navy blocks in proportion to the progress.
// Replace this class, not the window, when the core is there.

#include "browser/win32/BrowserWindowRules.h"

namespace orv::win32 {

class InterimRules final : public BrowserWindowRules
{
public:
    void Form_Load(BrowserWindowView &view, const std::string &commandLine) override;
    void ToolClick(const std::string &tool) override;
    void ComboSelChange(const std::string &tool) override;
    void AddressEnter() override;
    void AddressPick(int position) override;
    void ClientAreaChanged(int left, int top, int width, int height) override;
    void Form_Unload() override;

    void StatusTextChange(const std::string &text) override;
    void ProgressChange(std::int32_t progress, std::int32_t progressMax) override;
    void CommandStateChange(std::int32_t command, bool enable) override;
    void DownloadBegin() override;
    void DownloadComplete() override;

private:
    // A failing step of these handlers is skipped, as the program's
    // handlers skip theirs.
    template <class Step> void skipFailure(Step &&step);

    BrowserWindowView *m_view = nullptr;
};

} // namespace orv::win32
