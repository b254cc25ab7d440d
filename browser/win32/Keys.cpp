// SPDX-License-Identifier: MIT
#include "browser/win32/Keys.h"

namespace orv::win32 {

KeyCommand keyCommand(UINT virtualKey, bool alt, bool ctrl, bool shift)
{
    const bool plain = !alt && !ctrl && !shift;
    const bool altOnly = alt && !ctrl && !shift;
    const bool ctrlOnly = ctrl && !alt && !shift;
    switch (virtualKey) {
    case 'Q':
        return ctrlOnly ? KeyCommand { "ID_Beenden" } : KeyCommand {};
    case VK_LEFT:
        return altOnly ? KeyCommand { "ID_Zurück" } : KeyCommand {};
    case VK_RIGHT:
        return altOnly ? KeyCommand { "ID_Vorwärts" } : KeyCommand {};
    case VK_ESCAPE:
        return plain ? KeyCommand { "ID_Stop" } : KeyCommand {};
    case VK_F5:
        return plain ? KeyCommand { "ID_Aktualisieren" } : KeyCommand {};
    case 'R':
        return ctrlOnly ? KeyCommand { "ID_Aktualisieren" } : KeyCommand {};
    case VK_F6:
        return plain ? KeyCommand { nullptr, true } : KeyCommand {};
    case 'L':
        return ctrlOnly ? KeyCommand { nullptr, true } : KeyCommand {};
    case 'D':
        return altOnly ? KeyCommand { nullptr, true } : KeyCommand {};
    // The browser keys of multimedia keyboards, whatever else is held.
    case VK_BROWSER_BACK:
        return KeyCommand { "ID_Zurück" };
    case VK_BROWSER_FORWARD:
        return KeyCommand { "ID_Vorwärts" };
    case VK_BROWSER_STOP:
        return KeyCommand { "ID_Stop" };
    case VK_BROWSER_REFRESH:
        return KeyCommand { "ID_Aktualisieren" };
    default:
        return {};
    }
}

} // namespace orv::win32
