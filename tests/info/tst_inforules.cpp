// SPDX-License-Identifier: MIT
// The Info window's rules against a recording window: pages, countries and
// the looks panels take, where the window opens, the office texts, link targets and version text,
// the controls of the design they name, and the utility class of "Systeminfo".
#include "Expect.h"
#include "FakePlatform.h"
#include "info/InfoLayout.h"
#include "info/InfoWindowRules.h"

#include <algorithm>

using namespace orv;
using namespace orv::info;
using Texts = std::vector<std::string>;

namespace {

using Looks = std::vector<std::pair<std::string, Look>>;

struct View : InfoView
{
    std::string shown; // the visible frames, in ShowCurrentPage's order
    Looks looks; // panels given a look, in turn

    void setFrameVisible(Frame frame, bool visible) override
    {
        static const char *const names[]
            = { "Land", "Kontakt", "Vertrieb", "Autoren", "Olmbach", "Kestadt", "Sarnfeld" };
        if (visible)
            shown += std::string(shown.empty() ? "" : " ") + names[int(frame)];
    }
    void showLook(std::string_view panel, const Look &look) override
    {
        looks.emplace_back(panel, look);
    }
    platform::WindowHandle handle() const override { return 77; }
};

Role roleOf(std::string_view panel)
{
    for (const Control &c : kControls) {
        if (c.name == panel.substr(0, panel.find('_')))
            return c.role;
    }
    return Role::MailLink; // the offices' links stand outside the list
}

} // namespace

TEST_CASE("pages and countries: what shows, and the looks panels take")
{
    // steps: "K", "V", "A" pages and "Ö", "D" countries clicked; "load" the window made;
    // "-name" the pointer leaves that panel. Looks: "name" normal, "name*" the selected look.
    using Row = std::tuple<Texts, std::string, Texts>;
    // clang-format off
    for (const auto &[steps, shown, looks] : std::initializer_list<Row> {
             { Texts {}, "Land Kontakt Olmbach Kestadt", {} },
             { { "load" }, "Land Kontakt Olmbach Kestadt", { "pnlKontakt*", "pnlÖsterreich*" } },
             { { "V" }, "Vertrieb Olmbach Kestadt", { "pnlKontakt", "pnlAutoren" } },
             { { "A" }, "Autoren Olmbach Kestadt", { "pnlKontakt", "pnlVertrieb" } },
             { { "K" }, "Land Kontakt Olmbach Kestadt", { "pnlVertrieb", "pnlAutoren" } }, // the page already shown
             { { "D" }, "Land Kontakt Sarnfeld", { "pnlÖsterreich" } },
             { { "D", "A", "K", "load" }, "Land Kontakt Sarnfeld", { "pnlÖsterreich", "pnlKontakt", "pnlVertrieb", "pnlVertrieb", "pnlAutoren", "pnlKontakt*", "pnlDeutschland*" } },
             { { "D", "Ö" }, "Land Kontakt Olmbach Kestadt", { "pnlÖsterreich", "pnlDeutschland" } },
             // The current page's and country's panels keep their look when the pointer leaves;
             // every other panel and link takes its normal look.
             { { "-pnlKontakt", "-pnlVertrieb", "-pnlÖsterreich", "-pnlDeutschland" }, "Land Kontakt Olmbach Kestadt", { "pnlVertrieb", "pnlDeutschland" } },
             { { "A", "-pnlAutoren", "-pnlSchließen", "-pnlSysteminfo", "-lnkHarlund", "-lnkArneKolvik_1", "-lnkLenzOttmer", "-lnkKestadt" }, "Autoren Olmbach Kestadt", { "pnlKontakt", "pnlVertrieb", "pnlSchließen", "pnlSysteminfo", "lnkHarlund", "lnkArneKolvik_1", "lnkLenzOttmer", "lnkKestadt" } } }) {
        // clang-format on
        View view;
        InfoWindowRules rules(view, "main.test", nullptr);
        for (const std::string &step : steps) {
            if (step == "load")
                rules.Form_Load();
            else if (step.starts_with('-'))
                rules.pointerLeft(step.substr(1), roleOf(step.substr(1)));
            else if (step == "Ö" || step == "D")
                rules.countryClicked(step == "Ö" ? Country::Österreich : Country::Deutschland);
            else
                rules.pageClicked(step == "K" ? Page::Kontakt
                        : step == "V"         ? Page::Vertrieb
                                              : Page::Autoren);
        }
        view.shown.clear();
        rules.ShowCurrentPage();
        CHECK(view.shown == shown);
        Looks expected;
        for (const std::string &look : looks) {
            const bool selected = look.ends_with('*');
            const std::string panel = look.substr(0, look.size() - (selected ? 1 : 0));
            expected.emplace_back(
                panel, selected ? hoverLook(roleOf(panel)) : normalLook(roleOf(panel)));
        }
        CHECK(view.looks == expected);
    }
}

TEST_CASE("the window opens centred on the screen, in twips, rounded as everywhere")
{
    // screen, outer size, twips per pixel, where the outer corner goes
    using Row = std::tuple<ScreenRect, int, int, double, ScreenPoint>;
    for (const auto &[area, width, height, twips, at] : std::initializer_list<Row> {
             { { 0, 0, 1280, 1024 }, 460, 430, 15, { 410, 297 } }, // even differences
             { { 0, 0, 1280, 1024 }, 461, 431, 15, { 410, 296 } }, // halves go to the even pixel
             { { 0, 0, 1280, 1024 }, 463, 433, 15, { 408, 296 } },
             { { 1280, 40, 1920, 1040 }, 461, 431, 15, { 1280 + 730, 40 + 304 } }, // second monitor
             { { 0, 0, 800, 600 }, 1000, 700, 15, { -100, -50 } }, // larger than the screen
             { { 0, 0, 800, 600 }, 1001, 703, 15, { -100, -52 } },
             { { 0, 0, 1280, 1024 }, 460, 430, 1440.0 / 168, { 410, 297 } },
             { { 0, 0, 1280, 1024 }, 461, 431, 0, { 410, 296 } } }) { // no resolution: 96 dpi
        CAPTURE(width);
        CAPTURE(twips);
        CHECK(centredPlace(area, width, height, twips, twips) == at);
    }
}

TEST_CASE("office blocks: labels, the copy text with CR LF, and where the mail goes")
{
    using Row = std::pair<contact::Office, std::string>;
    for (const auto &[office, mail] : { Row { contact::olmbach, "mailto:office@harlund.example" },
             Row { contact::kestadt, "mailto:ks@harlund.example" },
             Row { contact::sarnfeld, "mailto:vertrieb.de@harlund.example" } }) {
        CAPTURE(office.name);
        const auto labels = officeLabels(office);
        const std::string copy = copyText(office);
        // Five lines, no line break after the last; one blank after "Tel.:"
        // where the label has two; the mail line names the address written to.
        CHECK(copy
            == labels[0] + "\r\n" + labels[1] + "\r\nTel.: " + labels[2].substr(7) + "\r\n"
                + labels[3] + "\r\nMail: " + mail.substr(7));
        CHECK(labels[2].starts_with("Tel.:  "));
        CHECK(labels[4] == "Mail:");
        CHECK(mailTarget(office) == mail);
    }
    CHECK(contact::sarnfeld.mailShown == contact::generalMail); // shows the general address
}

TEST_CASE("links and the version text")
{
    CHECK(staffPage("main.test", contact::arneKolvik)
        == "http://main.test/ueberuns/mitarbeiter_detail.aspx?id=23");
    CHECK(staffPage("main.test", contact::lenzOttmer)
        == "http://main.test/ueberuns/mitarbeiter_detail.aspx?id=54");
    CHECK(homePage("main.test") == "http://main.test");
    for (const auto &[major, minor, revision, text] :
        { std::tuple { 1, 6, 0, "Version: 1.06" }, std::tuple { 2, 10, 1, "Version: 2.10a" },
            std::tuple { 1, 0, 26, "Version: 1.00z" }, std::tuple { 3, 5, 2, "Version: 3.05b" } })
        CHECK(versionText(major, minor, revision) == text);
}

TEST_CASE("Systeminfo makes the utility class once; links go to the shell with the window")
{
    test::FakePlatform platform;
    View view;
    int made = 0;
    InfoWindowRules rules(view, "main.test", &platform, [&] {
        ++made;
        return std::make_unique<orvClassWindows>(platform);
    });
    CHECK(rules.SysUtil() == nullptr);
    rules.pnlSysteminfo_Click();
    const orvClassWindows *first = rules.SysUtil();
    rules.pnlSysteminfo_Click();
    CHECK((made == 1 && rules.SysUtil() == first));
    CHECK(platform.messages.size() == 2); // no tool here: each click says so
    rules.openLink("mailto:ks@harlund.example");
    REQUIRE(platform.shellCalls.size() == 1);
    const auto &[owner, verb, file, parameters, directory, show] = platform.shellCalls[0];
    CHECK((owner == 77 && verb.empty() && file == L"mailto:ks@harlund.example" && !parameters
        && !directory && show == 1));
}

TEST_CASE("the design's controls for the rules' pages, countries and frames; tips and captions")
{
    const auto control = [](std::string_view name) -> const Control * {
        for (const Control &c : kControls) {
            if (c.name == name)
                return &c;
        }
        return nullptr;
    };
    // A page's or country's panel is the one that shows its name.
    using Panel = std::tuple<std::string_view, Role, std::string_view>;
    for (const auto &[name, role, caption] :
        { Panel { panelName(Page::Kontakt), Role::Navigation, "Kontakt" },
            Panel { panelName(Page::Vertrieb), Role::Navigation, "Vertrieb" },
            Panel { panelName(Page::Autoren), Role::Navigation, "Autoren" },
            Panel { panelName(Country::Österreich), Role::Country, "Österreich" },
            Panel { panelName(Country::Deutschland), Role::Country, "Deutschland" } }) {
        CAPTURE(name);
        const Control *panel = control(name);
        REQUIRE(panel);
        CHECK((panel->role == role && panel->text == caption));
    }
    // Each frame the rules show or hide stands in the design: a page, the
    // country column, or an office's block.
    const auto office = [](std::string_view name) {
        return std::ranges::any_of(kOffices, [&](const OfficeBlock &block) {
            return name == "frame" + std::string(block.office.name);
        });
    };
    for (const auto &[frame, name] :
        { std::pair { Frame::Land, "frameLand" }, std::pair { Frame::Kontakt, "frameKontakt" },
            std::pair { Frame::Vertrieb, "frameVertrieb" },
            std::pair { Frame::Autoren, "frameAutoren" },
            std::pair { Frame::Olmbach, "frameOlmbach" },
            std::pair { Frame::Kestadt, "frameKestadt" },
            std::pair { Frame::Sarnfeld, "frameSarnfeld" } }) {
        CHECK(frameName(frame) == name);
        const Control *page = control(name);
        CHECK(((page && page->kind == Kind::Frame) || office(name)));
    }

    // role, tool tip, caption from the left edge (else centred)
    using Row = std::tuple<Role, std::string_view, bool>;
    for (const auto &[role, tip, atLeft] : { Row { Role::HomeLink, "Harlund Homepage", false },
             Row { Role::SystemInfo, "Systeminformationen", false },
             Row { Role::AuthorLink, "", true }, Row { Role::MailLink, "", true },
             Row { Role::Navigation, "", false }, Row { Role::Country, "", false },
             Row { Role::Close, "", false } }) {
        CAPTURE(int(role));
        CHECK(toolTip(role) == tip);
        CHECK(captionAtLeft(role) == atLeft);
    }
}
