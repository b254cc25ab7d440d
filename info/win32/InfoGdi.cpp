// SPDX-License-Identifier: MIT
#include "info/win32/InfoGdi.h"

#include "platform/Utf8.h"
#include "platform/win32/Font.h"

#include <algorithm>

namespace orv::win32 {

COLORREF colorRef(std::uint32_t color)
{
    if (color == info::kButtonText)
        return GetSysColor(COLOR_BTNTEXT);
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

InfoGdi::~InfoGdi()
{
    dropFonts();
    for (const auto &[color, handle] : m_brushes)
        DeleteObject(handle);
}

void InfoGdi::setDpi(UINT dpi)
{
    m_dpi = dpi == 0 ? 96 : dpi;
    dropFonts();
}

void InfoGdi::dropFonts()
{
    for (const auto &[key, handle] : m_fonts)
        DeleteObject(handle);
    m_fonts.clear();
}

RECT InfoGdi::pixelRect(const Part &part) const
{
    const RECT &p = part.place;
    if (part.kind == PartKind::Line) {
        // A pixel wide whichever way it runs, from one end to the other.
        const int x1 = px(p.left), y1 = px(p.top), x2 = px(p.left + p.right),
                  y2 = px(p.top + p.bottom);
        RECT r { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) };
        r.right = std::max(r.right, r.left + 1);
        r.bottom = std::max(r.bottom, r.top + 1);
        return r;
    }
    return { px(p.left), px(p.top), px(p.left) + px(p.right), px(p.top) + px(p.bottom) };
}

HFONT InfoGdi::font(const info::Font &font, bool underline)
{
    const auto key = std::tuple { font.family, font.points, font.bold, underline };
    if (const auto found = m_fonts.find(key); found != m_fonts.end())
        return found->second;
    HFONT made = makeFont(platform::fromUtf8(font.family.empty() ? "Arial" : font.family),
        font.points, m_dpi, font.bold, underline);
    m_fonts.emplace(key, made);
    return made;
}

HBRUSH InfoGdi::brush(std::uint32_t color)
{
    if (const auto found = m_brushes.find(color); found != m_brushes.end())
        return found->second;
    HBRUSH made = CreateSolidBrush(colorRef(color));
    m_brushes.emplace(color, made);
    return made;
}

} // namespace orv::win32
