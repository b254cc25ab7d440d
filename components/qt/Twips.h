// SPDX-License-Identifier: MIT
#pragma once

// Window coordinates are kept in twips (1/1440 inch). The factors come from
// the screen a widget is on: 15 twips per pixel at 96 dpi.

#include "core/Numeric.h"

class QWidget;

namespace orv {

struct TwipsPerPixel
{
    float x = 15.0f;
    float y = 15.0f;

    static TwipsPerPixel of(const QWidget *widget);

    std::int32_t xToTwips(int pixels) const { return toInt32(double(pixels) * double(x)); }
    std::int32_t yToTwips(int pixels) const { return toInt32(double(pixels) * double(y)); }
    int xToPixels(double twips) const { return toInt32(twips / double(x)); }
    int yToPixels(double twips) const { return toInt32(twips / double(y)); }
};

} // namespace orv
