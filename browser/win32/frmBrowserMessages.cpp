// SPDX-License-Identifier: MIT
// What reaches the browser window: Windows' messages, the user's clicks and
// keys, and the web control's notifications, each handed to the rules or to
// the part of the window it concerns.

#include "browser/win32/MissingControlText.h"
#include "browser/win32/frmBrowser.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "platform/Utf8.h"
#include "platform/win32/WindowObject.h"

namespace orv::win32 {

void frmBrowser::guarded(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Failure &failure) {
        const std::wstring text = L"Laufzeitfehler " + std::to_wstring(failure.number()) + L":\r\n"
            + platform::fromUtf8(failure.what());
        MessageBoxW(m_window, text.c_str(), application::wideTitle, MB_OK | MB_ICONERROR);
    } catch (const std::exception &failure) {
        MessageBoxW(m_window, platform::fromUtf8(failure.what()).c_str(), application::wideTitle,
            MB_OK | MB_ICONERROR);
    }
}

LRESULT CALLBACK frmBrowser::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = windowObject<frmBrowser>(window, message, lParam);
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE)
        self->m_window = window;
    return self->handleMessage(message, wParam, lParam);
}

LRESULT frmBrowser::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        create();
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_DPICHANGED: {
        applyDpi();
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top,
            suggested->right - suggested->left, suggested->bottom - suggested->top,
            SWP_NOZORDER | SWP_NOACTIVATE);
        layout();
        return 0;
    }
    case WM_COMMAND:
        command(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kClockTimer)
            m_statusBand->updateClock();
        return 0;
    case kRunPageKey:
        runKey(keyCommand(
            static_cast<UINT>(wParam), (lParam & 1) != 0, (lParam & 2) != 0, (lParam & 4) != 0));
        return 0;
    case WM_ACTIVATE:
        // Back in the window, the keyboard returns to where it was.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            m_lastFocus = focused && IsChild(m_window, focused) ? focused : nullptr;
        }
        break;
    case WM_SETFOCUS:
        if (m_lastFocus && IsWindow(m_lastFocus) && IsChild(m_window, m_lastFocus))
            SetFocus(m_lastFocus);
        else if (m_controlMissing || !m_control)
            SetFocus(m_band->address().handle());
        else
            m_control->focus();
        return 0;
    case WM_CTLCOLORSTATIC:
        // The message in the browser area reads like a page, not like a dialog.
        if (reinterpret_cast<HWND>(lParam) == m_message) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_QUERYENDSESSION:
        return TRUE; // closing is never refused, not even at log-off
    case WM_ENDSESSION:
        // Log-off and shutdown send no WM_CLOSE: the placement is stored here,
        // and the program ends as though its window had been closed.
        if (!wParam)
            return 0;
        [[fallthrough]];
    case WM_CLOSE:
        // Closing is never refused; the placement is stored first.
        guarded([&] { Form_Unload(); });
        DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, kClockTimer);
        // The engine's window goes while its container still exists.
        m_control.reset();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void frmBrowser::command(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from == m_band->toolbar()) {
        if (const auto tool = m_band->clickedTool(id))
            guarded([&] { m_rules->ActiveBar31_ToolClick(*tool); });
    } else if (from == m_band->category()) {
        if (const auto entry = m_band->chosenCategory(code))
            guarded([&] { m_rules->ActiveBar31_ComboSelChange(*entry); });
    } else if (from == m_band->address().handle()) {
        if (const auto position = m_band->address().picked(code))
            guarded([&] { m_rules->txtEingabe_Click(*position); });
    }
}

bool frmBrowser::filterMessage(MSG &message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    if (message.hwnd != m_window && !IsChild(m_window, message.hwnd))
        return false;
    const UINT key = static_cast<UINT>(message.wParam);
    // An open list takes Enter and Esc itself: they choose or close.
    if ((key == VK_RETURN || key == VK_ESCAPE) && m_band->listShown())
        return false;
    // The main Enter and the keypad's Enter are both VK_RETURN.
    if (key == VK_RETURN && m_band->address().holds(message.hwnd)) {
        guarded([&] { m_rules->txtEingabe_KeyPress(13, m_band->address().text()); });
        return true;
    }
    const bool alt = message.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    return runKey(keyCommand(key, alt, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0));
}

bool frmBrowser::runKey(const KeyCommand &key)
{
    if (key.focusAddress) {
        m_band->address().focusAll();
        return true;
    }
    if (key.tool.empty())
        return false;
    // A disabled tool produces no click, from its key neither.
    if (m_band->toolEnabled(key.tool))
        guarded([&] { m_rules->ActiveBar31_ToolClick(key.tool); });
    return true;
}

bool frmBrowser::PageKey(UINT virtualKey, bool alt, bool ctrl, bool shift)
{
    if (!keyCommand(virtualKey, alt, ctrl, shift))
        return false;
    // Run from the message loop, not inside the engine's callback.
    PostMessageW(
        m_window, kRunPageKey, virtualKey, (alt ? 1 : 0) | (ctrl ? 2 : 0) | (shift ? 4 : 0));
    return true;
}

void frmBrowser::ControlUnavailable(ControlProblem problem, HRESULT code)
{
    if (m_controlMissing)
        return;
    m_controlMissing = true;
    SetWindowTextW(m_message, missingControlText(problem, code).c_str());
    ShowWindow(m_message, SW_SHOWNA);
    SetWindowPos(m_message, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmBrowser::StatusTextChange(const std::string &text)
{
    if (m_rules)
        m_rules->StatusTextChange(text);
}

void frmBrowser::ProgressChange(std::int32_t progress, std::int32_t progressMax)
{
    if (m_rules)
        m_rules->ProgressChange(progress, progressMax);
}

void frmBrowser::CommandStateChange(std::int32_t command, bool enable)
{
    if (m_rules)
        m_rules->CommandStateChange(command, enable);
}

void frmBrowser::DownloadBegin()
{
    if (m_rules)
        m_rules->DownloadBegin();
}

void frmBrowser::DownloadComplete()
{
    if (m_rules)
        m_rules->DownloadComplete();
}

} // namespace orv::win32
