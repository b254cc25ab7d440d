// SPDX-License-Identifier: MIT
#pragma once

#include "components/qt/Twips.h"

#include <QRect>

namespace orv {

class ActiveBar;

// Lays out the browser window's command band "Band1" and status band
// "StatusBar" with their tools, in display order.
void buildToolbarLayout(ActiveBar &bar);

// A rectangle of the window's design, in twips, on the screen at hand.
inline QRect toPixels(const QRect &twips, const TwipsPerPixel &tpp)
{
    return { tpp.xToPixels(twips.x()), tpp.yToPixels(twips.y()), tpp.xToPixels(twips.width()),
        tpp.yToPixels(twips.height()) };
}

} // namespace orv
