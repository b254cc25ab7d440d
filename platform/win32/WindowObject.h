// SPDX-License-Identifier: MIT
#pragma once

// The object behind a window of our own classes. CreateWindowExW hands it
// over as the creation parameter; the first message that carries it,
// WM_NCCREATE, files it in the window's user data, where every later
// message finds it. Messages that come before (WM_GETMINMAXINFO) find none.

#include <windows.h>

namespace orv::win32 {

template <class T> T *windowObject(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *object
            = static_cast<T *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return object;
    }
    return reinterpret_cast<T *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace orv::win32
