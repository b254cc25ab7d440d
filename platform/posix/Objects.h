// SPDX-License-Identifier: MIT
#pragma once

// The Linux side of window handles and device contexts: Qt widgets and images
// registered under the 32-bit numbers the class passes around, and memory
// device contexts with bitmaps whose block transfers follow the system's
// rules (colour to monochrome by the source's background colour, monochrome
// to colour through the target's background and text colours).

#include "platform/Platform.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace orv::platform::posix {

// The widgets application the clipboard, icons and dialogs need: the
// program's own, or one made on first use when there is a display (a
// command-line program); nullptr without either.
QApplication *widgetApplication();
// True when widgetApplication() made the application itself.
bool applicationIsOurs();

// A widget under a window handle for as long as it lives.
WindowHandle registerWidget(QWidget *widget);
QWidget *widgetOf(WindowHandle window);

// An image a caller draws on (a picture box's surface) as a device context.
// The image must outlive its registration; unregister before destroying it.
DeviceContext registerSurface(QImage *image);
void unregisterSurface(DeviceContext dc);
// The image behind a device context (a surface or a memory context's
// bitmap); nullptr for none.
QImage *imageOf(DeviceContext dc);

DeviceContext createCompatibleDc(DeviceContext dc);
GdiObject createBitmap(std::int32_t width, std::int32_t height, bool monochrome);
GdiObject createCompatibleBitmap(DeviceContext dc, std::int32_t width, std::int32_t height);
GdiObject selectObject(DeviceContext dc, GdiObject object);
bool deleteObject(GdiObject object);
bool deleteDc(DeviceContext dc);
std::uint32_t setBkColor(DeviceContext dc, std::uint32_t colour);
bool bitBlt(DeviceContext target, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, DeviceContext source, std::int32_t sourceX, std::int32_t sourceY,
    std::uint32_t rasterOperation);

// Colours as the system writes them (0x00BBGGRR) and as Qt does.
QRgb toQRgb(std::uint32_t colour);
std::uint32_t fromQRgb(QRgb rgb);

} // namespace orv::platform::posix
