// SPDX-License-Identifier: MIT
#include "modules/win32/WindowPlacement.h"

#include "core/Failure.h"
#include "platform/Utf8.h"

#include <string>

namespace orv::win32 {

std::string HwndPlacementWindow::caption() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(m_window, text.data(), static_cast<int>(text.size()))));
    return platform::toUtf8(text);
}

RECT HwndPlacementWindow::outer() const
{
    RECT rect {};
    if (!GetWindowRect(m_window, &rect))
        fail(FailureCode::ControlFailed, "the window's rectangle cannot be read");
    return rect;
}

RECT HwndPlacementWindow::monitor() const
{
    MONITORINFO info {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &info))
        fail(FailureCode::ControlFailed, "the window's monitor cannot be read");
    return info.rcMonitor;
}

float HwndPlacementWindow::toTwips(long pixels) const
{
    return float(double(pixels) * 1440.0 / double(GetDpiForWindow(m_window)));
}

int HwndPlacementWindow::toPixels(std::int32_t twips) const
{
    // MulDiv rounds halves away from zero and cannot overflow on the way.
    return MulDiv(twips, static_cast<int>(GetDpiForWindow(m_window)), 1440);
}

float HwndPlacementWindow::width() const
{
    const RECT rect = outer();
    return toTwips(rect.right - rect.left);
}

float HwndPlacementWindow::height() const
{
    const RECT rect = outer();
    return toTwips(rect.bottom - rect.top);
}

std::int16_t HwndPlacementWindow::windowState() const
{
    if (IsIconic(m_window))
        return Minimized;
    return IsZoomed(m_window) ? Maximized : Normal;
}

void HwndPlacementWindow::move(int left, int top, int width, int height)
{
    // A window placed by number is a normal window again, as its numbers say.
    if (IsIconic(m_window) || IsZoomed(m_window))
        ShowWindow(m_window, SW_RESTORE);
    if (!SetWindowPos(m_window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE))
        fail(FailureCode::ControlFailed, "the window cannot be placed");
}

void HwndPlacementWindow::setLeft(std::int32_t twips)
{
    const RECT rect = outer();
    move(toPixels(twips), rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void HwndPlacementWindow::setTop(std::int32_t twips)
{
    const RECT rect = outer();
    move(rect.left, toPixels(twips), rect.right - rect.left, rect.bottom - rect.top);
}

void HwndPlacementWindow::setWidth(std::int32_t twips)
{
    const RECT rect = outer();
    move(rect.left, rect.top, toPixels(twips), rect.bottom - rect.top);
}

void HwndPlacementWindow::setHeight(std::int32_t twips)
{
    const RECT rect = outer();
    move(rect.left, rect.top, rect.right - rect.left, toPixels(twips));
}

void HwndPlacementWindow::setWindowState(std::int16_t state)
{
    switch (state) {
    case Normal:
        ShowWindow(m_window, SW_RESTORE);
        break;
    case Minimized:
        ShowWindow(m_window, SW_MINIMIZE);
        break;
    case Maximized:
        ShowWindow(m_window, SW_MAXIMIZE);
        break;
    default:
        fail(FailureCode::InvalidCall, "no window state " + std::to_string(state));
    }
}

float HwndPlacementWindow::screenWidth() const
{
    const RECT screen = monitor();
    return toTwips(screen.right - screen.left);
}

float HwndPlacementWindow::screenHeight() const
{
    const RECT screen = monitor();
    return toTwips(screen.bottom - screen.top);
}

} // namespace orv::win32
