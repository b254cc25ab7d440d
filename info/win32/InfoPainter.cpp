// SPDX-License-Identifier: MIT
#include "info/win32/InfoPainter.h"

#include "info/win32/Pictures.h"

namespace orv::win32 {

void InfoPainter::paint(HWND window, const Part *self) const
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const std::uint32_t back = self ? self->back : info::kDarkRed;
    FillRect(dc, &client, m_gdi.brush(back == info::kUnset ? info::kDarkRed : back));
    SetBkMode(dc, TRANSPARENT);
    if (self && self->kind == PartKind::OutlinedFrame)
        // Its outline in the text colour, as a frame without a caption.
        FrameRect(dc, &client, m_gdi.brush(self->fore));
    else if (self && self->kind == PartKind::Panel)
        drawCaption(dc, client, *self);
    const std::string_view name = self ? std::string_view(self->name) : std::string_view();
    for (const auto &part : m_parts) {
        if (!part->window && part->container == name)
            drawContained(dc, *part);
    }
    EndPaint(window, &paint);
}

void InfoPainter::drawCaption(HDC dc, const RECT &client, const Part &panel) const
{
    const bool atLeft = info::captionAtLeft(panel.role);
    RECT area = client;
    if (atLeft)
        InflateRect(&area, -m_gdi.scaled(2), 0);
    const HGDIOBJ previous = SelectObject(dc, m_gdi.font(panel.font, panel.underline));
    SetTextColor(dc, colorRef(panel.fore));
    DrawTextW(dc, panel.text.c_str(), static_cast<int>(panel.text.size()), &area,
        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (atLeft ? DT_LEFT : DT_CENTER));
    SelectObject(dc, previous);
}

void InfoPainter::drawContained(HDC dc, const Part &part) const
{
    RECT r = m_gdi.pixelRect(part);
    switch (part.kind) {
    case PartKind::Picture:
        drawPicture(dc, part.bitmap, r.left, r.top);
        break;
    case PartKind::Line:
        FillRect(dc, &r, m_gdi.brush(part.back));
        break;
    case PartKind::Label: {
        // Transparent, one line, as wide as its text.
        const HGDIOBJ previous = SelectObject(dc, m_gdi.font(part.font, false));
        SetTextColor(dc, colorRef(part.fore));
        DrawTextW(dc, part.text.c_str(), static_cast<int>(part.text.size()), &r,
            DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(dc, previous);
        break;
    }
    default:
        break;
    }
}

void InfoPainter::drawCopyButton(const DRAWITEMSTRUCT &item) const
{
    const Part *button = m_parts.partOf(item.hwndItem);
    if (!button)
        return;
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, m_gdi.brush(button->back));
    // A raised bevel in lighter and darker shades of the face, sunken while pressed.
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const std::uint32_t light = 0xE8585A, dark = 0x450102;
    const RECT top { r.left, r.top, r.right, r.top + 1 },
        left { r.left, r.top, r.left + 1, r.bottom },
        bottom { r.left, r.bottom - 1, r.right, r.bottom },
        right { r.right - 1, r.top, r.right, r.bottom };
    FillRect(dc, &top, m_gdi.brush(down ? dark : light));
    FillRect(dc, &left, m_gdi.brush(down ? dark : light));
    FillRect(dc, &bottom, m_gdi.brush(down ? light : dark));
    FillRect(dc, &right, m_gdi.brush(down ? light : dark));
    BITMAP size {};
    if (button->bitmap && GetObjectW(button->bitmap, sizeof size, &size))
        drawPicture(dc, button->bitmap, (r.right - r.left - size.bmWidth) / 2 + (down ? 1 : 0),
            (r.bottom - r.top - size.bmHeight) / 2 + (down ? 1 : 0));
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(dc, &r);
    }
}

} // namespace orv::win32
