// SPDX-License-Identifier: MIT
#pragma once

// The browser window's keys, as on Linux where Windows has them: each key
// stands for a tool of the command band (and is dead while that tool is
// disabled), or puts the focus into the address box.

#include <string_view>
#include <windows.h>

namespace orv::win32 {

struct KeyCommand
{
    std::string_view tool; // the tool clicked by the key, or empty
    bool focusAddress = false; // F6, Ctrl+L, Alt+D

    explicit operator bool() const { return !tool.empty() || focusAddress; }
};

KeyCommand keyCommand(UINT virtualKey, bool alt, bool ctrl, bool shift);

} // namespace orv::win32
