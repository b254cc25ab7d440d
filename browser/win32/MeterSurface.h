// SPDX-License-Identifier: MIT
#pragma once

// The block meter's place in the status band, as the meter's algorithm
// draws on it: the frame Meter and, inside it, the area bMeter that the
// blocks are filled into. Both are hidden until the rules show them.
// Coordinates are twips; colours are COLORREF values as RGB(r, g, b) makes
// them. Drawing goes into a bitmap that the area shows at once and again
// whenever it is uncovered, so blocks stay until the area is cleared.

#include "modules/ProgressBar.h"

#include <string>
#include <windows.h>

namespace orv::win32 {

class MeterSurface
{
public:
    explicit MeterSurface(HWND parent);
    ~MeterSurface();
    MeterSurface(const MeterSurface &) = delete;
    MeterSurface &operator=(const MeterSurface &) = delete;

    // The window's layout: the frame's rectangle in its parent, in pixels.
    void place(const RECT &frame);

    void setFrameVisible(bool visible);
    bool frameVisible() const;
    int frameWidth() const;
    int frameHeight() const;

    // The area's rectangle relative to the frame; at first the whole frame.
    void moveArea(int left, int top, int width, int height);
    int areaWidth() const;
    int areaHeight() const;
    void setAreaVisible(bool visible);
    bool areaVisible() const;
    // Erases every block.
    void clearArea();
    // Fills the rectangle from (left, top) to (right, bottom), the far edges
    // outside, with the colour; what lies outside the area is cut off.
    void fillArea(int left, int top, int right, int bottom, COLORREF colour);

    // Lets the messages waiting now run, so the drawing shows while a
    // handler still runs.
    void letPendingRun();

    HWND frameWindow() const { return m_frame; }
    HWND areaWindow() const { return m_area; }

private:
    static LRESULT CALLBACK areaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UINT dpi() const;
    void applyArea();
    void makeCanvas(int width, int height);

    HWND m_frame = nullptr;
    HWND m_area = nullptr;
    HDC m_canvasDc = nullptr;
    HBITMAP m_canvas = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    SIZE m_canvasSize {};
    // The area's rectangle in twips, kept so that a change of DPI keeps it.
    RECT m_areaTwips {};
    bool m_areaWholeFrame = true;
};

// The meter's algorithm (InitMeter, UpdateMeter) drawing on the surface, with
// the window's designed tags.
class MeterSurfaceCanvas final : public MeterCanvas
{
public:
    explicit MeterSurfaceCanvas(MeterSurface &surface) : m_surface(surface) { }

    float frameWidth() const override { return float(m_surface.frameWidth()); }
    float frameHeight() const override { return float(m_surface.frameHeight()); }
    std::string frameTag() const override { return std::string(ProgressBar::kFrameTag); }
    void showFrame() override { m_surface.setFrameVisible(true); }
    std::string areaTag() const override { return std::string(ProgressBar::kAreaTag); }
    float areaWidth() const override { return float(m_surface.areaWidth()); }
    float areaHeight() const override { return float(m_surface.areaHeight()); }
    void moveArea(double left, double top, double width, double height) override;
    void clearArea() override { m_surface.clearArea(); }
    void fillArea(double x1, double y1, double x2, double y2, std::uint32_t rgb) override;
    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override { return twipsPerPixelX(); }
    void doEvents() override { m_surface.letPendingRun(); }

private:
    MeterSurface &m_surface;
};

} // namespace orv::win32
