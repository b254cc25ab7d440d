// SPDX-License-Identifier: MIT
#include "components/qt/Twips.h"

#include <QWidget>

namespace orv {

TwipsPerPixel TwipsPerPixel::of(const QWidget *widget)
{
    const int dpiX = widget ? widget->logicalDpiX() : 96;
    const int dpiY = widget ? widget->logicalDpiY() : 96;
    return { dpiX > 0 ? 1440.0f / float(dpiX) : 15.0f, dpiY > 0 ? 1440.0f / float(dpiY) : 15.0f };
}

} // namespace orv
