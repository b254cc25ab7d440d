// SPDX-License-Identifier: MIT
#include "browser/win32/StatusBand.h"

#include "browser/win32/WindowParts.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <cwchar>
#include <iterator>

namespace orv::win32 {

namespace {

// The meter's frame at 96 dpi: 2325 twips wide in the design.
constexpr int kMeterWidth = 155;

} // namespace

StatusBand::StatusBand(HWND window)
    : m_status(makeChild(
        window, STATUSCLASSNAMEW, WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, kStatusId)),
      m_meter(m_status), m_canvas(m_meter)
{
}

void StatusBand::setText(const std::string &text)
{
    SendMessageW(
        m_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(platform::fromUtf8(text).c_str()));
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
    const int dateWidth = dateSize.cx + padding + grip;
    const int timeWidth = timeSize.cx + padding;
    const int meterWidth = scaled(kMeterWidth, dpi) + padding;
    std::array<int, 4> edges { width - dateWidth - timeWidth - meterWidth,
        width - dateWidth - timeWidth, width - dateWidth, -1 };
    edges[0] = std::max(edges[0], 0);
    SendMessageW(m_status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    RECT meterPart;
    SendMessageW(m_status, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&meterPart));
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
    for (const auto &[part, text] : { std::pair { 2, time }, std::pair { 3, date } }) {
        wchar_t shown[64] = L"";
        if (LOWORD(SendMessageW(m_status, SB_GETTEXTLENGTHW, part, 0)) < std::size(shown))
            SendMessageW(m_status, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(shown));
        if (std::wcscmp(shown, text) != 0)
            SendMessageW(m_status, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text));
    }
}

} // namespace orv::win32
