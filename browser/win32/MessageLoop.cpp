// SPDX-License-Identifier: MIT
#include "browser/win32/MessageLoop.h"

namespace orv::win32 {

namespace {

// The loop's filter, for the messages that letPendingMessagesRun dispatches
// from inside a handler.
const MessageFilter *g_filter = nullptr;

void dispatch(MSG &message)
{
    if (g_filter && *g_filter && (*g_filter)(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int runMessageLoop(const MessageFilter &filter)
{
    g_filter = &filter;
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1)
            break;
        dispatch(message);
    }
    g_filter = nullptr;
    return result == -1 ? 1 : static_cast<int>(message.wParam);
}

void letPendingMessagesRun()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

} // namespace orv::win32
