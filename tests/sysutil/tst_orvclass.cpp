// SPDX-License-Identifier: MIT
// orvclass's calls by name: argument parsing, what reaches the class, and the
// report of the result and the in/out parameters.
#include "Expect.h"
#include "FakePlatform.h"
#include "sysutil/orvclass/Invocation.h"

using namespace orv;
using namespace orv::platform;
using namespace std::string_literals;

TEST_CASE("an invocation by name: parsed, called, reported")
{
    const std::wstring run = L"rundll32.exe shell32.dll,Control_RunDLL ",
                       software = run + L"appwiz.cpl,,";
    using Row = std::tuple<std::vector<std::wstring>, int, std::string, std::vector<std::wstring>>;
    // clang-format off
    for (const auto &[words, exitCode, output, started] : std::initializer_list<Row> {
             { { L"ShowControlPanels", L"Index=1", L"pTab=0" }, 0, "Index=1\npTab=1\n", { software + L"1 /5" } },
             { { L"showcontrolpanels", L"INDEX=1", L"ptab=4" }, 0, "Index=1\npTab=4\n", { software + L"4 /5" } },
             { { L"ShowControlPanels", L"Index=1" }, 0, "Index=1\n", { software + L"1 /5" } },
             { { L"ShowControlPanels", L"Index=&H1A" }, 0, "Index=26\n", { L"Calc.exe /1" } },
             { { L"ShowControlPanels", L"Index=3", L"pTab=0" }, 0, "Index=3\npTab=0\n", { run + L"desk.cpl,,0 /5" } },
             { { L"ShowControlPanels", L"Index=2", L"pTab=7" }, 0, "Index=2\npTab=7\n", { run + L"timedate.cpl /5" } }, // failure ignored
             { { L"ShowControlPanels", L"Index=-1" }, 1, "error=53 File not found: Control.exe\nIndex=-1\n", { L"Control.exe /1" } },
             { { L"GetPlatform" }, 0, "result=Windows 95\xC3\x84\n", {} },
             { { L"OSBuild" }, 0, "result=2222\n", {} },
             { { L"SetStartleiste", L"Visible=true" }, 0, "result=Empty\n", {} },
             { { L"GetFileEx", L"xFile=a.txt" }, 0, "result=|\nxFile=a.txt\n", {} },
             { { L"FileCopyClipboard", L"files=a", L"files=b" }, 0, "result=False\nfiles(0)=a\nfiles(1)=b\n", {} },
             { { L"PDF_\u00F6FFNEN", L"uFilePath=x" }, 0, "result=Empty\n", {} },
             { { L"ShowControlPanels", L"Index=2147483648" }, 2, "not a 32-bit number: 2147483648\n", {} },
             { { L"ShowControlPanels", L"Seite=1" }, 2, "ShowControlPanels has no parameter named Seite\n", {} },
             { { L"ShowControlPanels", L"Index=1", L"index=2" }, 2, "Index is given twice\n", {} },
             { { L"ShowControlPanels", L"1" }, 2, "an argument is Name=Value: 1\n", {} },
             { { L"ShowEverything" }, 2, "no operation named ShowEverything\n", {} },
             { { L"RunCommand" }, 2, "no operation named RunCommand\n", {} },
             { { L"SetComboBoxHeight", L"NewHeight=20" }, 2, "SetComboBoxHeight needs a control object (ComboBox), which a command line cannot give\n", {} } }) {
        // clang-format on
        CAPTURE(output);
        test::FakePlatform platform;
        // Windows 95, its build in the low bits, the service pack text in the
        // code page (UTF-8) and ending at its NUL; Control.exe and an applet missing.
        platform.version
            = { kOsVersionInfoSize, 4, 0, 0x040A08AE, 1, { '\xC3', '\x84', '\0', 'x' } };
        platform.missing = { L"Control.exe", run + L"timedate.cpl" };
        orvClassWindows object(platform);
        const orvclass::Outcome outcome = orvclass::invoke(object, words);
        CHECK(outcome.text == output);
        CHECK(int(outcome.exitCode) == exitCode);
        CHECK(platform.started == started);
    }
}
