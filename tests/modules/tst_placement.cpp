// SPDX-License-Identifier: MIT
// The placement's reads and writes against a store in memory and a window
// that records what is applied, and the settings file's text.
#include "Expect.h"
#include "FakePlacementWindow.h"
#include "MemorySettingsStore.h"
#include "modules/IniFile.h"
#include "modules/modDeclare.h"

#include <array>
#include <cstdio>
#include <tuple>

using namespace orv;
using namespace orv::test;

namespace {

const std::string kCaption = "Harlund Webbrowser... Kategorie: Download";
const std::array<const char *, 5> kKeys { "left", "top", "width", "height", "windowstate" };
constexpr const char *kNone = "<none>";

std::string shown(const FakePlacementWindow &window)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.0f,%.0f,%.0f,%.0f,%d", window.m_left, window.m_top,
        window.m_width, window.m_height, window.m_state);
    return text;
}

} // namespace

TEST_CASE("loading a placement: what is applied, where a value that is no number stops it")
{
    // stored left, top, width, height, windowstate; the window's width before;
    // left,top,width,height,state after; whether the load fails
    using Row = std::tuple<std::array<const char *, 5>, float, const char *, bool>;
    // clang-format off
    for (const auto &[stored, windowWidth, expected, fails] : std::initializer_list<Row> {
             { { kNone, kNone, kNone, kNone, kNone }, 10440.0f, "100,200,10440,4980,2", false },
             { { "", "720", "", "", "0" }, 10440.0f, "4380,720,10440,4980,0", false },
             { { "", "0", "", "", "0" }, 19215.0f, "-7,0,19215,4980,0", false },
             { { " ", " ", "1000", "", "0" }, 10440.0f, "4380,4710,1000,4980,0", false },
             { { "2.5", "3.5", "9000.5", "6000", "0" }, 10440.0f, "2,4,9000,6000,0", false },
             { { "-30000", "9999999", "-1", "0", "0" }, 10440.0f, "-30000,9999999,-1,0,0", false },
             { { "links", "720", "9000", "6000", "0" }, 10440.0f, "100,200,10440,4980,0", true },
             { { "1", "2", "breit", "6000", "0" }, 10440.0f, "1,2,10440,4980,0", true },
             { { "3000000000", "2", "3", "4", "0" }, 10440.0f, "100,200,10440,4980,0", true },
             { { "1", "2", "3", "4", "  " }, 10440.0f, "100,200,10440,4980,0", false },
             { { "1", "2", "3", "4", "2" }, 10440.0f, "100,200,10440,4980,2", false },
             { { "1", "2", "3", "4", " 1.5 " }, 10440.0f, "100,200,10440,4980,2", false },
             { { "1", "2", "3", "4", "1" }, 10440.0f, "100,200,10440,4980,1", false },
             { { "1", "2", "3", "4", "3" }, 10440.0f, "100,200,10440,4980,0", false },
             { { "1", "2", "3", "4", "-1" }, 10440.0f, "100,200,10440,4980,0", false },
             { { "1", "2", "3", "4", "max" }, 10440.0f, "100,200,10440,4980,0", true } }) {
        // clang-format on
        CAPTURE(expected);
        MemorySettingsStore store;
        for (std::size_t i = 0; i < kKeys.size(); ++i) {
            if (std::string(stored[i]) != kNone)
                store.set(kCaption, kKeys[i], stored[i]);
        }
        FakePlacementWindow window;
        window.m_width = windowWidth;
        CHECK(failureOf([&] { LoadWindowPlacement(window, store); }).has_value() == fails);
        CHECK(shown(window) == expected);
        CHECK(store.reads == std::vector<std::string>(kKeys.begin(), kKeys.end()));
    }
}

TEST_CASE("saving a placement: five keys in order under the caption; a failing key ends it")
{
    // state, the failing write (-1: none), the values written
    using Row = std::tuple<PlacementWindow::State, int, std::vector<std::string>>;
    for (const auto &[state, failing, written] : std::initializer_list<Row> {
             { PlacementWindow::Maximized, -1, { "-120.5", "200", "10440", "4980", "2" } },
             { PlacementWindow::Minimized, -1, { "-120.5", "200", "10440", "4980", "1" } },
             { PlacementWindow::Normal, 2, { "-120.5", "200" } } }) {
        MemorySettingsStore store;
        store.failFromWrite = failing;
        FakePlacementWindow window;
        window.m_caption = "Harlund Webbrowser... Kategorie: Grüße ]=;# a/b\\c";
        window.m_left = -120.5f;
        window.m_state = state;
        CHECK(failureOf([&] { SaveWindowPlacement(window, store); }).has_value() == (failing >= 0));
        REQUIRE(store.writes.size() == written.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            CHECK(store.writes[i] == kKeys[i]);
            CHECK(store.value(window.m_caption, kKeys[i]) == written[i]);
        }
    }
}

TEST_CASE("names and values in the file: as earlier versions wrote them, and back")
{
    // name, as the file spells it
    for (const auto &[name, spelt] : std::initializer_list<std::pair<std::string, std::string>> {
             { "Harlund Webbrowser... Kategorie: Download",
                 "Harlund%20Webbrowser...%20Kategorie%3A%20Download" },
             { "a/b\\c%", "a\\b%5Cc%25" }, { "Grüße ]=;#", "Gr%FC%DFe%20%5D%3D%3B%23" },
             { "€ 𝄞", "%U20AC%20%UD834%UDD1E" }, { "127.0.0.1:8080", "127.0.0.1%3A8080" } }) {
        CHECK(ini::escapedName(name) == spelt);
        CHECK(ini::unescapedName(spelt) == name);
    }
    // value, as written, as read back (a hand-edited list or typed value reads as its text)
    for (const auto &[value, spelt] : std::initializer_list<std::pair<std::string, std::string>> {
             { "1440", "1440" }, { "-7.5", "-7.5" }, { "", "" }, { "a b", "\"a b\"" },
             { "say \"x\"\\", "\"say \\\"x\\\"\\\\\"" }, { "@x", "@@x" } }) {
        CHECK(ini::escapedValue(value) == spelt);
        CHECK(ini::unescapedValue(spelt) == value);
    }
    CHECK(ini::unescapedValue("1, 2") == "1,2");
    CHECK(ini::unescapedValue(" 15  ") == "15");
    CHECK(ini::unescapedValue("@Rect(1 2 3 4)") == "@Rect(1 2 3 4)");
    CHECK(!ini::unescapedValue("\"12"));
}

TEST_CASE("a document keeps what it did not change byte for byte and drops what it cannot read")
{
    const std::string untouched = "[News]\r\nleft=15 \r\n; a note\r\n\r\n";
    // file text, clean, the text after "left" of [A] is set to 7
    using Row = std::tuple<std::string, bool, std::string>;
    for (const auto &[text, clean, written] : std::initializer_list<Row> {
             { "", true, "[A]\nleft=7\n" }, { untouched, true, untouched + "[A]\nleft=7\n" },
             { "[A]\nleft=1\ntop=2\n\n" + untouched, true, "[A]\nleft=7\ntop=2\n\n" + untouched },
             { "[A]\ntop=2\n\n[A]\nleft=1\n", true, "[A]\ntop=2\n\n[A]\nleft=7\n" },
             { "[A]\ntop=\"2\n" + untouched, false, "[A]\nleft=7\n" + untouched },
             { "[A\ntop=2\n" + untouched, false, untouched + "[A]\nleft=7\n" },
             { std::string("[A]\nt\0p=2\nGARBAGE\nleft=3\n", 25) + untouched, false,
                 "[A]\nleft=7\n" + untouched },
             { "[Zoom]\nx=90\n", true, "[Zoom]\nx=90\n\n[A]\nleft=7\n" } }) {
        CAPTURE(text);
        ini::Document document = ini::Document::parse(text);
        CHECK(document.clean() == clean);
        document.set("A", "left", "7");
        CHECK(document.text() == written);
        CHECK(ini::Document::parse(written).clean());
    }
    ini::Document zoom = ini::Document::parse("[A]\nleft=1\n\n[Zoom]\nx=90\n");
    zoom.removeSection("Zoom");
    CHECK(zoom.text() == "[A]\nleft=1\n\n");
    CHECK(!zoom.hasSection("Zoom"));
}
