// SPDX-License-Identifier: MIT
#include "sysutil/controls/Win32Controls.h"

#include <algorithm>
#include <string>

namespace orv::controls {

using namespace orv::platform;

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

} // namespace

Win32Form::Win32Form(HWND window, std::int32_t scaleMode) : m_window(window), m_scaleMode(scaleMode)
{
}

std::int32_t Win32Form::hWnd() const
{
    return handleOf(m_window);
}

double Win32Form::TextWidth(const std::wstring &text) const
{
    const std::string bytes = toCodePage(text);
    const HDC dc = GetDC(m_window);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(m_window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent {};
    GetTextExtentPoint32A(dc, bytes.c_str(), int(bytes.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(m_window, dc);
    return ScaleX(extent.cx, kScalePixels, m_scaleMode);
}

double Win32Form::ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const
{
    return convertScale(value, fromMode, toMode, dotsPerInch());
}

double Win32Form::dotsPerInch() const
{
    const HDC dc = GetDC(m_window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(m_window, dc);
    return dpi > 0 ? dpi : 96;
}

Win32ComboBox::Win32ComboBox(HWND combo, FormObject &parent) : m_combo(combo), m_parent(parent)
{
}

std::int32_t Win32ComboBox::hWnd() const
{
    return handleOf(m_combo);
}

std::int32_t Win32ComboBox::ListCount() const
{
    const LRESULT count = SendMessageA(m_combo, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : std::int32_t(count);
}

std::wstring Win32ComboBox::List(std::int32_t index) const
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

Win32PictureBox::Win32PictureBox(HWND window) : m_window(window)
{
    RECT client {};
    GetClientRect(window, &client);
    m_size = { std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1) };
    const HDC windowDc = GetDC(window);
    m_dc = CreateCompatibleDC(windowDc);
    m_image = CreateCompatibleBitmap(windowDc, m_size.cx, m_size.cy);
    ReleaseDC(window, windowDc);
    m_original = SelectObject(m_dc, m_image);
    ClearPicture();
}

Win32PictureBox::~Win32PictureBox()
{
    setPicture(nullptr);
    SelectObject(m_dc, m_original);
    DeleteObject(m_image);
    DeleteDC(m_dc);
}

std::int32_t Win32PictureBox::hDC() const
{
    return handleOf(m_dc);
}

void Win32PictureBox::ClearPicture()
{
    const HBRUSH brush = CreateSolidBrush(background());
    const RECT all { 0, 0, m_size.cx, m_size.cy };
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
    setPicture(nullptr);
}

void Win32PictureBox::PictureFromImage()
{
    const HDC copyDc = CreateCompatibleDC(m_dc);
    const HBITMAP copy = CreateCompatibleBitmap(m_dc, m_size.cx, m_size.cy);
    const HGDIOBJ previous = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, m_size.cx, m_size.cy, m_dc, 0, 0, SRCCOPY);
    SelectObject(copyDc, previous);
    DeleteDC(copyDc);
    setPicture(copy);
}

void Win32PictureBox::setPicture(HBITMAP bitmap)
{
    SendMessageA(m_window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    // The window does not own the bitmap it shows: the one replaced is ours.
    if (m_picture)
        DeleteObject(m_picture);
    m_picture = bitmap;
}

} // namespace orv::controls
