// SPDX-License-Identifier: MIT
#pragma once

// WebView2 reports the phases of a navigation, never an amount loaded. The
// browser window expects the old control's notifications: DownloadBegin, a
// rising ProgressChange, DownloadComplete, and Progress -1 once nothing
// loads. This turns the phases of the latest navigation into those, with
// fixed values out of kMax:
//   NavigationStarting  DownloadBegin, then kStarting
//   ContentLoading      kContentLoading
//   DOMContentLoaded    kDomLoaded
//   NavigationCompleted kCompleted, DownloadComplete, then -1 (maximum 0)
// Phases of navigations that a later one replaced are dropped, and a value is
// never sent twice or lower than one sent before for the same navigation.

#include "components/WebControl.h"

#include <cstdint>
#include <optional>

namespace orv::win32 {

class NavigationProgress
{
public:
    static constexpr std::int32_t kMax = 100;
    static constexpr std::int32_t kStarting = 10;
    static constexpr std::int32_t kContentLoading = 40;
    static constexpr std::int32_t kDomLoaded = 80;
    static constexpr std::int32_t kCompleted = 100;

    explicit NavigationProgress(WebControlEvents &events) : m_events(events) { }

    void starting(std::uint64_t navigation);
    void contentLoading(std::uint64_t navigation);
    void domContentLoaded(std::uint64_t navigation);
    void completed(std::uint64_t navigation);
    // The engine went away mid-load: whatever was loading has ended.
    void abandoned();

    bool loading() const { return m_current.has_value(); }

private:
    void reach(std::uint64_t navigation, std::int32_t value);
    void end();

    WebControlEvents &m_events;
    std::optional<std::uint64_t> m_current;
    std::int32_t m_reached = 0;
};

} // namespace orv::win32
