// SPDX-License-Identifier: MIT
// orvclass's controls on Windows: windows on a hidden window.
#include "sysutil/orvclass/ToolControls.h"

#include <string>
#include <vector>

namespace orv::orvclass {

namespace {

std::string toCodePage(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProcA(window, message, w, l);
}

} // namespace

HWND ToolControls::createWindow()
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = formProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OrvclassForm";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "orvclass", WS_OVERLAPPEDWINDOW, 0, 0, 300,
        200, nullptr, nullptr, windowClass.hInstance, nullptr);
}

void ToolControls::destroyWindow(HWND window)
{
    DestroyWindow(window); // and the controls on it
}

HWND ToolControls::createComboBox(const std::vector<std::wstring> &entries)
{
    // Narrow, so that any list width asked for is the list's own.
    const HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL,
        10, 10, 30, 100, m_window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!combo)
        return nullptr;
    for (const std::wstring &entry : entries) {
        const std::string text = toCodePage(entry);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return combo;
}

// The window's height is the box with its dropped list.
std::int32_t ToolControls::comboHeight() const
{
    RECT closed {};
    RECT dropped {};
    GetWindowRect(m_combo, &closed);
    SendMessageA(m_combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    return std::int32_t(dropped.bottom - closed.top);
}

std::int32_t ToolControls::comboListWidth() const
{
    return std::int32_t(SendMessageA(m_combo, CB_GETDROPPEDWIDTH, 0, 0));
}

HWND ToolControls::createPictureBox()
{
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BITMAP, 10, 40, 32, 32, m_window, nullptr,
        GetModuleHandleA(nullptr), nullptr);
}

} // namespace orv::orvclass
