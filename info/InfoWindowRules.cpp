// SPDX-License-Identifier: MIT
#include "info/InfoWindowRules.h"

#include "platform/Utf8.h"
#include "resources/Texts.h"

namespace orv::info {

std::array<std::string, 5> officeLabels(const contact::Office &office)
{
    return { std::string(contact::companyName), std::string(office.addressLine),
        "Tel.:  " + std::string(office.telephone), "Fax.: " + std::string(office.fax), "Mail:" };
}

std::string copyText(const contact::Office &office)
{
    std::string text(contact::companyName);
    for (const std::string_view line : std::initializer_list<std::string_view> { "\r\n",
             office.addressLine, "\r\nTel.: ", office.telephone, "\r\nFax.: ", office.fax,
             "\r\nMail: ", office.mailTarget })
        text += line;
    return text;
}

std::string mailTarget(const contact::Office &office)
{
    return "mailto:" + std::string(office.mailTarget);
}

std::string staffPage(std::string_view mainHost, const contact::Author &author)
{
    return homePage(mainHost)
        + "/ueberuns/mitarbeiter_detail.aspx?id=" + std::string(author.staffId);
}

std::string homePage(std::string_view mainHost)
{
    return "http://" + std::string(mainHost);
}

std::string salesText()
{
    std::string text;
    for (const std::string_view piece : texts::info::sales)
        text += piece;
    return text;
}

std::string RevisionSuffix(int revision)
{
    return revision == 0 ? std::string() : std::string(1, char(96 + revision));
}

std::string versionText(int major, int minor, int revision)
{
    const std::string minorText = std::to_string(minor);
    return std::string(texts::info::versionPrefix) + std::to_string(major) + '.'
        + (minorText.size() < 2 ? "0" + minorText : minorText) + RevisionSuffix(revision);
}

InfoWindowRules::InfoWindowRules(InfoView &view, std::string mainHost, platform::Platform *platform,
    SysUtilFactory createSysUtil)
    : m_view(view), m_mainHost(std::move(mainHost)), m_platform(platform),
      m_createSysUtil(std::move(createSysUtil))
{
}

void InfoWindowRules::Form_Load()
{
    ShowCurrentPage();
    m_view.showLook(panelName(m_page), hoverLook(Role::Navigation));
    m_view.showLook(panelName(m_country), hoverLook(Role::Country));
}

void InfoWindowRules::ShowCurrentPage()
{
    m_view.setFrameVisible(Frame::Land, m_page == Page::Kontakt);
    m_view.setFrameVisible(Frame::Kontakt, m_page == Page::Kontakt);
    m_view.setFrameVisible(Frame::Vertrieb, m_page == Page::Vertrieb);
    m_view.setFrameVisible(Frame::Autoren, m_page == Page::Autoren);
    m_view.setFrameVisible(Frame::Olmbach, m_country == Country::Österreich);
    m_view.setFrameVisible(Frame::Kestadt, m_country == Country::Österreich);
    m_view.setFrameVisible(Frame::Sarnfeld, m_country == Country::Deutschland);
}

void InfoWindowRules::pageClicked(Page page)
{
    m_page = page;
    for (const Page other : { Page::Kontakt, Page::Vertrieb, Page::Autoren }) {
        if (other != page)
            pointerLeft(panelName(other), Role::Navigation);
    }
    ShowCurrentPage();
}

void InfoWindowRules::countryClicked(Country country)
{
    m_country = country;
    pointerLeft(
        panelName(country == Country::Österreich ? Country::Deutschland : Country::Österreich),
        Role::Country);
    ShowCurrentPage();
}

void InfoWindowRules::pointerLeft(std::string_view panel, Role role)
{
    const bool selected = (role == Role::Navigation && panel == panelName(m_page))
        || (role == Role::Country && panel == panelName(m_country));
    if (!selected)
        m_view.showLook(panel, normalLook(role));
}

void InfoWindowRules::pnlSysteminfo_Click()
{
    if (!m_sysUtil) {
        if (m_createSysUtil)
            m_sysUtil = m_createSysUtil();
        else if (m_platform)
            m_sysUtil = std::make_unique<orvClassWindows>(*m_platform);
        else
            m_sysUtil = std::make_unique<orvClassWindows>();
    }
    m_sysUtil->ShowSysInfo();
}

void InfoWindowRules::openLink(const std::string &target)
{
    // The shell's default verb with the system's handler; its result is not examined.
    if (m_platform)
        m_platform->shellExecute(m_view.handle(), std::wstring(), platform::fromUtf8(target),
            std::nullopt, std::nullopt, 1);
}

} // namespace orv::info
