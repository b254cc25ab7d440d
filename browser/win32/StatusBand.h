// SPDX-License-Identifier: MIT
#pragma once

// The status band: the design's panes (Status_Info, the time, the date) with
// the block meter's frame in front of the pane the design puts it before,
// and a size grip. Status_Info takes the width the others leave.

#include "browser/win32/MeterSurface.h"

#include <string>
#include <windows.h>

namespace orv::win32 {

class StatusBand
{
public:
    explicit StatusBand(HWND window);

    HWND handle() const { return m_status; }
    MeterSurface &meterSurface() { return m_meter; }
    MeterCanvas &meter() { return m_canvas; }

    // Status_Info, shown at once.
    void setText(const std::string &text);
    // Along the bottom of the window, for its width; the band's height.
    int layout(int width, UINT dpi, HFONT font);
    // The time and the date, rewritten only when changed.
    void updateClock();

private:
    HWND m_status;
    MeterSurface m_meter;
    MeterSurfaceCanvas m_canvas;
};

} // namespace orv::win32
