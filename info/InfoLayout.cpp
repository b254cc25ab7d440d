// SPDX-License-Identifier: MIT
#include "info/InfoLayout.h"

namespace orv::info {

Look normalLook(Role role)
{
    switch (role) {
    case Role::Navigation:
    case Role::Close:
        return { kWhite, kButtonText, {}, false };
    case Role::HomeLink:
        return { kWhite, kBlack, false, false };
    case Role::MailLink:
        return { kDarkRed, kWhite, true, false }; // underlined all the time
    case Role::Country:
    case Role::SystemInfo:
    case Role::AuthorLink:
        return { kDarkRed, kWhite, false, false };
    case Role::None:
        break;
    }
    return {};
}

Look hoverLook(Role role)
{
    switch (role) {
    case Role::Navigation:
    case Role::Close:
        return { kDarkBlue, kWhite, {}, true };
    case Role::Country:
        return { kDarkBlue, {}, {}, true };
    case Role::SystemInfo:
    case Role::HomeLink:
    case Role::AuthorLink:
        return { {}, {}, true, true };
    case Role::MailLink:
        return { {}, {}, {}, true };
    case Role::None:
        break;
    }
    return {};
}

std::string linkTarget(const Control &link, std::string_view mainHost)
{
    if (link.role == Role::AuthorLink)
        return staffPage(mainHost,
            link.text == contact::lenzOttmer.name ? contact::lenzOttmer : contact::arneKolvik);
    return homePage(mainHost);
}

} // namespace orv::info
