// SPDX-License-Identifier: MIT
#pragma once

// Reads the meter's blocks back from the pixels of its inner area.

#include "components/qt/PictureBox.h"
#include "modules/ProgressBar.h"

#include <QList>

namespace orv::test {

// The blocks (by index) whose middle shows the colour, at 15 twips per pixel.
inline QList<int> drawnMeterBlocks(const PictureBox &area, QRgb color = qRgb(0, 0, 128))
{
    const ProgressBar::State &m = ProgressBar::moduleState();
    QList<int> drawn;
    const int y = (m.BlockTop + m.BlockBottom) / 2 / 15;
    for (int i = 0; i <= m.LastBlock && m.BlockWidth > 0; ++i) {
        const int x = (m.BlockGap + (m.BlockWidth + m.BlockGap) * i + m.BlockWidth / 2) / 15;
        if (area.image().valid(x, y) && area.image().pixel(x, y) == color)
            drawn.append(i);
    }
    return drawn;
}

} // namespace orv::test
