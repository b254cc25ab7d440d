// SPDX-License-Identifier: MIT
#include "components/win32/NavigationProgress.h"

namespace orv::win32 {

void NavigationProgress::starting(std::uint64_t navigation)
{
    // A redirect starts the same navigation again; it is still loading.
    if (m_current == navigation)
        return;
    m_current = navigation;
    m_reached = 0;
    m_events.DownloadBegin();
    reach(navigation, kStarting);
}

void NavigationProgress::contentLoading(std::uint64_t navigation)
{
    reach(navigation, kContentLoading);
}

void NavigationProgress::domContentLoaded(std::uint64_t navigation)
{
    reach(navigation, kDomLoaded);
}

void NavigationProgress::completed(std::uint64_t navigation)
{
    if (m_current != navigation)
        return;
    reach(navigation, kCompleted);
    // The notification may have let a newer navigation start meanwhile (the
    // meter lets pending messages run); that one is not over.
    if (m_current == navigation)
        end();
}

void NavigationProgress::abandoned()
{
    if (m_current)
        end();
}

void NavigationProgress::reach(std::uint64_t navigation, std::int32_t value)
{
    if (m_current != navigation || value <= m_reached)
        return;
    m_reached = value;
    m_events.ProgressChange(value, kMax);
}

void NavigationProgress::end()
{
    m_current.reset();
    m_reached = 0;
    m_events.DownloadComplete();
    m_events.ProgressChange(-1, 0);
}

} // namespace orv::win32
