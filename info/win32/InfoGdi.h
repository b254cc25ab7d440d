// SPDX-License-Identifier: MIT
#pragma once

// The Info window at one DPI: twips to pixels, and the fonts and brushes of
// its design, each made once and kept until the DPI changes or the window
// goes.

#include "info/InfoLayout.h"
#include "info/win32/InfoParts.h"

#include <map>
#include <string_view>
#include <tuple>
#include <windows.h>

namespace orv::win32 {

// A colour of the design; the button-text colour is the system's.
COLORREF colorRef(std::uint32_t color);

class InfoGdi
{
public:
    InfoGdi() = default;
    ~InfoGdi();
    InfoGdi(const InfoGdi &) = delete;
    InfoGdi &operator=(const InfoGdi &) = delete;

    // Fonts made for another DPI go.
    void setDpi(UINT dpi);
    UINT dpi() const { return m_dpi; }
    int px(int twips) const { return MulDiv(twips, static_cast<int>(m_dpi), 1440); }
    // Pixels at 96 dpi to pixels at this DPI.
    int scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(m_dpi), 96); }
    // A part's rectangle in its container, in pixels.
    RECT pixelRect(const Part &part) const;
    HFONT font(const info::Font &font, bool underline);
    HBRUSH brush(std::uint32_t color);

private:
    void dropFonts();

    UINT m_dpi = 96;
    std::map<std::tuple<std::string_view, double, bool, bool>, HFONT> m_fonts;
    std::map<std::uint32_t, HBRUSH> m_brushes;
};

} // namespace orv::win32
