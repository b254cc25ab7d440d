// SPDX-License-Identifier: MIT
#pragma once

// What the scripted web control plays for each load: steps separated by ';'
// or line breaks, each a word and its arguments:
//   begin             DownloadBegin
//   progress P M      ProgressChange(P, M)
//   status TEXT       StatusTextChange(TEXT), the rest of the step, trimmed
//   history           CommandStateChange for back and forward, from its history
//   wait MS           pause the load for MS milliseconds
//   complete          DownloadComplete
//   unreachable WHY   the load failed: the status says so and the page shows
//                     the German sentence of the reason (network, name,
//                     refused, timeout, certificate, other), as the WebView2
//                     adapter's own page does
// Empty steps are skipped. The default plays what the WebView2 adapter sends
// for a page that loads in about half a second.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::win32 {

struct LoadStep
{
    enum class Kind { Begin, Progress, Status, History, Wait, Complete, Unreachable };
    Kind kind = Kind::Begin;
    std::int32_t first = 0; // progress, milliseconds of a wait, or the ReachFailure
    std::int32_t second = 0; // progress maximum
    std::string text = {};

    bool operator==(const LoadStep &) const = default;
};

using LoadScript = std::vector<LoadStep>;

// Throws Failure(InvalidCall) naming the step that is not understood.
LoadScript parseLoadScript(std::string_view text);

extern const char defaultLoadScript[];

} // namespace orv::win32
