// SPDX-License-Identifier: MIT
#pragma once

// A top-level window of the Windows program as the window placement sees
// it: its outer rectangle (GetWindowRect, the frame included) in twips of
// the window's own DPI, so that a window on a 144-dpi monitor stores the
// same numbers as one of the same physical size at 96 dpi; its state
// (minimized, maximized); and the monitor it is on as the screen. Sizes the
// window cannot take are held to what it allows, as SetWindowPos does.

#include "modules/modDeclare.h"

#include <windows.h>

namespace orv::win32 {

class HwndPlacementWindow final : public PlacementWindow
{
public:
    explicit HwndPlacementWindow(HWND window) : m_window(window) { }

    std::string caption() const override;
    float left() const override { return toTwips(outer().left); }
    float top() const override { return toTwips(outer().top); }
    float width() const override;
    float height() const override;
    std::int16_t windowState() const override;
    void setLeft(std::int32_t twips) override;
    void setTop(std::int32_t twips) override;
    void setWidth(std::int32_t twips) override;
    void setHeight(std::int32_t twips) override;
    void setWindowState(std::int16_t state) override;
    float screenWidth() const override;
    float screenHeight() const override;

private:
    RECT outer() const;
    RECT monitor() const;
    float toTwips(long pixels) const;
    int toPixels(std::int32_t twips) const;
    void move(int left, int top, int width, int height);

    HWND m_window;
};

} // namespace orv::win32
