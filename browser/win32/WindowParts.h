// SPDX-License-Identifier: MIT
#pragma once

// What the parts of the browser window share: their child controls' numbers,
// how a child control is made, its text, and sizes at the window's DPI.

#include "core/Failure.h"

#include <string>
#include <windows.h>

namespace orv::win32 {

enum ControlId : int {
    kToolbarId = 200,
    kCategoryId, // ID_Seite
    kAddressId, // txtEingabe
    kStatusId,
    kMessageId,
    kFirstToolId = 1000, // + the tool's index in the command band
};

// Sizes are designed at 96 dpi.
inline int scaled(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

// A child control of the window, without text and at no place yet: the
// layout places it.
inline HWND makeChild(HWND parent, const wchar_t *className, DWORD style, int id)
{
    HWND made = CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!made)
        fail(FailureCode::ControlFailed, "a control of the browser window cannot be made");
    return made;
}

inline std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Whether a combo box shows its list.
inline bool dropped(HWND combo)
{
    return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

} // namespace orv::win32
