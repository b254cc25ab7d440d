// SPDX-License-Identifier: MIT
#pragma once

// UTF-8 for wide strings of either width (UTF-16 on Windows, UTF-32 on
// Linux). Malformed input becomes U+FFFD instead of failing: these texts are
// for people and scripts to read, not round trips.

#include <string>
#include <string_view>

namespace orv::platform {

std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

} // namespace orv::platform
