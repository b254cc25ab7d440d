// SPDX-License-Identifier: MIT
// The controls on Windows: real windows.
#include "sysutil/controls/SystemControls.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orv::controls {

namespace {

std::int32_t handleOf(const void *handle)
{
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(handle));
}

std::string toCodePage(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(
        CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(std::max(size, 0)), '\0');
    WideCharToMultiByte(
        CP_ACP, 0, text.data(), int(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring fromCodePage(const std::string &text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(std::size_t(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), result.data(), size);
    return result;
}

// A bitmap as a 32-bit BMP file.
bool saveBitmap(HBITMAP bitmap, const std::string &file)
{
    BITMAP info {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return false;
    BITMAPINFOHEADER header {};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<char> pixels(std::size_t(info.bmWidth) * std::size_t(info.bmHeight) * 4);
    const HDC dc = CreateCompatibleDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, UINT(info.bmHeight), pixels.data(),
        reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines != info.bmHeight)
        return false;
    BITMAPFILEHEADER fileHeader {};
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = DWORD(fileHeader.bfOffBits + pixels.size());
    std::FILE *out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&fileHeader, sizeof fileHeader, 1, out) == 1
        && std::fwrite(&header, sizeof header, 1, out) == 1
        && std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && written;
}

} // namespace

std::int32_t SystemForm::hWnd() const
{
    return handleOf(m_window);
}

double SystemForm::textPixels(const std::wstring &text) const
{
    const std::string bytes = toCodePage(text);
    const HDC dc = GetDC(m_window);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(m_window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent {};
    GetTextExtentPoint32A(dc, bytes.c_str(), int(bytes.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(m_window, dc);
    return extent.cx;
}

double SystemForm::dotsPerInch() const
{
    const HDC dc = GetDC(m_window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(m_window, dc);
    return dpi > 0 ? dpi : 96;
}

std::int32_t SystemComboBox::hWnd() const
{
    return handleOf(m_combo);
}

std::int32_t SystemComboBox::ListCount() const
{
    const LRESULT count = SendMessageA(m_combo, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : std::int32_t(count);
}

std::wstring SystemComboBox::List(std::int32_t index) const
{
    const LRESULT length = SendMessageA(m_combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length == CB_ERR)
        return {};
    std::string text(std::size_t(length) + 1, '\0');
    const LRESULT copied
        = SendMessageA(m_combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : std::size_t(copied));
    return fromCodePage(text);
}

// The picture's persistent image in a memory device context, and the copy
// of it the window shows.
struct SystemPictureBox::State
{
    explicit State(HWND window) : window(window)
    {
        RECT client {};
        GetClientRect(window, &client);
        size = { std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1) };
        const HDC windowDc = GetDC(window);
        dc = CreateCompatibleDC(windowDc);
        image = CreateCompatibleBitmap(windowDc, size.cx, size.cy);
        ReleaseDC(window, windowDc);
        original = SelectObject(dc, image);
    }
    ~State()
    {
        setPicture(nullptr);
        SelectObject(dc, original);
        DeleteObject(image);
        DeleteDC(dc);
    }

    // The background the image is cleared to.
    static COLORREF background() { return GetSysColor(COLOR_BTNFACE); }

    void setPicture(HBITMAP bitmap)
    {
        SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        // The window does not own the bitmap it shows: the one replaced is ours.
        if (picture)
            DeleteObject(picture);
        picture = bitmap;
    }

    HWND window;
    SIZE size {};
    HDC dc = nullptr;
    HBITMAP image = nullptr;
    HGDIOBJ original = nullptr;
    HBITMAP picture = nullptr; // the bitmap the window shows; nullptr when cleared
};

SystemPictureBox::SystemPictureBox(HWND window) : m_state(std::make_unique<State>(window))
{
    ClearPicture();
}

SystemPictureBox::~SystemPictureBox() = default;

std::int32_t SystemPictureBox::hDC() const
{
    return handleOf(m_state->dc);
}

void SystemPictureBox::ClearPicture()
{
    State &s = *m_state;
    const HBRUSH brush = CreateSolidBrush(s.background());
    const RECT all { 0, 0, s.size.cx, s.size.cy };
    FillRect(s.dc, &all, brush);
    DeleteObject(brush);
    s.setPicture(nullptr);
}

void SystemPictureBox::PictureFromImage()
{
    State &s = *m_state;
    const HDC copyDc = CreateCompatibleDC(s.dc);
    const HBITMAP copy = CreateCompatibleBitmap(s.dc, s.size.cx, s.size.cy);
    const HGDIOBJ previous = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, s.size.cx, s.size.cy, s.dc, 0, 0, SRCCOPY);
    SelectObject(copyDc, previous);
    DeleteDC(copyDc);
    s.setPicture(copy);
}

bool SystemPictureBox::save(const std::wstring &file) const
{
    return saveBitmap(m_state->picture, toCodePage(file));
}

} // namespace orv::controls
