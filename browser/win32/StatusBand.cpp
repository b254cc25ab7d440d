// SPDX-License-Identifier: MIT
#include "browser/win32/StatusBand.h"

#include "browser/ToolbarDesign.h"
#include "browser/win32/WindowParts.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <cwchar>
#include <iterator>
#include <numeric>
#include <string_view>

namespace orv::win32 {

namespace {

using toolbar::Kind;
constexpr auto &kPanes = toolbar::statusTools;

constexpr int paneIndex(std::string_view name)
{
    int index = 0;
    while (index < static_cast<int>(kPanes.size()) && kPanes[index].name != name)
        ++index;
    return index;
}

// The status bar's parts are the design's panes with the meter's frame in
// front of the pane it precedes.
constexpr int kMeterPart = paneIndex(toolbar::meterBeforeTool);
static_assert(kMeterPart < static_cast<int>(kPanes.size()), "the meter precedes a pane");
constexpr int kParts = static_cast<int>(kPanes.size()) + 1;

constexpr int partOf(Kind kind)
{
    int index = 0;
    while (index < static_cast<int>(kPanes.size()) && kPanes[index].kind != kind)
        ++index;
    return index < kMeterPart ? index : index + 1;
}
static_assert(partOf(Kind::TextPane) < kParts && partOf(Kind::TimePane) < kParts
        && partOf(Kind::DatePane) < kParts,
    "the status band has its text, time and date panes");

} // namespace

StatusBand::StatusBand(HWND window)
    : m_status(makeChild(
        window, STATUSCLASSNAMEW, WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, kStatusId)),
      m_meter(m_status), m_canvas(m_meter)
{
}

void StatusBand::setText(const std::string &text)
{
    SendMessageW(m_status, SB_SETTEXTW, partOf(Kind::TextPane),
        reinterpret_cast<LPARAM>(platform::fromUtf8(text).c_str()));
    UpdateWindow(m_status);
}

int StatusBand::layout(int width, UINT dpi, HFONT font)
{
    SendMessageW(m_status, WM_SIZE, 0, 0);
    HDC dc = GetDC(m_status);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE timeSize {};
    SIZE dateSize {};
    GetTextExtentPoint32W(dc, L"00:00", 5, &timeSize);
    GetTextExtentPoint32W(dc, L"00.00.0000", 10, &dateSize);
    SelectObject(dc, previous);
    ReleaseDC(m_status, dc);
    const int padding = scaled(12, dpi);
    const int grip = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    // Each part's width; the text pane takes what the others leave.
    std::array<int, kParts> widths {};
    widths[kMeterPart] = MulDiv(toolbar::meterFrame.width, static_cast<int>(dpi), 1440) + padding;
    widths[partOf(Kind::TimePane)] = timeSize.cx + padding;
    widths[partOf(Kind::DatePane)] = dateSize.cx + padding;
    widths.back() += grip;
    const int taken = std::accumulate(widths.begin(), widths.end(), 0);
    widths[partOf(Kind::TextPane)] = std::max(width - taken, 0);
    std::array<int, kParts> edges {};
    for (int part = 0, edge = 0; part < kParts; ++part)
        edges[part] = edge += widths[part];
    edges.back() = -1;
    SendMessageW(m_status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    RECT meterPart;
    SendMessageW(m_status, SB_GETRECT, kMeterPart, reinterpret_cast<LPARAM>(&meterPart));
    InflateRect(&meterPart, -scaled(3, dpi), -scaled(2, dpi));
    m_meter.place(meterPart);
    updateClock(); // the panes exist only now
    RECT statusRect;
    GetWindowRect(m_status, &statusRect);
    return statusRect.bottom - statusRect.top;
}

void StatusBand::updateClock()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t time[16];
    std::swprintf(time, std::size(time), L"%02u:%02u", now.wHour, now.wMinute);
    wchar_t date[64] = L"";
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date,
        static_cast<int>(std::size(date)), nullptr);
    // Rewritten only when changed, so the panes do not flicker each second.
    for (const auto &[part, text] : { std::pair { partOf(Kind::TimePane), time },
             std::pair { partOf(Kind::DatePane), date } }) {
        wchar_t shown[64] = L"";
        if (LOWORD(SendMessageW(m_status, SB_GETTEXTLENGTHW, part, 0)) < std::size(shown))
            SendMessageW(m_status, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(shown));
        if (std::wcscmp(shown, text) != 0)
            SendMessageW(m_status, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text));
    }
}

} // namespace orv::win32
