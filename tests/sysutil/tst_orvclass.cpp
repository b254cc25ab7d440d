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
    struct Answers : test::FailingPlatform
    {
        std::vector<std::wstring> started;
        bool getVersionEx(OsVersionInfo &info) override
        {
            // Windows 95, its build in the low bits, the service pack text
            // in the code page (UTF-8) and ending at its NUL.
            info = { kOsVersionInfoSize, 4, 0, 0x040A08AE, 1, { '\xC3', '\x84', '\0', 'x' } };
            return true;
        }
        // Starts recorded with their show value; Control.exe and an applet fail.
        std::uint32_t startProcess(const std::wstring &line, std::int32_t show) override
        {
            started.push_back(std::to_wstring(show) + L' ' + line);
            return line == L"Control.exe" || line.ends_with(L"timedate.cpl") ? 2 : 0;
        }
    };
    const std::wstring run = L"5 rundll32.exe shell32.dll,Control_RunDLL ",
                       software = run + L"appwiz.cpl,,";
    using Row = std::tuple<std::wstring, int, std::string, std::wstring>;
    // clang-format off
    for (const auto &[line, exitCode, output, started] : std::initializer_list<Row> {
             { L"ShowControlPanels Index=1 pTab=0", 0, "Index=1\npTab=1\n", software + L"1" },
             { L"showcontrolpanels INDEX=1 ptab=4", 0, "Index=1\npTab=4\n", software + L"4" },
             { L"ShowControlPanels Index=1", 0, "Index=1\n", software + L"1" },
             { L"ShowControlPanels Index=&H1A", 0, "Index=26\n", L"1 Calc.exe" },
             { L"ShowControlPanels Index=3 pTab=0", 0, "Index=3\npTab=0\n", run + L"desk.cpl,,0" },
             { L"ShowControlPanels Index=2 pTab=7", 0, "Index=2\npTab=7\n", run + L"timedate.cpl" }, // failure ignored
             { L"ShowControlPanels Index=-1", 1, "error=53 File not found: Control.exe\nIndex=-1\n", L"1 Control.exe" },
             { L"ShowControlPanels Index=27", 1, "error=53 File not found: Control.exe\nIndex=27\n", L"1 Control.exe" },
             { L"GetPlatform", 0, "result=Windows 95\xC3\x84\n", L"" },
             { L"OSBuild", 0, "result=2222\n", L"" },
             { L"SetStartleiste Visible=true", 0, "result=Empty\n", L"" },
             { L"GetFileEx xFile=a.txt", 0, "result=|\nxFile=a.txt\n", L"" },
             { L"FileCopyClipboard files=a files=b", 0, "result=False\nfiles(0)=a\nfiles(1)=b\n", L"" },
             { L"PDF_\u00F6FFNEN uFilePath=x", 0, "result=Empty\n", L"" },
             { L"ShowControlPanels Index=x", 2, "not a 32-bit number: x\n", L"" },
             { L"ShowControlPanels Index=2147483648", 2, "not a 32-bit number: 2147483648\n", L"" },
             { L"ShowControlPanels Seite=1", 2, "ShowControlPanels has no parameter named Seite\n", L"" },
             { L"ShowControlPanels Index=1 index=2", 2, "Index is given twice\n", L"" },
             { L"ShowControlPanels 1", 2, "an argument is Name=Value: 1\n", L"" },
             { L"ShowEverything", 2, "no operation named ShowEverything\n", L"" },
             { L"RunCommand", 2, "no operation named RunCommand\n", L"" },
             { L"SetComboBoxHeight NewHeight=20", 2, "SetComboBoxHeight needs a control object (ComboBox), which a command line cannot give\n", L"" } }) {
        // clang-format on
        CAPTURE(output);
        Answers platform;
        orvClassWindows object(platform);
        std::vector<std::wstring> words;
        for (std::size_t start = 0, end = 0; end != std::wstring::npos; start = end + 1)
            words.push_back(line.substr(start, (end = line.find(L' ', start)) - start));
        const orvclass::Outcome outcome = orvclass::invoke(object, words);
        CHECK(outcome.text == output);
        CHECK(int(outcome.exitCode) == exitCode);
        CHECK(platform.started
            == (started.empty() ? std::vector<std::wstring> {} : std::vector { started }));
    }
}
