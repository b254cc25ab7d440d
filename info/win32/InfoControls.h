// SPDX-License-Identifier: MIT
#pragma once

// The child windows of the Info window's parts: made once in their
// containers, then placed, given fonts and pictures at the window's DPI
// whenever it changes.

#include "info/win32/InfoGdi.h"
#include "info/win32/InfoParts.h"

#include <windows.h>

namespace orv::win32 {

// The window class of the panels and frames; tools that read windows know it.
inline constexpr wchar_t kPartClass[] = L"OrvelInfoPart";

// A window for each part that reacts or shows and hides (pictures, labels
// and lines are drawn by their container), and the tool tips.
void createPartWindows(HWND window, InfoParts &parts);

// Sizes the window and places its parts at its DPI, with fonts and pictures to match.
void applyDpi(HWND window, InfoParts &parts, InfoGdi &gdi);

} // namespace orv::win32
