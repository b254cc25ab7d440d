// SPDX-License-Identifier: MIT
#pragma once

// The Linux backend's own side of window handles and device contexts (the
// registry of widgets and images is published in Handles.h): memory
// device contexts with bitmaps whose block transfers follow the system's
// rules (colour to monochrome by the source's background colour, monochrome
// to colour through the target's background and text colours).

#include "platform/Platform.h"
#include "platform/posix/Handles.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace orv::platform::posix {

// True when widgetApplication() made the application itself.
bool applicationIsOurs();

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
