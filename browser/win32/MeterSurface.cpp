// SPDX-License-Identifier: MIT
#include "browser/win32/MeterSurface.h"

#include "browser/win32/MessageLoop.h"
#include "components/win32/HostedControl.h"
#include "core/Failure.h"
#include "platform/win32/WindowObject.h"

#include <algorithm>
#include <cmath>

namespace orv::win32 {

namespace {

constexpr wchar_t kFrameClass[] = L"Meter";
constexpr wchar_t kAreaClass[] = L"bMeter";

void registerClass(const wchar_t *name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass); // a second registration fails harmlessly
}

int pixelWidth(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return r.right;
}

int pixelHeight(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return r.bottom;
}

} // namespace

MeterSurface::MeterSurface(HWND parent)
{
    registerClass(kFrameClass, DefWindowProcW);
    registerClass(kAreaClass, &MeterSurface::areaProc);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    m_frame = CreateWindowExW(0, kFrameClass, L"Meter", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0,
        parent, nullptr, instance, nullptr);
    m_area = CreateWindowExW(
        0, kAreaClass, L"bMeter", WS_CHILD, 0, 0, 0, 0, m_frame, nullptr, instance, this);
    if (!m_frame || !m_area)
        fail(FailureCode::ControlFailed, "the meter's windows cannot be made");
    HDC screen = GetDC(nullptr);
    m_canvasDc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
}

MeterSurface::~MeterSurface()
{
    SetWindowLongPtrW(m_area, GWLP_USERDATA, 0);
    if (m_canvas) {
        SelectObject(m_canvasDc, m_previousBitmap);
        DeleteObject(m_canvas);
    }
    DeleteDC(m_canvasDc);
}

UINT MeterSurface::dpi() const
{
    return GetDpiForWindow(m_frame);
}

void MeterSurface::place(const RECT &frame)
{
    MoveWindow(
        m_frame, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    applyArea();
}

void MeterSurface::setFrameVisible(bool visible)
{
    ShowWindow(m_frame, visible ? SW_SHOWNA : SW_HIDE);
}

bool MeterSurface::frameVisible() const
{
    return (GetWindowLongW(m_frame, GWL_STYLE) & WS_VISIBLE) != 0;
}

int MeterSurface::frameWidth() const
{
    return pixelsToTwips(pixelWidth(m_frame), dpi());
}

int MeterSurface::frameHeight() const
{
    return pixelsToTwips(pixelHeight(m_frame), dpi());
}

void MeterSurface::moveArea(int left, int top, int width, int height)
{
    m_areaTwips = { left, top, left + width, top + height };
    m_areaWholeFrame = false;
    applyArea();
}

void MeterSurface::applyArea()
{
    const UINT d = dpi();
    RECT pixels { 0, 0, pixelWidth(m_frame), pixelHeight(m_frame) };
    if (!m_areaWholeFrame) {
        pixels = { twipsToPixels(m_areaTwips.left, d), twipsToPixels(m_areaTwips.top, d),
            twipsToPixels(m_areaTwips.right, d), twipsToPixels(m_areaTwips.bottom, d) };
    }
    const int width = std::max(0, static_cast<int>(pixels.right - pixels.left));
    const int height = std::max(0, static_cast<int>(pixels.bottom - pixels.top));
    MoveWindow(m_area, pixels.left, pixels.top, width, height, TRUE);
    if (width != m_canvasSize.cx || height != m_canvasSize.cy)
        makeCanvas(width, height);
}

void MeterSurface::makeCanvas(int width, int height)
{
    if (m_canvas) {
        SelectObject(m_canvasDc, m_previousBitmap);
        DeleteObject(m_canvas);
    }
    HDC screen = GetDC(nullptr);
    m_canvas = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    ReleaseDC(nullptr, screen);
    m_previousBitmap = SelectObject(m_canvasDc, m_canvas);
    m_canvasSize = { width, height };
    clearArea();
}

int MeterSurface::areaWidth() const
{
    return pixelsToTwips(pixelWidth(m_area), dpi());
}

int MeterSurface::areaHeight() const
{
    return pixelsToTwips(pixelHeight(m_area), dpi());
}

void MeterSurface::setAreaVisible(bool visible)
{
    ShowWindow(m_area, visible ? SW_SHOWNA : SW_HIDE);
}

bool MeterSurface::areaVisible() const
{
    return (GetWindowLongW(m_area, GWL_STYLE) & WS_VISIBLE) != 0;
}

void MeterSurface::clearArea()
{
    const RECT all { 0, 0, m_canvasSize.cx, m_canvasSize.cy };
    FillRect(m_canvasDc, &all, GetSysColorBrush(COLOR_BTNFACE));
    InvalidateRect(m_area, nullptr, FALSE);
    UpdateWindow(m_area);
}

void MeterSurface::fillArea(int left, int top, int right, int bottom, COLORREF colour)
{
    const UINT d = dpi();
    RECT pixels { twipsToPixels(left, d), twipsToPixels(top, d), twipsToPixels(right, d),
        twipsToPixels(bottom, d) };
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(m_canvasDc, &pixels, brush);
    DeleteObject(brush);
    InvalidateRect(m_area, &pixels, FALSE);
    UpdateWindow(m_area);
}

void MeterSurface::letPendingRun()
{
    letPendingMessagesRun();
}

LRESULT CALLBACK MeterSurface::areaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = windowObject<MeterSurface>(window, message, lParam);
    if (message == WM_PAINT && self) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BitBlt(dc, 0, 0, self->m_canvasSize.cx, self->m_canvasSize.cy, self->m_canvasDc, 0, 0,
            SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1; // the bitmap covers the whole area
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

int wholeTwips(double twips)
{
    return static_cast<int>(std::lround(twips));
}

} // namespace

void MeterSurfaceCanvas::moveArea(double left, double top, double width, double height)
{
    m_surface.moveArea(wholeTwips(left), wholeTwips(top), wholeTwips(width), wholeTwips(height));
}

void MeterSurfaceCanvas::fillArea(double x1, double y1, double x2, double y2, std::uint32_t rgb)
{
    m_surface.fillArea(wholeTwips(x1), wholeTwips(y1), wholeTwips(x2), wholeTwips(y2),
        RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
}

float MeterSurfaceCanvas::twipsPerPixelX() const
{
    return 1440.0f / float(GetDpiForWindow(m_surface.frameWindow()));
}

} // namespace orv::win32
