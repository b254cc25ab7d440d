// SPDX-License-Identifier: MIT
#include "info/win32/ModalLoop.h"

namespace orv::win32 {

namespace {

// Keys that the window takes before its controls do; true: handled.
bool filterMessage(InfoWindowProc &window, MSG &message)
{
    const HWND info = window.window();
    if (message.hwnd != info && !IsChild(info, message.hwnd))
        return false;
    // The window sees Esc before its controls do, whichever has the focus.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        window.close();
        return true;
    }
    // Tab and the arrow keys move the focus between the text and the buttons.
    return IsDialogMessageW(info, &message) != FALSE;
}

} // namespace

ModalLoop::ModalLoop(HWND owner) : m_owner(owner)
{
    EnableWindow(m_owner, FALSE);
}

ModalLoop::~ModalLoop()
{
    EnableWindow(m_owner, TRUE);
}

void ModalLoop::run(InfoWindowProc &window)
{
    ShowWindow(window.window(), SW_SHOW);
    SetForegroundWindow(window.window());
    UpdateWindow(window.window());
    MSG message;
    while (!window.closing() && window.window()) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (result == -1)
            break;
        if (filterMessage(window, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace orv::win32
