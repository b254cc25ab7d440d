// SPDX-License-Identifier: MIT
#pragma once

// Scale modes of a form: 0 user (taken as twips: no user scale is kept),
// 1 twips, 2 points, 3 pixels, 4 characters (120 twips), 5 inches,
// 6 millimetres, 7 centimetres. Only pixels depend on the screen.

#include <cstdint>

namespace orv::platform {

inline constexpr std::int32_t kScaleTwips = 1;
inline constexpr std::int32_t kScalePixels = 3;

// Units of a scale mode per inch, horizontally, at the given dots per inch.
inline double unitsPerInch(std::int32_t mode, double dotsPerInch)
{
    switch (mode) {
    case 2:
        return 72;
    case kScalePixels:
        return dotsPerInch;
    case 4:
        return 1440.0 / 120;
    case 5:
        return 1;
    case 6:
        return 25.4;
    case 7:
        return 2.54;
    default:
        return 1440;
    }
}

inline double convertScale(
    double value, std::int32_t fromMode, std::int32_t toMode, double dotsPerInch)
{
    if (fromMode == toMode)
        return value;
    return value / unitsPerInch(fromMode, dotsPerInch) * unitsPerInch(toMode, dotsPerInch);
}

} // namespace orv::platform
