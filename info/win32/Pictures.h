// SPDX-License-Identifier: MIT
#pragma once

// The Info window's pictures: PNG resources of the program, decoded and
// scaled by the system's imaging component to the size a monitor's DPI asks
// for, as bitmaps with premultiplied alpha for AlphaBlend.

#include <string_view>
#include <windows.h>

namespace orv::win32 {

// The resource that holds a picture of the design (its file name), or 0.
int pictureResource(std::string_view file);

// A 32-bit top-down bitmap of the resource at width x height pixels, or
// nullptr when the resource is missing or cannot be decoded (the window then
// shows its background). COM must be initialised on the thread.
HBITMAP loadPicture(int resource, int width, int height);

// Draws a bitmap of loadPicture at (x, y) in its own size.
void drawPicture(HDC dc, HBITMAP picture, int x, int y);

} // namespace orv::win32
