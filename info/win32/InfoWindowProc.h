// SPDX-License-Identifier: MIT
#pragma once

// What a message does in the Info window and its parts: hit testing and a
// move of its own that let the background and the drag surfaces move the
// window with any mouse button, the pointer entering and leaving panels,
// clicks handed to the rules, the copy buttons, painting, and the window's
// closing and DPI changes.

#include "info/InfoWindowRules.h"
#include "info/win32/InfoGdi.h"
#include "info/win32/InfoPainter.h"
#include "info/win32/InfoParts.h"

#include <windows.h>

namespace orv::win32 {

class InfoWindowProc
{
public:
    InfoWindowProc(InfoParts &parts, InfoGdi &gdi, info::InfoWindowRules &rules)
        : m_parts(parts), m_gdi(gdi), m_painter(parts, gdi), m_rules(rules)
    {
    }
    InfoWindowProc(const InfoWindowProc &) = delete;
    InfoWindowProc &operator=(const InfoWindowProc &) = delete;

    // The window's procedure (its creation parameter: this object) and the
    // parts' procedure (each part's: its Part).
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK partProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The window, from its creation until it is destroyed.
    HWND window() const { return m_window; }
    // Esc, "Schließen", the close button or Alt+F4 asked it to close.
    bool closing() const { return m_closing; }
    void close() { m_closing = true; }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handlePartMessage(Part &part, UINT message, WPARAM wParam, LPARAM lParam);
    void pointerLeft(Part &part);
    // Whether a point on the screen lies on the window's background, below its title bar.
    bool inBackground(LPARAM screenPoint) const;
    // A press of another button than the left one moves the window until that button is
    // released.
    void startDrag(UINT pressed);
    void followPointer();
    void clicked(Part &part);
    void copyOffice(const Part &button);
    template <class Call> void guarded(Call &&call);

    InfoParts &m_parts;
    InfoGdi &m_gdi;
    InfoPainter m_painter;
    info::InfoWindowRules &m_rules;
    HWND m_window = nullptr;
    bool m_closing = false;
    UINT m_dragEnd = 0; // the release that ends a move, while one runs
    POINT m_dragFrom {}, m_windowFrom {};
};

} // namespace orv::win32
