// SPDX-License-Identifier: MIT
#include "sysutil/controls/Win32Controls.h"
#include "sysutil/orvclass/ToolControls.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orv::orvclass {

namespace {

using namespace orv::controls;

std::string toCodePage(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    result.resize(result.size() - 1);
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

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProcA(window, message, w, l);
}

class Win32ToolControls : public Controls
{
public:
    ~Win32ToolControls() override
    {
        m_picture.reset();
        if (m_window)
            DestroyWindow(m_window);
    }

    ComboBoxObject *comboBox(const std::vector<std::wstring> &entries) override
    {
        if (!makeForm())
            return nullptr;
        // Narrow, so that any list width asked for is the list's own.
        m_combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, 10,
            10, 30, 100, m_window, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!m_combo)
            return nullptr;
        for (const std::wstring &entry : entries) {
            const std::string text = toCodePage(entry);
            SendMessageA(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        m_comboObject = std::make_unique<Win32ComboBox>(m_combo, *m_form);
        return m_comboObject.get();
    }
    // The window's height is the box with its dropped list.
    std::int32_t comboHeight() const override
    {
        RECT closed {};
        RECT dropped {};
        GetWindowRect(m_combo, &closed);
        SendMessageA(m_combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        return std::int32_t(dropped.bottom - closed.top);
    }
    std::int32_t comboListWidth() const override
    {
        return std::int32_t(SendMessageA(m_combo, CB_GETDROPPEDWIDTH, 0, 0));
    }

    PictureBoxObject *pictureBox() override
    {
        if (!makeForm())
            return nullptr;
        const HWND window = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BITMAP, 10, 40, 32, 32,
            m_window, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!window)
            return nullptr;
        m_picture = std::make_unique<Win32PictureBox>(window);
        return m_picture.get();
    }
    bool savePicture(const std::wstring &file) override
    {
        return saveBitmap(m_picture->picture(), toCodePage(file));
    }

private:
    bool makeForm()
    {
        if (m_window)
            return true;
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = formProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrvclassForm";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, windowClass.lpszClassName, "orvclass", WS_OVERLAPPEDWINDOW, 0,
            0, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        if (!m_window)
            return false;
        m_form = std::make_unique<Win32Form>(m_window);
        return true;
    }

    HWND m_window = nullptr;
    std::unique_ptr<Win32Form> m_form;
    HWND m_combo = nullptr;
    std::unique_ptr<Win32ComboBox> m_comboObject;
    std::unique_ptr<Win32PictureBox> m_picture;
};

} // namespace

std::unique_ptr<Controls> createToolControls()
{
    return std::make_unique<Win32ToolControls>();
}

} // namespace orv::orvclass
