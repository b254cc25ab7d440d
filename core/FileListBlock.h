// SPDX-License-Identifier: MIT
#pragma once

// The clipboard's file-list block (format 15): a 20-byte header (the names'
// offset in its first four bytes, drop point 0/0, not in the non-client area,
// "wide names" in its last four), then 8-bit names each ended by NUL, the
// list by one more NUL. The utility class writes it; the Linux backend keeps
// it and reads blocks that other programs put there, so reading trusts
// nothing in it.

#include <string>
#include <string_view>
#include <vector>

namespace orv {

std::string fileListBlock(const std::vector<std::string> &names);
// The names of a block; none when the header is short or names wide ones.
std::vector<std::string> fileListNames(std::string_view block);

} // namespace orv
