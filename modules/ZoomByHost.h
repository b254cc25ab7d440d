// SPDX-License-Identifier: MIT
#pragma once

// The zoom a user chose for a host, as desktop browsers keep it: every page
// of that host opens at it, in every window. It lives in the settings store
// in a section of its own, never beside a caption's placement, and goes to
// disk with the store's write at a window's close.

#include <array>
#include <string>

namespace orv {

class SettingsStore;

// The zoom steps of the common desktop browsers, in percent.
inline constexpr std::array kZoomLevels { 25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200,
    250, 300, 400, 500 };

// The level nearest to percent; the level steps away from it (bounded).
int nearestZoomLevel(int percent);
int zoomLevelBy(int percent, int steps);

class ZoomByHost
{
public:
    static constexpr const char *section = "ZoomByHost";
    // Where earlier versions kept a zoom per caption; dropped at the next write.
    static constexpr const char *formerSection = "Zoom";

    explicit ZoomByHost(SettingsStore &store) : m_store(store) { }

    // 100 for a host never zoomed, and for a stored value that is no number.
    int percentFor(const std::string &host) const;
    // Kept at once; a failing store goes to the caller.
    void remember(const std::string &host, int percent);

private:
    SettingsStore &m_store;
};

} // namespace orv
