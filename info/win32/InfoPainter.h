// SPDX-License-Identifier: MIT
#pragma once

// How the Info window draws: each window paints its background, its own
// caption or outline, and the pictures, labels and lines it contains, so
// that labels lie transparently on the pictures; the copy buttons are drawn
// by their frame.

#include "info/win32/InfoGdi.h"
#include "info/win32/InfoParts.h"

#include <windows.h>

namespace orv::win32 {

class InfoPainter
{
public:
    InfoPainter(const InfoParts &parts, InfoGdi &gdi) : m_parts(parts), m_gdi(gdi) { }

    // A WM_PAINT of the window (self: none) or of a part's window.
    void paint(HWND window, const Part *self) const;
    // A WM_DRAWITEM of a copy button.
    void drawCopyButton(const DRAWITEMSTRUCT &item) const;

private:
    void drawCaption(HDC dc, const RECT &client, const Part &panel) const;
    void drawContained(HDC dc, const Part &part) const;

    const InfoParts &m_parts;
    InfoGdi &m_gdi;
};

} // namespace orv::win32
