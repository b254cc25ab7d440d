// SPDX-License-Identifier: MIT
#include "browser/win32/Keys.h"

#include "resources/Texts.h"

namespace orv::win32 {

KeyCommand keyCommand(UINT virtualKey, bool alt, bool ctrl, bool shift)
{
    const bool plain = !alt && !ctrl && !shift;
    const bool altOnly = alt && !ctrl && !shift;
    const bool ctrlOnly = ctrl && !alt && !shift;
    switch (virtualKey) {
    case 'Q':
        return ctrlOnly ? KeyCommand { names::idBeenden } : KeyCommand {};
    case VK_LEFT:
        return altOnly ? KeyCommand { names::idZurueck } : KeyCommand {};
    case VK_RIGHT:
        return altOnly ? KeyCommand { names::idVorwaerts } : KeyCommand {};
    case VK_ESCAPE:
        return plain ? KeyCommand { names::idStop } : KeyCommand {};
    case VK_F5:
        return plain ? KeyCommand { names::idAktualisieren } : KeyCommand {};
    case 'R':
        return ctrlOnly ? KeyCommand { names::idAktualisieren } : KeyCommand {};
    case VK_F6:
        return plain ? KeyCommand { {}, true } : KeyCommand {};
    case 'L':
        return ctrlOnly ? KeyCommand { {}, true } : KeyCommand {};
    case 'D':
        return altOnly ? KeyCommand { {}, true } : KeyCommand {};
    // The browser keys of multimedia keyboards, whatever else is held.
    case VK_BROWSER_BACK:
        return KeyCommand { names::idZurueck };
    case VK_BROWSER_FORWARD:
        return KeyCommand { names::idVorwaerts };
    case VK_BROWSER_STOP:
        return KeyCommand { names::idStop };
    case VK_BROWSER_REFRESH:
        return KeyCommand { names::idAktualisieren };
    default:
        return {};
    }
}

} // namespace orv::win32
