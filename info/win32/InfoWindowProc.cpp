// SPDX-License-Identifier: MIT
#include "info/win32/InfoWindowProc.h"

#include "core/Failure.h"
#include "core/Steps.h"
#include "info/win32/InfoControls.h"
#include "platform/Utf8.h"
#include "platform/win32/WindowObject.h"

#include <cstring>
#include <utility>
#include <windowsx.h>

namespace orv::win32 {

template <class Call> void InfoWindowProc::guarded(Call &&call)
{
    // Called from the system's callbacks: nothing may unwind through them. A
    // failure goes where the program reports the ones no handler traps.
    try {
        runUntrapped("the Info window", std::forward<Call>(call));
    } catch (const std::exception &failure) {
        reportUnhandledFailure(
            "the Info window", Failure(FailureCode::ControlFailed, failure.what()));
    }
}

LRESULT CALLBACK InfoWindowProc::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = windowObject<InfoWindowProc>(window, message, lParam);
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE)
        self->m_window = window;
    return self->handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK InfoWindowProc::partProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *part = windowObject<Part>(window, message, lParam);
    if (part && message == WM_NCCREATE)
        part->window = window;
    // The parts live in the window, whose procedure object handles them too.
    auto *self = reinterpret_cast<InfoWindowProc *>(
        GetWindowLongPtrW(GetAncestor(window, GA_ROOT), GWLP_USERDATA));
    if (!part || !self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handlePartMessage(*part, message, wParam, lParam);
}

LRESULT InfoWindowProc::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = m_window;
    switch (message) {
    case WM_NCHITTEST: {
        // The background moves the window, as a title bar does.
        const LRESULT hit = DefWindowProcW(window, message, wParam, lParam);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_NCXBUTTONDOWN:
    case WM_NCXBUTTONDBLCLK:
        // The other buttons move it too; the system's move follows the left one only.
        if (LOWORD(wParam) == HTCAPTION && inBackground(lParam)) {
            startDrag(message);
            return message == WM_NCXBUTTONDOWN || message == WM_NCXBUTTONDBLCLK ? TRUE : 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_dragEnd && GetCapture() == window) {
            followPointer();
            return 0;
        }
        break;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        // Ends the move; the release opens no menu.
        if (m_dragEnd) {
            if (message == m_dragEnd)
                ReleaseCapture();
            return message == WM_XBUTTONUP ? TRUE : 0;
        }
        break;
    case WM_CAPTURECHANGED:
        m_dragEnd = 0;
        return 0;
    case WM_NCRBUTTONUP:
    case WM_CONTEXTMENU:
        // A right click on the background opens no system menu; on the title bar it does.
        if (lParam != -1 && inBackground(lParam))
            return 0;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        m_painter.paint(window, nullptr);
        return 0;
    case WM_COMMAND:
        // Esc as a dialog reports it; Enter (IDOK) means nothing here.
        if (LOWORD(wParam) == IDCANCEL)
            close();
        return 0;
    case WM_CLOSE:
        // The close button or Alt+F4: the modal loop ends and destroys the window.
        close();
        return 0;
    case WM_DPICHANGED: {
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi(window, m_parts, m_gdi);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT InfoWindowProc::handlePartMessage(Part &part, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = part.window;
    const bool reacts = part.kind == PartKind::Panel;
    switch (message) {
    case WM_NCHITTEST:
        // A drag surface lets the press through to the window below, which moves.
        if (part.dragSurface)
            return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        m_painter.paint(window, &part);
        return 0;
    case WM_SETCURSOR:
        if (part.hand && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        // The first move is the pointer entering; the system reports its leaving.
        if (reacts && !part.tracking) {
            TRACKMOUSEEVENT track { sizeof track, TME_LEAVE, window, 0 };
            part.tracking = TrackMouseEvent(&track) != FALSE;
            applyLook(part, info::hoverLook(part.role));
        }
        return 0;
    case WM_MOUSELEAVE:
        part.tracking = false;
        part.pressed = false;
        pointerLeft(part);
        return 0;
    case WM_LBUTTONDOWN:
        part.pressed = reacts;
        return 0;
    case WM_LBUTTONUP: {
        const POINT at { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
        RECT client;
        GetClientRect(window, &client);
        if (std::exchange(part.pressed, false) && PtInRect(&client, at))
            clicked(part);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (const Part *child = m_parts.partOf(reinterpret_cast<HWND>(lParam))) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, colorRef(child->fore == info::kUnset ? info::kWhite : child->fore));
            SetBkColor(dc, colorRef(child->back));
            return reinterpret_cast<LRESULT>(m_gdi.brush(child->back));
        }
        break;
    case WM_DRAWITEM:
        m_painter.drawCopyButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (const Part *button = m_parts.partOf(reinterpret_cast<HWND>(lParam));
                button && button->kind == PartKind::CopyButton)
                copyOffice(*button);
        }
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        part.window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void InfoWindowProc::pointerLeft(Part &part)
{
    guarded([&] { m_rules.pointerLeft(part.name, part.role); });
}

bool InfoWindowProc::inBackground(LPARAM screenPoint) const
{
    POINT at { GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint) };
    RECT client;
    GetClientRect(m_window, &client);
    return ScreenToClient(m_window, &at) && PtInRect(&client, at);
}

void InfoWindowProc::startDrag(UINT pressed)
{
    m_dragEnd = pressed == WM_NCRBUTTONDOWN || pressed == WM_NCRBUTTONDBLCLK ? WM_RBUTTONUP
        : pressed == WM_NCMBUTTONDOWN || pressed == WM_NCMBUTTONDBLCLK       ? WM_MBUTTONUP
                                                                             : WM_XBUTTONUP;
    RECT outer;
    GetWindowRect(m_window, &outer);
    GetCursorPos(&m_dragFrom);
    m_windowFrom = { outer.left, outer.top };
    SetCapture(m_window);
}

void InfoWindowProc::followPointer()
{
    POINT now;
    GetCursorPos(&now);
    SetWindowPos(m_window, nullptr, m_windowFrom.x + now.x - m_dragFrom.x,
        m_windowFrom.y + now.y - m_dragFrom.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InfoWindowProc::clicked(Part &part)
{
    guarded([&] {
        switch (part.role) {
        case info::Role::Navigation:
            if (const auto page = InfoParts::pageOf(part))
                m_rules.pageClicked(*page);
            break;
        case info::Role::Country:
            if (const auto country = InfoParts::countryOf(part))
                m_rules.countryClicked(*country);
            break;
        case info::Role::Close:
            close();
            break;
        case info::Role::SystemInfo:
            m_rules.pnlSysteminfo_Click();
            break;
        case info::Role::HomeLink:
        case info::Role::AuthorLink:
        case info::Role::MailLink:
            m_rules.openLink(part.target);
            break;
        case info::Role::None:
            break;
        }
    });
}

void InfoWindowProc::copyOffice(const Part &button)
{
    const std::wstring text = platform::fromUtf8(button.target);
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 10 && !(opened = OpenClipboard(m_window) != FALSE); ++attempt)
        Sleep(20);
    if (!opened) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

} // namespace orv::win32
