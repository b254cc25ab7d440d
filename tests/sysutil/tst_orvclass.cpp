// SPDX-License-Identifier: MIT
// orvclass's calls by name: argument parsing, what reaches the class, and the
// report of the result and the in/out parameters.
#include "FakePlatform.h"
#include "sysutil/orvclass/Invocation.h"

#include <QTest>

#include <string>
#include <vector>

using namespace orv;
using namespace std::string_literals;

namespace {

// The arguments of a call, split at blanks (the tests' values hold none).
std::vector<std::wstring> words(const std::wstring &line)
{
    std::vector<std::wstring> result;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = line.find(L' ', start);
        result.push_back(line.substr(start, end - start));
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return result;
}

} // namespace

class TestOrvclass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void invoke_data()
    {
        QTest::addColumn<std::wstring>("line");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<std::string>("output");
        QTest::addColumn<std::wstring>("started"); // "" for none

        const std::wstring software = L"rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,"s;
        // clang-format off
        QTest::newRow("page written back") << L"ShowControlPanels Index=1 pTab=0"s << 0 << "Index=1\npTab=1\n"s << software + L"1";
        QTest::newRow("names without case") << L"showcontrolpanels INDEX=1 ptab=4"s << 0 << "Index=1\npTab=4\n"s << software + L"4";
        QTest::newRow("optional left out, not reported") << L"ShowControlPanels Index=1"s << 0 << "Index=1\n"s << software + L"1";
        QTest::newRow("hexadecimal number") << L"ShowControlPanels Index=&H1A"s << 0 << "Index=26\n"s << L"Calc.exe"s;
        QTest::newRow("failure reported with in/out") << L"ShowControlPanels Index=27"s << 1 << "error=53 File not found: Control.exe\nIndex=27\n"s << L"Control.exe"s;
        QTest::newRow("text result") << L"GetPlatform"s << 0 << "result=Windows Vista\n"s << L""s;
        QTest::newRow("number result") << L"OSBuild"s << 0 << "result=7601\n"s << L""s;
        QTest::newRow("empty variant") << L"SetStartleiste Visible=true"s << 0 << "result=Empty\n"s << L""s;
        QTest::newRow("result, then in/out") << L"GetFileEx xFile=a.txt"s << 0 << "result=|\nxFile=a.txt\n"s << L""s;
        QTest::newRow("text list by repeating") << L"FileCopyClipboard files=a files=b"s << 0 << "result=True\nfiles(0)=a\nfiles(1)=b\n"s << L""s;
        QTest::newRow("non-ASCII name") << L"PDF_\u00F6FFNEN uFilePath=x"s << 0 << "result=Empty\n"s << L""s;
        QTest::newRow("not a number") << L"ShowControlPanels Index=x"s << 2 << "not a 32-bit number: x\n"s << L""s;
        QTest::newRow("beyond 32 bits") << L"ShowControlPanels Index=2147483648"s << 2 << "not a 32-bit number: 2147483648\n"s << L""s;
        QTest::newRow("unknown parameter") << L"ShowControlPanels Seite=1"s << 2 << "ShowControlPanels has no parameter named Seite\n"s << L""s;
        QTest::newRow("given twice") << L"ShowControlPanels Index=1 index=2"s << 2 << "Index is given twice\n"s << L""s;
        QTest::newRow("no equals sign") << L"ShowControlPanels 1"s << 2 << "an argument is Name=Value: 1\n"s << L""s;
        QTest::newRow("unknown operation") << L"ShowEverything"s << 2 << "no operation named ShowEverything\n"s << L""s;
        QTest::newRow("private operation") << L"RunCommand"s << 2 << "no operation named RunCommand\n"s << L""s;
        QTest::newRow("control parameter") << L"SetComboBoxHeight NewHeight=20"s << 2 << "SetComboBoxHeight needs a control object (ComboBox), which a command line cannot give\n"s << L""s;
        // clang-format on
    }

    void invoke()
    {
        QFETCH(std::wstring, line);
        QFETCH(int, exitCode);
        QFETCH(std::string, output);
        QFETCH(std::wstring, started);
        FakePlatform platform;
        platform.version = platform::OsVersionInfo { 148, 6, 1, 7601, 2, {} };
        platform.unstartable.insert(L"Control.exe");
        platform.taskbar = 0x10010;
        orvClassWindows object(platform);

        const orvclass::Outcome outcome = orvclass::invoke(object, words(line));
        QCOMPARE(outcome.text, output);
        QCOMPARE(int(outcome.exitCode), exitCode);
        QCOMPARE(int(platform.started.size()), started.empty() ? 0 : 1);
        if (!started.empty())
            QVERIFY(platform.started[0].commandLine == started);
    }

    void listNamesEveryOperationInOrder()
    {
        const std::string list = orvclass::operationList();
        std::vector<std::string> names;
        for (std::size_t start = 0; start < list.size();) {
            const std::size_t end = list.find('\n', start);
            const std::string line = list.substr(start, end - start);
            names.push_back(line.substr(0, line.find(' ')));
            start = end + 1;
        }
        QCOMPARE(int(names.size()), 32);
        QCOMPARE(names.front(), "SetComboBoxHeight"s);
        QCOMPARE(names[2], "ShowControlPanels"s);
        QCOMPARE(names[13], "OSBuild"s);
        QCOMPARE(names[21],
            "PDF_\xC3\x96"
            "ffnen"s);
        QCOMPARE(names[27], "GetPlatform"s);
        QCOMPARE(names.back(), "TranspPic"s);
        QVERIFY(list.find("ShowControlPanels Index=32-bit,in/out pTab=32-bit,in/out,optional\n")
            != std::string::npos);
    }
};

QTEST_APPLESS_MAIN(TestOrvclass)
#include "tst_orvclass.moc"
