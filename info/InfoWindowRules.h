// SPDX-License-Identifier: MIT
#pragma once

// What the Info window decides, for every window build: which page and
// which country show, which look a panel takes when the window opens and
// when the pointer leaves it, the texts its labels, copy buttons and links
// carry, and the utility class its "Systeminfo" panel uses. The window
// (InfoView) draws and reports clicks and the pointer leaving a panel.
// Texts are UTF-8.

#include "info/InfoLayout.h"
#include "platform/Platform.h"
#include "resources/ContactData.h"
#include "sysutil/orvClassWindows.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace orv::info {

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
    // Gives a panel of the design (array members named name_index) a look.
    virtual void showLook(std::string_view panel, const Look &look) = 0;
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

    // The window is made: the first page and country show, and their panels
    // take the selected look (the look the pointer gives).
    void Form_Load();
    void ShowCurrentPage();
    void pageClicked(Page page);
    void countryClicked(Country country);
    // The pointer left a panel of the role (named as for showLook): it takes
    // its normal look, unless it is the current page's or country's, which
    // keeps the selected one.
    void pointerLeft(std::string_view panel, Role role);

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
