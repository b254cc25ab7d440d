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
            info = { kOsVersionInfoSize, 6, 1, 7601, 2, {} };
            return true;
        }
        std::uint32_t startProcess(const std::wstring &line, std::int32_t) override
        {
            started.push_back(line);
            return line == L"Control.exe" ? kErrorFileNotFound : kErrorSuccess;
        }
    };
    const std::wstring software = L"rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,";
    struct Row
    {
        std::wstring line;
        int exitCode;
        std::string output;
        std::wstring started;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { L"ShowControlPanels Index=1 pTab=0", 0, "Index=1\npTab=1\n", software + L"1" },
             { L"showcontrolpanels INDEX=1 ptab=4", 0, "Index=1\npTab=4\n", software + L"4" },
             { L"ShowControlPanels Index=1", 0, "Index=1\n", software + L"1" },
             { L"ShowControlPanels Index=&H1A", 0, "Index=26\n", L"Calc.exe" },
             { L"ShowControlPanels Index=27", 1, "error=53 File not found: Control.exe\nIndex=27\n", L"Control.exe" },
             { L"GetPlatform", 0, "result=Windows Vista\n", L"" },
             { L"OSBuild", 0, "result=7601\n", L"" },
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
        CAPTURE(row.output);
        Answers platform;
        orvClassWindows object(platform);
        std::vector<std::wstring> words;
        for (std::size_t start = 0, end = 0; end != std::wstring::npos; start = end + 1)
            words.push_back(row.line.substr(start, (end = row.line.find(L' ', start)) - start));
        const orvclass::Outcome outcome = orvclass::invoke(object, words);
        CHECK(outcome.text == row.output);
        CHECK(int(outcome.exitCode) == row.exitCode);
        CHECK(platform.started
            == (row.started.empty() ? std::vector<std::wstring> {} : std::vector { row.started }));
    }
}

TEST_CASE("the operation list: one line per operation, its parameters described")
{
    const std::string list = orvclass::operationList();
    CHECK(list.starts_with("SetComboBoxHeight "));
    CHECK(list.find("\nTranspPic ") != std::string::npos);
    CHECK(list.ends_with("\n"));
    CHECK(list.find("\nPDF_\xC3\x96"
                    "ffnen ")
        != std::string::npos);
    CHECK(list.find("ShowControlPanels Index=32-bit,in/out pTab=32-bit,in/out,optional\n")
        != std::string::npos);
}
