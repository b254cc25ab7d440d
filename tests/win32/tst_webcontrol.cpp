// SPDX-License-Identifier: MIT
// The Windows web controls: WebView2's phases turned into the old control's
// notifications, the scripted control's script and its plays in a real
// message loop (under Wine here), and the WebView2 adapter without its loader.
#include "Expect.h"
#include "RecordingEvents.h"
#include "components/OwnPages.h"
#include "components/win32/LoadScript.h"
#include "components/win32/NavigationProgress.h"
#include "components/win32/ScriptedWebControl.h"
#include "components/win32/WebView2Control.h"

#include <windows.h>

using namespace orv;
using namespace orv::win32;
using orv::test::RecordingEvents;
using Lines = std::vector<std::string>;

TEST_CASE("WebView2's phases become rising progress for the latest navigation only")
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<char, std::uint64_t>> phases; // s c d n: starting ... completed
        Lines expected;
    };
    const Case cases[] = {
        { "a whole load", { { 's', 1 }, { 'c', 1 }, { 'd', 1 }, { 'n', 1 } },
            { "begin", "progress 10/100", "progress 40/100", "progress 80/100", "progress 100/100",
                "complete", "progress -1/0" } },
        { "a redirect starts the same navigation again", { { 's', 1 }, { 's', 1 }, { 'n', 1 } },
            { "begin", "progress 10/100", "progress 100/100", "complete", "progress -1/0" } },
        { "a failed load ends before any content", { { 's', 4 }, { 'n', 4 } },
            { "begin", "progress 10/100", "progress 100/100", "complete", "progress -1/0" } },
        { "a newer navigation takes over; the older one's phases are dropped",
            { { 's', 1 }, { 'c', 1 }, { 's', 2 }, { 'd', 1 }, { 'n', 1 }, { 'c', 2 }, { 'n', 2 } },
            { "begin", "progress 10/100", "progress 40/100", "begin", "progress 10/100",
                "progress 40/100", "progress 100/100", "complete", "progress -1/0" } },
        { "phases out of order never lower the value", { { 's', 3 }, { 'd', 3 }, { 'c', 3 } },
            { "begin", "progress 10/100", "progress 80/100" } },
        { "phases of a navigation never started", { { 'c', 9 }, { 'd', 9 }, { 'n', 9 } }, {} },
    };
    for (const Case &c : cases) {
        CAPTURE(c.name);
        RecordingEvents events;
        NavigationProgress progress(events);
        for (const auto &[phase, id] : c.phases) {
            switch (phase) {
            case 's':
                progress.starting(id);
                break;
            case 'c':
                progress.contentLoading(id);
                break;
            case 'd':
                progress.domContentLoaded(id);
                break;
            default:
                progress.completed(id);
                break;
            }
        }
        CHECK(events.lines == c.expected);
    }

    // The engine's process went away: the load ends once, and only a load.
    RecordingEvents events;
    NavigationProgress progress(events);
    progress.abandoned();
    progress.starting(5);
    progress.abandoned();
    progress.abandoned();
    CHECK(events.lines == Lines { "begin", "progress 10/100", "complete", "progress -1/0" });
    CHECK_FALSE(progress.loading());
}

TEST_CASE("The load script: its steps, and a clear failure naming a step it does not know")
{
    using K = LoadStep::Kind;
    CHECK(parseLoadScript(
              " begin;progress  -1 0\n\nstatus  Lade ä \r\n;status;wait 250;history;complete;"
              "unreachable name")
        == LoadScript { { K::Begin }, { K::Progress, -1, 0 }, { K::Status, 0, 0, "Lade ä" },
            { K::Status }, { K::Wait, 250 }, { K::History }, { K::Complete },
            { K::Unreachable, int(ReachFailure::NameNotFound) } });
    CHECK(parseLoadScript(defaultLoadScript).size() == 11);
    CHECK(parseLoadScript(" ; \n").empty());
    for (const char *bad : { "begn", "progress 5", "progress 5 x", "wait -1", "wait 99999999999",
             "complete now", "progress 1 2 3", "wait 1.5", "unreachable", "unreachable dns",
             "unreachable name now" }) {
        CAPTURE(bad);
        CHECK(test::failureOf([&] { parseLoadScript(std::string("begin;") + bad); })
            == FailureCode::InvalidCall);
    }
}

namespace {

// Runs the message loop until the last line recorded is `last`, for at most
// two seconds.
bool runUntil(RecordingEvents &events, const std::string &last)
{
    const ULONGLONG end = GetTickCount64() + 2000;
    while (GetTickCount64() < end) {
        if (!events.lines.empty() && events.lines.back() == last)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return false;
}

class NoHost : public HostedControlEvents
{
public:
    void ControlUnavailable(ControlProblem problem, HRESULT code) override
    {
        reports.emplace_back(problem, code);
    }
    bool PageKey(UINT, bool, bool, bool) override { return false; }
    std::vector<std::pair<ControlProblem, HRESULT>> reports;
};

} // namespace

TEST_CASE("The scripted control plays its script from the message loop, with a history")
{
    HWND container = CreateWindowExW(
        0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(container);
    RecordingEvents events;
    ScriptedWebControl control(container, events,
        parseLoadScript("begin; history; status {x}; wait 30; progress 5 9; complete"));
    HWND page = GetWindow(container, GW_CHILD);
    const auto pageText = [&] {
        wchar_t text[64] = L"";
        GetWindowTextW(page, text, 64);
        return std::wstring(text);
    };

    CHECK(test::failureOf([&] { control.GoBack(); }) == FailureCode::ControlFailed);
    CHECK(test::failureOf([&] { control.GoForward(); }) == FailureCode::ControlFailed);
    control.Refresh(); // nothing loaded yet: nothing to play
    control.Stop();
    control.Navigate("http://a.test/ä");
    CHECK(events.lines.empty()); // never inside the call
    CHECK(pageText() == L"http://a.test/ä");
    REQUIRE(runUntil(events, "complete"));
    CHECK(events.take()
        == Lines { "begin", "forward off", "back off", "status {x}", "progress 5/9", "complete" });

    control.Navigate("http://b.test/");
    REQUIRE(runUntil(events, "complete"));
    CHECK(events.take()[1] == "forward off");
    control.GoBack();
    CHECK(pageText() == L"http://a.test/ä");
    REQUIRE(runUntil(events, "complete"));
    CHECK(Lines(events.lines.begin(), events.lines.begin() + 3)
        == Lines { "begin", "forward on", "back off" });
    events.take();

    // Stop ends a load at its wait; a new address drops the forward pages.
    control.Refresh();
    REQUIRE(runUntil(events, "status {x}"));
    control.Stop();
    REQUIRE(runUntil(events, "progress -1/0"));
    CHECK(events.take()
        == Lines { "begin", "forward on", "back off", "status {x}", "complete", "progress -1/0" });
    control.Navigate("http://c.test/");
    REQUIRE(runUntil(events, "complete"));
    CHECK(events.take()[1] == "forward off");
    CHECK(test::failureOf([&] { control.GoForward(); }) == FailureCode::ControlFailed);

    control.Move(150, 300, 1500, 750); // twips
    RECT placed;
    GetWindowRect(page, &placed);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT *>(&placed), 2);
    const int pixelsPerInch = static_cast<int>(GetDpiForWindow(container));
    CHECK(placed.left == 10 * pixelsPerInch / 96);
    CHECK(placed.bottom - placed.top == 50 * pixelsPerInch / 96);
    DestroyWindow(container);
}

#if ORVEL_WEBVIEW2
TEST_CASE("Without WebView2Loader.dll beside the program the adapter says so and stays harmless")
{
    // The test program's folder has no loader; the program's own folder has one.
    RecordingEvents events;
    NoHost host;
    auto control = makeWebView2Control(nullptr, events, host);
    REQUIRE(host.reports.size() == 1);
    CHECK(host.reports[0].first == ControlProblem::LoaderMissing);
    CHECK(host.reports[0].second == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    control->Navigate("http://a.test/");
    control->Stop();
    control->Refresh();
    control->Move(0, 0, 100, 100);
    CHECK(test::failureOf([&] { control->GoBack(); }) == FailureCode::ControlFailed);
    CHECK(events.lines.empty());
    CHECK(host.reports.size() == 1);
}
#endif
