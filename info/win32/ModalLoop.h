// SPDX-License-Identifier: MIT
#pragma once

// The Info window's modal run over its owner: the owner takes no input while
// the window's own message loop runs, and takes it again when the run ends,
// before the window is destroyed, so that the system gives the activation
// back to the owner, not to another program.

#include "info/win32/InfoWindowProc.h"

#include <windows.h>

namespace orv::win32 {

class ModalLoop
{
public:
    explicit ModalLoop(HWND owner);
    ~ModalLoop();
    ModalLoop(const ModalLoop &) = delete;
    ModalLoop &operator=(const ModalLoop &) = delete;

    // Shows the window and dispatches messages until it is asked to close or
    // is gone. A WM_QUIT that arrives ends the run and is left for the
    // program's own loop.
    void run(InfoWindowProc &window);

private:
    HWND m_owner;
};

} // namespace orv::win32
