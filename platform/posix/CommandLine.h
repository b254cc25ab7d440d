// SPDX-License-Identifier: MIT
#pragma once

// A Windows command line split into its arguments the way the C runtime of
// the started program would split it, so that a command line the class
// composes (or reads from the registry) starts the same program with the
// same arguments on Linux.

#include <string>
#include <string_view>
#include <vector>

namespace orv::platform {

std::vector<std::wstring> splitCommandLine(std::wstring_view commandLine);

} // namespace orv::platform
