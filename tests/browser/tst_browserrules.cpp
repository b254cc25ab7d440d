// SPDX-License-Identifier: MIT
// The browser window's rules against a recording window and web control: the
// command line and the category tables, the load step and the switch, the
// address box, the toolbar commands and the control's notifications.
#include "Expect.h"
#include "browser/BrowserWindowRules.h"
#include "core/Steps.h"
#include "modules/ProgressBar.h"

#include <algorithm>
#include <set>
#include <sstream>

using namespace orv;
using Calls = std::vector<std::string>;

namespace {

const Hosts kHosts { "www.main.test", "shop.main.test" };
const std::string kMain = "http://www.main.test";
const std::string kPrefix = "Harlund Webbrowser... Kategorie: ";

// The window, its web control and its meter in one, recording every call in
// one sequence as "name argument"; a call whose name is in failing fails as a
// broken control's does. The meter is the browser window's at 15 twips per
// pixel: blocks of 6 pixels, gaps of 1. The address box's list is kept as a
// window keeps it, from the rules' calls.
struct Window : WebControl, BrowserView, MeterCanvas
{
    Calls calls, unhandled;
    std::set<std::string> failing;
    std::vector<std::string> list;
    BrowserWindowRules rules { kHosts, *this, *this };
    UnhandledFailureHandler previous = setUnhandledFailureHandler(
        [this](std::string_view where, const Failure &) { unhandled.emplace_back(where); });
    ~Window() { setUnhandledFailureHandler(previous); }

    void log(const std::string &name, const std::string &argument = "")
    {
        calls.push_back(argument.empty() ? name : name + " " + argument);
        if (failing.count(name))
            fail(FailureCode::ControlFailed, name + " failed");
    }
    // The calls so far, a run of n fills as "fill n"; the record starts anew.
    Calls take()
    {
        Calls taken;
        for (const std::string &call : std::exchange(calls, {})) {
            if (call == "fill" && !taken.empty() && taken.back().starts_with("fill"))
                taken.back() = "fill " + std::to_string(std::stoi(taken.back().substr(5)) + 1);
            else
                taken.push_back(call == "fill" ? "fill 1" : call);
        }
        return taken;
    }

    void setSilent(bool silent) override { log("Silent", silent ? "1" : "0"); }
    void Navigate(const std::string &address) override { log("Navigate", "[" + address + "]"); }
    void GoBack() override { log("GoBack"); }
    void GoForward() override { log("GoForward"); }
    void Stop() override { log("Stop"); }
    void Refresh() override { log("Refresh"); }
    void Move(int, int, int, int) override { log("Move"); }

    void setCaption(const std::string &caption) override { log("caption", caption); }
    void setCategoryList(const std::vector<std::string> &entries) override
    {
        log("list", std::to_string(entries.size()) + " " + entries.back());
    }
    void selectCategory(int position) override { log("select", std::to_string(position)); }
    void setAddressText(const std::string &text) override { log("address", "[" + text + "]"); }
    void addHistoryEntry(const std::string &text) override
    {
        log("add");
        list.insert(list.begin(), text);
    }
    void moveHistoryEntryToFront(int index) override
    {
        log("move", std::to_string(index));
        std::rotate(list.begin(), list.begin() + index, list.begin() + index + 1);
    }
    void markHistoryEntry(int index) override { log("mark", std::to_string(index)); }
    void setToolEnabled(std::string_view tool, bool enabled) override
    {
        log("tool", std::string(tool) + (enabled ? " 1" : " 0"));
    }
    void setStatusText(const std::string &text) override { log("status", "[" + text + "]"); }
    void setMeterAreaVisible(bool visible) override { log("area", visible ? "1" : "0"); }
    MeterCanvas &meter() override { return *this; }
    void closeWindow() override { log("close"); }
    void showInfoWindow() override { log("info"); }

    float frameWidth() const override { return 2325; }
    float frameHeight() const override { return 285; }
    std::string frameTag() const override { return "6"; }
    void showFrame() override { log("frame"); }
    std::string areaTag() const override { return "1"; }
    float areaWidth() const override { return 2325; }
    float areaHeight() const override { return 285; }
    void moveArea(double, double, double, double) override { }
    void clearArea() override { log("clear"); }
    void fillArea(double, double, double, double, std::uint32_t) override { log("fill"); }
    float twipsPerPixelX() const override { return 15; }
    float twipsPerPixelY() const override { return 15; }
    void doEvents() override { log("events"); }
};

} // namespace

TEST_CASE("the command line's five fields")
{
    using Row = std::tuple<std::string, std::int32_t, Calls>;
    // clang-format off
    for (const auto &[line, product, fields] : std::initializer_list<Row> {
             { "4711||Download", 4711, { "", "Download", "", "" } },
             { "", 0, { "", "", "", "" } }, { "|||", 0, { "", "", "", "" } },
             { "4711||Download||", 4711, { "", "Download", "", "" } },
             { "\"4711||Support x\"", 0, { "", "Support x\"", "", "" } }, // quotes are the fields'
             { "-12|t|c|d|e|f|g", -12, { "t", "c", "d", "e" } }, // surplus fields ignored
             { " a | b |", 0, { " b ", "", "", "" } }, // nothing trimmed
             { " 42 |x", 42, { "x", "", "", "" } }, { "4711.5", 4712, { "", "", "", "" } },
             { "2147483647", 2147483647, { "", "", "", "" } }, { "2147483648|x", 0, { "x", "", "", "" } } }) {
        // clang-format on
        CAPTURE(line);
        const CommandLineFields got = parseCommandLine(line);
        CHECK(got.ProductNumber == product);
        CHECK(Calls { got.ProgramTag, got.Category, got.ExtraPageCaption, got.ExtraPageAddress }
            == fields);
    }
}

TEST_CASE("each entry as the category at start and as the user's later choice")
{
    // tag, entry, caption, extra, start address, start position, switch address ("-": none)
    using Row = std::tuple<std::string, std::string, std::string, std::string, std::string, int,
        std::string>;
    const std::string home = kMain, extra = "http://x.test/a", shop = "http://shop.main.test/";
    // clang-format off
    for (const auto &[tag, entry, caption, extraAddress, start, position, switched] : std::initializer_list<Row> {
             { "", "Startseite", "", "", home, 0, home }, // no row of its own at start
             { "", "Download", "", "", kMain + "/download/?produkt=4711", 1, kMain + "/download/?produkt=4711" },
             { "", "Programminfo", "", "", kMain + "/software", 2, kMain + "/software" },
             { "x", "Programminfo", "", "", kMain + "/software/?ProgID=4711", 2, kMain + "/software/?ProgID=4711" },
             { "", "News", "", "", kMain + "/neuigkeiten", 4, kMain + "/neuigkeiten" },
             { "", "Events", "", "", kMain + "/infos", 5, kMain + "/infos" },
             { "", "Support", "", "", kMain + "/support", 3, kMain + "/support" },
             { "", "Shop", "", "", shop, 6, shop }, { "", "ShoppingBRD", "", "", shop, 6, shop },
             { "", "ShoppingAUT", "", "", shop, 6, shop },
             { "", "download", "", "", home, 0, "-" }, { "", "Sonstiges", "", "", home, 0, "-" },
             { "", "", "", "", home, 0, "" }, // equal to the (empty) extra caption
             { "", extra, "Extra", extra, extra, 7, "-" }, // by address at start only
             { "", "  ", "Extra", "  ", home, 0, "-" }, // a blank address is no extra page
             { "", "Extra", "Extra", extra, home, 0, extra }, // by caption on a switch only
             { "", " Extra", " Extra", " ", home, 0, " " } }) { // ... with no blank check
        // clang-format on
        CAPTURE(entry);
        const CommandLineFields fields { 4711, tag, entry, caption, extraAddress };
        const StartPage page = startPageFor(fields, kHosts);
        CHECK(page.address == start);
        CHECK(page.position == position);
        CHECK(switchAddressFor(entry, fields, kHosts).value_or("-") == switched);
    }
    for (const auto &[caption, count] : { std::pair { "", 7 }, std::pair { "   ", 7 },
             std::pair { " Handbuch", 8 }, std::pair { "\t", 8 } }) {
        const Calls entries = categoryEntries({ 0, "", "", caption, "" });
        CHECK(entries.size() == std::size_t(count));
        CHECK(Calls(entries.begin(), entries.begin() + 7)
            == Calls {
                "Startseite", "Download", "Programminfo", "Support", "News", "Events", "Shop" });
        CHECK(entries.back() == (count == 8 ? caption : "Shop")); // untrimmed
    }
    // The window's own pages, whose copies are kept: the start page first,
    // then every entry's, each once; a blank extra address is none.
    const std::string download = kMain + "/download/?produkt=4711";
    const Calls categories { kMain + "/software", kMain + "/support", kMain + "/neuigkeiten",
        kMain + "/infos", shop };
    for (const auto &[fields, first] : std::initializer_list<std::pair<CommandLineFields, Calls>> {
             { { 4711, "", "Download", "Extra", extra }, { download, home } },
             { { 4711, "", extra, "", extra }, { extra, home, download } },
             { { 4711, "", "", "Extra", "  " }, { home, download } } }) {
        Calls expected = first;
        expected.insert(expected.end(), categories.begin(), categories.end());
        if (fields.ExtraPageCaption == "Extra" && fields.ExtraPageAddress == extra)
            expected.push_back(extra);
        CHECK(ownPageAddresses(fields, kHosts) == expected);
    }
}

TEST_CASE("the load step: each step in turn, a failing one skipped")
{
    // command line, failing calls, the calls after the list
    using Row = std::tuple<std::string, std::set<std::string>, Calls>;
    const std::string extra = "http://x.test/a";
    // clang-format off
    for (const auto &[line, failing, calls] : std::initializer_list<Row> {
             { "4711||Download||", {}, { "Navigate [" + kMain + "/download/?produkt=4711]", "select 1",
                 "address [" + kMain + "/download/?produkt=4711]", "caption " + kPrefix + "Download" } },
             { "0||" + extra + "|Handbuch|" + extra, {}, { "Navigate [" + extra + "]", "select 7",
                 "address [" + extra + "]", "caption " + kPrefix + "Handbuch" } },
             // No eighth entry to select: the page opens, nothing is selected.
             { "0||" + extra + "||" + extra, {}, { "Navigate [" + extra + "]", "address [" + extra + "]",
                 "caption " + kPrefix } },
             { "0||Support", { "Silent", "Navigate", "select" }, { "Navigate [" + kMain + "/support]",
                 "select 3", "address [" + kMain + "/support]", "caption " + kPrefix } } }) {
        // clang-format on
        CAPTURE(line);
        Window w;
        w.failing = failing;
        w.rules.Form_Load(line);
        const Calls got = w.take();
        REQUIRE(got.size() == calls.size() + 2);
        CHECK(got[0] == "Silent 1"); // before anything loads
        CHECK(got[1]
            == (line.find("Handbuch") == std::string::npos ? "list 7 Shop" : "list 8 Handbuch"));
        CHECK(Calls(got.begin() + 2, got.end()) == calls);
        CHECK(w.unhandled.empty());
    }
}

TEST_CASE("the category switch opens the entry's page and names the window after it")
{
    Window w;
    w.rules.Form_Load("4711||News|Handbuch|http://x.test/a");
    w.take();
    // entry, failing, calls, unhandled
    using Row = std::tuple<std::string, std::set<std::string>, Calls, Calls>;
    // clang-format off
    for (const auto &[entry, failing, calls, unhandled] : std::initializer_list<Row> {
             { "Startseite", {}, { "Navigate [" + kMain + "]", "address [" + kMain + "]", "caption " + kPrefix + "Startseite" }, {} },
             { "Handbuch", {}, { "Navigate [http://x.test/a]", "address [http://x.test/a]", "caption " + kPrefix + "Handbuch" }, {} },
             { "Unbekannt", {}, { "caption " + kPrefix + "Unbekannt" }, {} },
             { "Support", { "Navigate" }, { "Navigate [" + kMain + "/support]" }, { "category switch" } } }) {
        // clang-format on
        w.failing = failing;
        w.rules.ActiveBar31_ComboSelChange(entry);
        CHECK(w.take() == calls);
        CHECK(w.unhandled == unhandled);
    }
    CHECK(w.rules.shownCategory() == "Unbekannt"); // the failed switch changed nothing
}

TEST_CASE("the address box: Enter opens the text as typed, a pick moves its entry to the front")
{
    // steps ("enter TEXT", "key TEXT" for a key other than Enter, "pick N"),
    // texts requested, history afterwards, box text
    using Row = std::tuple<Calls, Calls, Calls, std::string>;
    // clang-format off
    for (const auto &[steps, requested, history, box] : std::initializer_list<Row> {
             { { "enter WWW.harlund.test" }, { "WWW.harlund.test" }, { "http://WWW.harlund.test" }, "http://WWW.harlund.test" },
             { { "enter wwwx", "enter ww", "enter  www.x", "enter http://www.y" }, { "wwwx", "ww", " www.x", "http://www.y" },
                 { "http://www.y", " www.x", "ww", "http://wwwx" }, "http://www.y" },
             { { "enter a", "enter a", "enter A" }, { "a", "a", "A" }, { "A", "a" }, "A" },
             { { "enter ", "key b" }, { "" }, { "" }, "" }, // an empty text is an entry too
             { { "enter A", "enter B", "enter C", "pick 2" }, { "A", "B", "C", "A" }, { "A", "C", "B" }, "A" },
             { { "enter A", "enter B", "enter C", "pick 1" }, { "A", "B", "C", "B" }, { "B", "C", "A" }, "B" },
             { { "enter A", "enter B", "enter C", "pick 0" }, { "A", "B", "C", "C" }, { "C", "B", "A" }, "C" },
             // Entering an entry again leaves it where it is; the list opens on it.
             { { "enter A", "enter B", "enter A" }, { "A", "B", "A" }, { "B", "A" }, "A" } }) {
        // clang-format on
        Window w;
        for (const std::string &step : steps) {
            const std::string argument = step.substr(step.find(' ') + 1);
            if (step.starts_with("enter"))
                w.rules.txtEingabe_KeyPress(13, argument);
            else if (step.starts_with("key"))
                w.rules.txtEingabe_KeyPress(10, argument);
            else
                w.rules.txtEingabe_Click(std::stoi(argument));
        }
        Calls got;
        std::string shown;
        for (const std::string &call : w.take()) {
            if (call.starts_with("Navigate"))
                got.push_back(call.substr(10, call.size() - 11));
            if (call.starts_with("address"))
                shown = call.substr(9, call.size() - 10);
        }
        CHECK(got == requested);
        CHECK(w.rules.history().entries() == history);
        CHECK(w.list == history); // the box's list follows entry by entry
        CHECK(shown == box);
        CHECK(w.unhandled.empty());
    }
    Window w;
    w.rules.txtEingabe_KeyPress(13, "A");
    w.take();
    w.rules.txtEingabe_KeyPress(13, "B");
    CHECK(w.take() == Calls { "Navigate [B]", "address [B]", "add", "mark 0", "address [B]" });
    w.rules.txtEingabe_KeyPress(13, "A");
    CHECK(w.take() == Calls { "Navigate [A]", "address [A]", "mark 1", "address [A]" });
    // A failing control ends the handler before the history; so does a pick
    // beyond the list.
    w.failing = { "Navigate" };
    w.rules.txtEingabe_KeyPress(13, "C");
    w.rules.txtEingabe_Click(2);
    CHECK(w.take() == Calls { "Navigate [C]" });
    CHECK(w.unhandled == Calls { "address box", "address list" });
    CHECK(w.rules.history().entries() == Calls { "B", "A" });
}

TEST_CASE("the toolbar's commands; a failing command is skipped")
{
    Window w;
    w.rules.DownloadBegin(); // a page still loading does not keep the window open
    w.take();
    w.failing = { "GoBack" };
    for (const char *tool : { "ID_Zurück", "ID_Vorwärts", "ID_Stop", "ID_Aktualisieren", "ID_Info",
             "ID_Seite", "ID_Beenden" })
        w.rules.ActiveBar31_ToolClick(tool);
    CHECK(w.take() == Calls { "GoBack", "GoForward", "Stop", "Refresh", "info", "close" });
    CHECK(w.unhandled.empty());
}

TEST_CASE("notifications: tools, status text and the meter")
{
    // notifications, failing view calls, the calls they make, the meter's maximum, unhandled
    using Row = std::tuple<Calls, std::set<std::string>, Calls, int, Calls>;
    const Calls start { "area 1", "clear", "frame", "events" };
    const auto then = [](Calls calls, const Calls &more) {
        calls.insert(calls.end(), more.begin(), more.end());
        return calls;
    };
    // clang-format off
    for (const auto &[events, failing, calls, meterMax, unhandled] : std::initializer_list<Row> {
             { { "progress -1 100", "progress 0 100" }, {}, { "area 1", "area 0", "area 1", "area 0" }, 0, {} },
             // Every report restarts the meter: 22 blocks, up to the report's share.
             { { "progress 50 100", "progress 100 100" }, {}, then(then(start, { "fill 11", "events" }), then(start, { "fill 22", "events" })), 100, {} },
             // A maximum beyond 16 bits skips the start; the update runs on the last one.
             { { "progress 20 100", "progress 50 100000" }, {}, then(then(start, { "fill 5", "events" }), { "area 1", "fill 7", "events" }), 100, {} },
             { { "progress 50 100000" }, {}, { "area 1" }, 0, {} }, // no start yet: nothing drawn
             { { "command 1 0", "command 2 1", "command -1 1" }, {}, { "tool ID_Vorwärts 0", "tool ID_Zurück 1" }, 0, {} },
             { { "complete", "begin", "complete", "begin" }, {}, { "tool ID_Stop 0", "tool ID_Stop 1", "tool ID_Stop 0", "tool ID_Stop 1" }, 0, {} },
             { { "status ", "status http://x.test/" }, {}, { "status []", "status [http://x.test/]" }, 0, {} },
             // A failure ends a handler without a trap; the others skip the step.
             { { "command 1 1", "status x", "begin", "progress 0 1" }, { "tool", "status", "area" },
                 { "tool ID_Vorwärts 1", "status [x]", "tool ID_Stop 1", "area 1", "area 0" }, 0,
                 { "CommandStateChange", "StatusTextChange" } } }) {
        // clang-format on
        ProgressBar::moduleState() = {};
        Window w;
        w.failing = failing;
        for (const std::string &event : events) {
            std::istringstream words(event);
            std::string name, text;
            std::int32_t a = 0, b = 0;
            words >> name;
            if (name == "status")
                w.rules.StatusTextChange(event.substr(7));
            else if (name == "progress" && words >> a >> b)
                w.rules.ProgressChange(a, b);
            else if (name == "command" && words >> a >> b)
                w.rules.CommandStateChange(a, b != 0);
            else
                name == "begin" ? w.rules.DownloadBegin() : w.rules.DownloadComplete();
        }
        CAPTURE(events.front());
        CHECK(w.take() == calls);
        CHECK(ProgressBar::moduleState().MeterMax == meterMax);
        CHECK(w.unhandled == unhandled);
    }
}
