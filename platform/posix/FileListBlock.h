// SPDX-License-Identifier: MIT
#pragma once

// The clipboard's file-list block as this backend keeps it: a 20-byte header
// (the names' offset in its first four bytes, "wide names" in its last four),
// then 8-bit names each ended by NUL, the list by one more NUL. The block comes
// from other programs, so reading it trusts nothing in it.

#include <string>
#include <string_view>
#include <vector>

namespace orv::platform {

// The names of a block; none when the header is short or names wide ones.
std::vector<std::string> fileListNames(std::string_view block);
std::string fileListBlock(const std::vector<std::string> &names);

} // namespace orv::platform
