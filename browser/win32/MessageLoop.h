// SPDX-License-Identifier: MIT
#pragma once

// The program's one message loop, and the rules' "let pending events run
// once", which must treat keys exactly as the loop does.

#include <functional>
#include <windows.h>

namespace orv::win32 {

// Sees each message before it is dispatched; true: it was handled.
using MessageFilter = std::function<bool(MSG &message)>;

// Runs until WM_QUIT; returns its exit code.
int runMessageLoop(const MessageFilter &filter);

// Dispatches the messages waiting now and returns; a WM_QUIT among them is
// left for the loop.
void letPendingMessagesRun();

} // namespace orv::win32
