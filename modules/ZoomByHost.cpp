// SPDX-License-Identifier: MIT
#include "modules/ZoomByHost.h"

#include "core/Application.h"
#include "modules/SettingsStore.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace orv {

int nearestZoomLevel(int percent)
{
    int best = 100;
    for (const int level : kZoomLevels) {
        if (std::abs(level - percent) < std::abs(best - percent))
            best = level;
    }
    return best;
}

int zoomLevelBy(int percent, int steps)
{
    const auto current
        = std::find(kZoomLevels.begin(), kZoomLevels.end(), nearestZoomLevel(percent));
    const auto index = std::clamp<std::ptrdiff_t>(
        std::distance(kZoomLevels.begin(), current) + steps, 0, std::ssize(kZoomLevels) - 1);
    return kZoomLevels[std::size_t(index)];
}

int ZoomByHost::percentFor(const std::string &host) const
{
    if (host.empty())
        return 100;
    const std::string stored = m_store.GetSetting(application::title, section, host, "");
    // A hand-edited value that is no whole number counts as never zoomed.
    char *end = nullptr;
    const long percent = std::strtol(stored.c_str(), &end, 10);
    if (stored.empty() || end == stored.c_str() || *end != '\0')
        return 100;
    return nearestZoomLevel(int(std::clamp(percent, 0L, 1000L)));
}

void ZoomByHost::remember(const std::string &host, int percent)
{
    if (host.empty() || percentFor(host) == percent)
        return;
    m_store.SaveSetting(application::title, section, host, std::to_string(percent));
}

} // namespace orv
