// SPDX-License-Identifier: MIT
#pragma once

// What the Info window decides, for every window build: which page and
// which country show, which panel keeps its selected look, the texts its
// labels, copy buttons and links carry, and the utility class its
// "Systeminfo" panel uses. The window (InfoView) draws and reports clicks
// and the pointer leaving a panel. Texts are UTF-8.

#include "platform/Platform.h"
#include "resources/ContactData.h"
#include "sysutil/orvClassWindows.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace orv::info {

enum class Page { Kontakt, Vertrieb, Autoren };
enum class Country { Österreich, Deutschland };
// The frames whose visibility follows the page and the country.
enum class Frame { Land, Kontakt, Vertrieb, Autoren, Olmbach, Kestadt, Sarnfeld };

// The window's colours, 0xRRGGBB.
inline constexpr std::uint32_t kDarkRed = 0x8B0304;
inline constexpr std::uint32_t kDarkBlue = 0x00558F;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// The five lines of an office block: company, address, "Tel.:  ", "Fax.: ", "Mail:".
std::array<std::string, 5> officeLabels(const contact::Office &office);
// The block as the copy button puts it on the clipboard: five lines joined
// by CR LF, none after the last, one blank after "Tel.:", and the address
// that reaches the office on the mail line.
std::string copyText(const contact::Office &office);
std::string mailTarget(const contact::Office &office);
std::string staffPage(std::string_view mainHost, const contact::Author &author);
std::string homePage(std::string_view mainHost);
std::string salesText();
// "Version: " major "." minor in two digits, and a letter for a revision above 0.
std::string versionText(int major, int minor, int revision);
std::string RevisionSuffix(int revision);

class InfoView
{
public:
    virtual ~InfoView() = default;
    virtual void setFrameVisible(Frame frame, bool visible) = 0;
    // The look of a panel that is neither hovered nor selected.
    virtual void showNormalLook(Page page) = 0;
    virtual void showNormalLook(Country country) = 0;
    // The window as the shell's calls name their owner.
    virtual platform::WindowHandle handle() const = 0;
};

class InfoWindowRules
{
public:
    using SysUtilFactory = std::function<std::unique_ptr<orvClassWindows>()>;

    // platform: the shell that opens links; createSysUtil: makes the utility
    // class, by default on that platform.
    InfoWindowRules(InfoView &view, std::string mainHost, platform::Platform *platform,
        SysUtilFactory createSysUtil = {});

    Page CurrentPage() const { return m_page; }
    Country CurrentCountry() const { return m_country; }
    // Created on the first click on "Systeminfo", kept while the window lives.
    const orvClassWindows *SysUtil() const { return m_sysUtil.get(); }

    void ShowCurrentPage();
    void pageClicked(Page page);
    void countryClicked(Country country);
    // The pointer left a panel: it keeps the selected look if it is the current one.
    void pointerLeft(Page page);
    void pointerLeft(Country country);

    void pnlSysteminfo_Click();
    // Hands the target to the shell; a failing call is ignored.
    void openLink(const std::string &target);
    const std::string &mainHost() const { return m_mainHost; }

private:
    InfoView &m_view;
    std::string m_mainHost;
    platform::Platform *m_platform;
    SysUtilFactory m_createSysUtil;
    Page m_page = Page::Kontakt;
    Country m_country = Country::Österreich;
    std::unique_ptr<orvClassWindows> m_sysUtil;
};

} // namespace orv::info
