// SPDX-License-Identifier: MIT
// The Info window's rules against a recording window: pages, countries and
// the selected looks, the office texts, link targets and version text, the
// controls of the design they name, and the utility class of "Systeminfo".
#include "Expect.h"
#include "FakePlatform.h"
#include "info/InfoLayout.h"
#include "info/InfoWindowRules.h"

#include <algorithm>

using namespace orv;
using namespace orv::info;
using Texts = std::vector<std::string>;

namespace {

struct View : InfoView
{
    std::string shown; // the visible frames, in ShowCurrentPage's order
    Texts normal; // panels given their normal look, in turn

    void setFrameVisible(Frame frame, bool visible) override
    {
        static const char *const names[]
            = { "Land", "Kontakt", "Vertrieb", "Autoren", "Olmbach", "Kestadt", "Sarnfeld" };
        if (visible)
            shown += std::string(shown.empty() ? "" : " ") + names[int(frame)];
    }
    void showNormalLook(Page page) override
    {
        normal.push_back(page == Page::Kontakt ? "Kontakt"
                : page == Page::Vertrieb       ? "Vertrieb"
                                               : "Autoren");
    }
    void showNormalLook(Country country) override
    {
        normal.push_back(country == Country::Österreich ? "Österreich" : "Deutschland");
    }
    platform::WindowHandle handle() const override { return 77; }
};

} // namespace

TEST_CASE("pages and countries: what shows, and which panels lose the selected look")
{
    // clicks ("K", "V", "A" pages; "Ö", "D" countries; "-X" the pointer leaves X), shown, normal
    // looks
    using Row = std::tuple<Texts, std::string, Texts>;
    // clang-format off
    for (const auto &[clicks, shown, normal] : std::initializer_list<Row> {
             { Texts {}, "Land Kontakt Olmbach Kestadt", {} },
             { { "V" }, "Vertrieb Olmbach Kestadt", { "Kontakt", "Autoren" } },
             { { "A" }, "Autoren Olmbach Kestadt", { "Kontakt", "Vertrieb" } },
             { { "K" }, "Land Kontakt Olmbach Kestadt", { "Vertrieb", "Autoren" } }, // the page already shown
             { { "D" }, "Land Kontakt Sarnfeld", { "Österreich" } },
             { { "D", "A", "K" }, "Land Kontakt Sarnfeld", { "Österreich", "Kontakt", "Vertrieb", "Vertrieb", "Autoren" } },
             { { "D", "Ö" }, "Land Kontakt Olmbach Kestadt", { "Österreich", "Deutschland" } },
             // The current page's and country's panels keep their look when the pointer leaves.
             { { "-K", "-V", "-Ö", "-D" }, "Land Kontakt Olmbach Kestadt", { "Vertrieb", "Deutschland" } } }) {
        // clang-format on
        View view;
        InfoWindowRules rules(view, "main.test", nullptr);
        for (const std::string &click : clicks) {
            const bool left = click.starts_with('-');
            const std::string what = click.substr(left ? 1 : 0);
            if (what == "Ö" || what == "D") {
                const Country country = what == "Ö" ? Country::Österreich : Country::Deutschland;
                left ? rules.pointerLeft(country) : rules.countryClicked(country);
            } else {
                const Page page = what == "K" ? Page::Kontakt
                    : what == "V"             ? Page::Vertrieb
                                              : Page::Autoren;
                left ? rules.pointerLeft(page) : rules.pageClicked(page);
            }
        }
        view.shown.clear();
        rules.ShowCurrentPage();
        CHECK(view.shown == shown);
        CHECK(view.normal == normal);
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
