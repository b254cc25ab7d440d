// SPDX-License-Identifier: MIT
#include "info/InfoLayout.h"

#include "core/Numeric.h"
#include "info/InfoWindowRules.h"

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

ScreenPoint centredPlace(const ScreenRect &screen, int outerWidth, int outerHeight,
    double twipsPerPixelX, double twipsPerPixelY)
{
    // A screen that reports no resolution counts as one of 96 dpi.
    const double x = twipsPerPixelX > 0 ? twipsPerPixelX : 15.0;
    const double y = twipsPerPixelY > 0 ? twipsPerPixelY : 15.0;
    const double left = (screen.width * x - outerWidth * x) / 2;
    const double top = (screen.height * y - outerHeight * y) / 2;
    return { screen.left + toInt32(left / x), screen.top + toInt32(top / y) };
}

std::string linkTarget(const Control &link, std::string_view mainHost)
{
    if (link.role == Role::AuthorLink)
        return staffPage(mainHost,
            link.text == contact::lenzOttmer.name ? contact::lenzOttmer : contact::arneKolvik);
    return homePage(mainHost);
}

std::string_view panelName(Page page)
{
    static constexpr std::string_view names[] = { "pnlKontakt", "pnlVertrieb", "pnlAutoren" };
    return names[static_cast<std::size_t>(page)];
}

std::string_view panelName(Country country)
{
    return country == Country::Österreich ? "pnlÖsterreich" : "pnlDeutschland";
}

std::string_view frameName(Frame frame)
{
    static constexpr std::string_view names[] = { "frameLand", "frameKontakt", "frameVertrieb",
        "frameAutoren", "frameOlmbach", "frameKestadt", "frameSarnfeld" };
    return names[static_cast<std::size_t>(frame)];
}

std::string_view toolTip(Role role)
{
    return role == Role::HomeLink  ? texts::info::homePageTip
        : role == Role::SystemInfo ? texts::info::systemInfoTip
                                   : std::string_view();
}

bool captionAtLeft(Role role)
{
    return role == Role::AuthorLink || role == Role::MailLink;
}

} // namespace orv::info
