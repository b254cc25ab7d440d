// SPDX-License-Identifier: MIT
#include "info/win32/InfoControls.h"

#include "core/Failure.h"
#include "info/win32/Pictures.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"

#include <commctrl.h>

namespace orv::win32 {

namespace {

constexpr int kFirstControlId = 100;
constexpr int kCopyPictureSize = 16; // pixels at 96 dpi

void addToolTips(HWND window, const InfoParts &parts)
{
    const HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tips)
        return; // the window works without them
    for (const auto &part : parts) {
        const std::string_view tip
            = part->kind == PartKind::CopyButton ? texts::info::copyTip : info::toolTip(part->role);
        if (tip.empty())
            continue;
        std::wstring text = platform::fromUtf8(tip);
        TOOLINFOW tool {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(part->window);
        tool.lpszText = text.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

} // namespace

void createPartWindows(HWND window, InfoParts &parts)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    int id = kFirstControlId;
    for (const auto &owned : parts) {
        Part &part = *owned;
        const wchar_t *className = kPartClass;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        std::wstring text = part.text;
        switch (part.kind) {
        case PartKind::Picture:
        case PartKind::Label:
        case PartKind::Line:
            continue; // drawn by their container
        case PartKind::Panel:
            break;
        case PartKind::Frame:
        case PartKind::OutlinedFrame:
            // Frames show no text; their name tells them apart to tools that read windows.
            text = platform::fromUtf8(part.name);
            style |= WS_CLIPCHILDREN;
            exStyle = WS_EX_CONTROLPARENT;
            break;
        case PartKind::TextBox:
            className = WC_EDITW;
            style |= WS_TABSTOP | ES_MULTILINE | ES_READONLY;
            break;
        case PartKind::CopyButton:
            className = WC_BUTTONW;
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        }
        part.window = CreateWindowExW(exStyle, className, text.c_str(), style, 0, 0, 0, 0,
            parts.container(part, window), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
            instance, &part);
        if (!part.window)
            fail(FailureCode::ControlFailed,
                "the Info window's control " + part.name + " cannot be made");
    }
    addToolTips(window, parts);
}

void applyDpi(HWND window, InfoParts &parts, InfoGdi &gdi)
{
    gdi.setDpi(GetDpiForWindow(window));
    RECT frame { 0, 0, gdi.px(info::kClientWidth), gdi.px(info::kClientHeight) };
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
        FALSE, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), gdi.dpi());
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const auto &owned : parts) {
        Part &part = *owned;
        const RECT r = gdi.pixelRect(part);
        if (part.window)
            MoveWindow(part.window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        if (part.kind == PartKind::TextBox)
            SendMessageW(part.window, WM_SETFONT,
                reinterpret_cast<WPARAM>(gdi.font(part.font, false)), FALSE);
        if (part.picture) {
            if (part.bitmap)
                DeleteObject(part.bitmap);
            const int side = gdi.scaled(kCopyPictureSize);
            part.bitmap = part.kind == PartKind::CopyButton
                ? loadPicture(part.picture, side, side)
                : loadPicture(part.picture, r.right - r.left, r.bottom - r.top);
        }
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace orv::win32
