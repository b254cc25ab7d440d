// SPDX-License-Identifier: MIT
#include "browser/win32/InterimRules.h"

#include "browser/win32/MeterSurface.h"
#include "core/Application.h"
#include "core/Failure.h"

#include <algorithm>

namespace orv::win32 {

namespace {

// Blocks of 6 pixels with gaps of 1, 2 pixels below the top and 4 above the
// bottom of the meter's area, in twips at 96 dpi.
constexpr int kBlockWidth = 90;
constexpr int kBlockGap = 15;
constexpr int kBlockTop = 30;
constexpr int kBlockBottomMargin = 60;
constexpr COLORREF kNavy = RGB(0, 0, 128);

} // namespace

template <class Step> void InterimRules::skipFailure(Step &&step)
{
    try {
        step();
    } catch (const Failure &) {
    }
}

void InterimRules::Form_Load(BrowserWindowView &view, const std::string &commandLine)
{
    m_view = &view;
    skipFailure([&] { view.browser().setSilent(true); });
    view.setCaption(application::title);
    if (!commandLine.empty()) {
        skipFailure([&] { view.browser().Navigate(commandLine); });
        view.setAddressText(commandLine);
    }
}

void InterimRules::ToolClick(const std::string &tool)
{
    skipFailure([&] {
        WebControl &browser = m_view->browser();
        if (tool == "ID_Beenden")
            m_view->unload();
        else if (tool == "ID_Zurück")
            browser.GoBack();
        else if (tool == "ID_Vorwärts")
            browser.GoForward();
        else if (tool == "ID_Stop")
            browser.Stop();
        else if (tool == "ID_Aktualisieren")
            browser.Refresh();
    });
}

void InterimRules::ComboSelChange(const std::string &)
{
}

void InterimRules::AddressEnter()
{
    skipFailure([&] { m_view->browser().Navigate(m_view->addressText()); });
}

void InterimRules::AddressPick(int)
{
}

void InterimRules::ClientAreaChanged(int left, int top, int width, int height)
{
    m_view->browser().Move(left, top, width, height);
}

void InterimRules::Form_Unload()
{
}

void InterimRules::StatusTextChange(const std::string &text)
{
    m_view->setStatusText(text);
}

void InterimRules::ProgressChange(std::int32_t progress, std::int32_t progressMax)
{
    MeterSurface &meter = m_view->meter();
    if (progress == -1 || progress == 0) {
        meter.setAreaVisible(false);
        return;
    }
    meter.setFrameVisible(true);
    meter.setAreaVisible(true);
    meter.clearArea();
    const int pitch = kBlockWidth + kBlockGap;
    const int blocks = std::max(0, (meter.areaWidth() - kBlockGap) / pitch);
    const long long shown
        = progressMax > 0 ? std::min<long long>(blocks, 1LL * progress * blocks / progressMax) : 0;
    for (int i = 0; i < shown; ++i) {
        meter.fillArea(kBlockGap + pitch * i, kBlockTop, kBlockGap + pitch * i + kBlockWidth,
            meter.areaHeight() - kBlockBottomMargin, kNavy);
    }
    meter.letPendingRun();
}

void InterimRules::CommandStateChange(std::int32_t command, bool enable)
{
    if (command == CommandForward)
        m_view->setToolEnabled("ID_Vorwärts", enable);
    else if (command == CommandBack)
        m_view->setToolEnabled("ID_Zurück", enable);
}

void InterimRules::DownloadBegin()
{
    skipFailure([&] { m_view->setToolEnabled("ID_Stop", true); });
}

void InterimRules::DownloadComplete()
{
    skipFailure([&] { m_view->setToolEnabled("ID_Stop", false); });
}

} // namespace orv::win32
