// SPDX-License-Identifier: MIT
#pragma once

// A font of a given face and point size for a window's DPI, as the windows'
// designs name them (Arial 8.25 pt): the height in pixels is rounded, not
// cut, so that 8.25 pt is 11 pixels at 96 dpi as on the designer's screen.

#include <cmath>
#include <cwchar>
#include <iterator>
#include <string>
#include <windows.h>

namespace orv::win32 {

inline HFONT makeFont(
    const std::wstring &face, double points, UINT dpi, bool bold = false, bool underline = false)
{
    LOGFONTW description {};
    description.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    std::wcsncpy(description.lfFaceName, face.c_str(), std::size(description.lfFaceName) - 1);
    return CreateFontIndirectW(&description);
}

} // namespace orv::win32
