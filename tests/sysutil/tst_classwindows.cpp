// SPDX-License-Identifier: MIT
// orvClassWindows against a recording platform: what it asks the system for,
// with which values, and how it reads the answers.
#include "FakePlatform.h"
#include "TestText.h"
#include "core/Failure.h"
#include "sysutil/orvClassWindows.h"

#include <QTest>

#include <algorithm>
#include <climits>
#include <functional>
#include <optional>
#include <string>

using namespace orv;
using namespace std::string_literals;

namespace {

constexpr std::uint32_t kHklm = platform::kHkeyLocalMachine;
const std::wstring kPathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"s;
const std::wstring kFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location"s;
const std::wstring kUnavailable = L"System Information Is Unavailable At This Time"s;
const std::wstring kNoBrowser = L"Der Internet-Browser konnte nicht gestartet werden!"s;
const std::wstring kRun = L"rundll32.exe shell32.dll,Control_RunDLL "s;

std::optional<FailureCode> failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Failure &failure) {
        return failure.code();
    }
    return std::nullopt;
}

platform::OsVersionInfo versionRecord(std::uint32_t platformId, std::uint32_t major,
    std::uint32_t minor, std::uint32_t build, const std::string &servicePack)
{
    platform::OsVersionInfo record;
    record.platformId = platformId;
    record.majorVersion = major;
    record.minorVersion = minor;
    record.buildNumber = build;
    std::copy(servicePack.begin(), servicePack.end(), record.servicePack.begin());
    return record;
}

platform::FindData findEntry(const std::string &name, std::uint32_t attributes)
{
    platform::FindData data;
    data.attributes = attributes;
    std::copy(name.begin(), name.end(), data.fileName.begin());
    return data;
}

// A form in twips (15 per pixel) whose font is 10 twips per character.
class TestForm : public FormObject
{
public:
    std::int32_t hWnd() const override { return 0x33; }
    std::int32_t ScaleMode() const override { return 1; }
    double TextWidth(const std::wstring &text) const override { return 10.0 * double(text.size()); }
    double ScaleX(double value, std::int32_t from, std::int32_t to) const override
    {
        const auto twips = [](std::int32_t mode) {
            return mode == 3 ? 15.0 : 1.0;
        };
        return value * twips(from) / twips(to);
    }
};

class TestCombo : public ComboBoxObject
{
public:
    std::int32_t hWnd() const override { return 0x44; }
    FormObject &Parent() override { return form; }
    std::int32_t ListCount() const override { return std::int32_t(entries.size()); }
    std::wstring List(std::int32_t index) const override { return entries.at(std::size_t(index)); }
    TestForm form;
    std::vector<std::wstring> entries;
};

class TestPicture : public PictureBoxObject
{
public:
    std::int32_t hDC() const override { return 0x55; }
    void ClearPicture() override { log = "clear"; }
    void PictureFromImage() override { log += ",picture"; }
    std::string log;
};

} // namespace

class TestClassWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appletTable_data()
    {
        QTest::addColumn<qint32>("index");
        QTest::addColumn<std::wstring>("commandLine");
        QTest::addColumn<qint32>("show");

        // Every entry with page 2: entries that take a page end in "2".
        // clang-format off
        QTest::newRow("0") << 0 << kRun + L"sysdm.cpl @1" << 5;
        QTest::newRow("1") << 1 << kRun + L"appwiz.cpl,,2" << 5;
        QTest::newRow("2") << 2 << kRun + L"timedate.cpl" << 5;
        QTest::newRow("3") << 3 << kRun + L"desk.cpl,,2" << 5;
        QTest::newRow("4") << 4 << kRun + L"inetcpl.cpl,,2" << 5;
        QTest::newRow("5") << 5 << kRun + L"joy.cpl" << 5;
        QTest::newRow("6") << 6 << kRun + L"main.cpl @1" << 5;
        QTest::newRow("7") << 7 << kRun + L"modem.cpl" << 5;
        QTest::newRow("8") << 8 << kRun + L"main.cpl @0" << 5;
        QTest::newRow("9") << 9 << kRun + L"mmsys.cpl,,2" << 5;
        QTest::newRow("10") << 10 << kRun + L"netcpl.cpl" << 5;
        QTest::newRow("11") << 11 << kRun + L"password.cpl" << 5;
        QTest::newRow("12") << 12 << kRun + L"intl.cpl,,2" << 5;
        QTest::newRow("13") << 13 << kRun + L"mmsys.cpl @1" << 5;
        QTest::newRow("14") << 14 << kRun + L"sysdm.cpl,,2" << 5;
        QTest::newRow("15") << 15 << L"Control.exe"s << 1;
        QTest::newRow("16") << 16 << kRun + L"main.cpl @2" << 5;
        QTest::newRow("17") << 17 << kRun + L"main.cpl @3" << 5;
        QTest::newRow("18") << 18 << kRun + L"mlcfg32.cpl,,2" << 5;
        QTest::newRow("19") << 19 << L"rundll32.exe shell32.dll,SHFormatDrive"s << 1;
        QTest::newRow("20") << 20 << kRun + L"telephon.cpl" << 5;
        QTest::newRow("21") << 21 << kRun + L"access.cpl,,2" << 5;
        QTest::newRow("22") << 22 << kRun + L"findfast.cpl" << 5;
        QTest::newRow("23") << 23 << kRun + L"sticpl.cpl" << 5;
        QTest::newRow("24") << 24 << kRun + L"powercfg.cpl" << 5;
        QTest::newRow("25") << 25 << L"Control.exe"s << 1;
        QTest::newRow("26") << 26 << L"Calc.exe"s << 1;
        QTest::newRow("27") << 27 << L"Control.exe"s << 1;
        QTest::newRow("-1") << -1 << L"Control.exe"s << 1;
        QTest::newRow("largest") << INT_MAX << L"Control.exe"s << 1;
        QTest::newRow("smallest") << INT_MIN << L"Control.exe"s << 1;
        // clang-format on
    }

    void appletTable()
    {
        QFETCH(qint32, index);
        QFETCH(std::wstring, commandLine);
        QFETCH(qint32, show);
        FakePlatform platform;
        orvClassWindows object(platform);
        std::int32_t Index = index;
        std::int32_t pTab = 2;
        object.ShowControlPanels(Index, &pTab);
        QCOMPARE(int(platform.started.size()), 1);
        QCOMPARE(platform.started[0].commandLine, commandLine);
        QCOMPARE(platform.started[0].show, show);
        QCOMPARE(Index, index);
        QCOMPARE(pTab, 2);
    }

    void appletPage_data()
    {
        QTest::addColumn<qint32>("index");
        QTest::addColumn<bool>("pageGiven");
        QTest::addColumn<qint32>("page");
        QTest::addColumn<std::wstring>("commandLine");
        QTest::addColumn<qint32>("pageAfter");

        // clang-format off
        QTest::newRow("software page 0 becomes 1") << 1 << true << 0 << kRun + L"appwiz.cpl,,1" << 1;
        QTest::newRow("software page left out") << 1 << false << 0 << kRun + L"appwiz.cpl,,1" << 0;
        QTest::newRow("software page 3 kept") << 1 << true << 3 << kRun + L"appwiz.cpl,,3" << 3;
        QTest::newRow("software negative page kept") << 1 << true << -1 << kRun + L"appwiz.cpl,,-1" << -1;
        QTest::newRow("display page 0 stays 0") << 3 << true << 0 << kRun + L"desk.cpl,,0" << 0;
        QTest::newRow("display page left out") << 3 << false << 0 << kRun + L"desk.cpl,,0" << 0;
        QTest::newRow("page ignored without tab") << 0 << true << 0 << kRun + L"sysdm.cpl @1" << 0;
        // clang-format on
    }

    void appletPage()
    {
        QFETCH(qint32, index);
        QFETCH(bool, pageGiven);
        QFETCH(qint32, page);
        QFETCH(std::wstring, commandLine);
        QFETCH(qint32, pageAfter);
        FakePlatform platform;
        orvClassWindows object(platform);
        std::int32_t Index = index;
        std::int32_t pTab = page;
        object.ShowControlPanels(Index, pageGiven ? &pTab : nullptr);
        QCOMPARE(platform.started.at(0).commandLine, commandLine);
        QCOMPARE(pTab, pageAfter);
    }

    void appletStartFailure_data()
    {
        QTest::addColumn<qint32>("index");
        QTest::addColumn<std::wstring>("commandLine");
        QTest::addColumn<bool>("raises");
        QTest::addColumn<bool>("reachesCaller");

        // clang-format off
        QTest::newRow("through RunCommand: ignored") << 2 << kRun + L"timedate.cpl" << false << false;
        QTest::newRow("RunCommand's raised failure: ignored") << 2 << kRun + L"timedate.cpl" << true << false;
        QTest::newRow("direct: reaches the caller") << 26 << L"Calc.exe"s << false << true;
        QTest::newRow("direct, out of table") << 27 << L"Control.exe"s << false << true;
        QTest::newRow("direct, raised failure passes on") << 15 << L"Control.exe"s << true << true;
        // clang-format on
    }

    void appletStartFailure()
    {
        QFETCH(qint32, index);
        QFETCH(std::wstring, commandLine);
        QFETCH(bool, raises);
        QFETCH(bool, reachesCaller);
        FakePlatform platform;
        platform.unstartable.insert(commandLine);
        platform.startRaises = raises;
        orvClassWindows object(platform);
        std::int32_t Index = index;
        const auto failure = failureOf([&] { object.ShowControlPanels(Index); });
        QCOMPARE(failure.has_value(), reachesCaller);
        if (reachesCaller && !raises)
            QCOMPARE(*failure, FailureCode::FileNotFound);
        QCOMPARE(int(platform.started.size()), 1);
    }

    void dateAndTimeApplet()
    {
        FakePlatform platform;
        orvClassWindows object(platform);
        object.ShowDatumTime();
        QCOMPARE(int(platform.started.size()), 1);
        QCOMPARE(platform.started[0].commandLine, kRun + L"timedate.cpl");
        QCOMPARE(platform.started[0].show, 5);
    }

    void sysInfo_data()
    {
        QTest::addColumn<std::optional<FakePlatform::Value>>("path");
        QTest::addColumn<std::optional<FakePlatform::Value>>("folder");
        QTest::addColumn<std::wstring>("existingFile");
        QTest::addColumn<std::wstring>("started"); // "" for nothing started
        QTest::addColumn<bool>("startFails");
        QTest::addColumn<bool>("message");

        using V = std::optional<FakePlatform::Value>;
        const V none;
        const auto text = [](const std::string &bytes) {
            return V({ platform::kRegText, bytes });
        };
        const auto typed = [](std::uint32_t type, const std::string &bytes) {
            return V({ type, bytes });
        };
        const std::wstring msinfo = L"C:\\Programme\\MSINFO\\MSINFO32.EXE"s;

        // clang-format off
        QTest::newRow("path value") << text("C:\\Tools\\msinfo32.exe\0"s) << none << L""s << L"C:\\Tools\\msinfo32.exe"s << false << false;
        QTest::newRow("path value without NUL") << text("C:\\Tools\\msinfo32.exe"s) << none << L""s << L"C:\\Tools\\msinfo32.exe"s << false << false;
        QTest::newRow("path value in the code page") << text("C:\\Werkzeuge\\\xFC" "bersicht.exe\0"s) << none << L""s << L"C:\\Werkzeuge\\\u00FCbersicht.exe"s << false << false;
        QTest::newRow("path wins over folder") << text("a.exe\0"s) << text("C:\\Programme\\MSINFO\0"s) << msinfo << L"a.exe"s << false << false;
        QTest::newRow("folder with the tool") << none << text("C:\\Programme\\MSINFO\0"s) << msinfo << msinfo << false << false;
        QTest::newRow("folder ending in backslash") << none << text("C:\\x\\\0"s) << L"C:\\x\\\\MSINFO32.EXE"s << L"C:\\x\\\\MSINFO32.EXE"s << false << false;
        QTest::newRow("folder without the tool") << none << text("C:\\Programme\\MSINFO\0"s) << L""s << L""s << false << true;
        QTest::newRow("neither value") << none << none << L""s << L""s << false << true;
        QTest::newRow("tool does not start") << text("C:\\gone.exe\0"s) << none << L""s << L"C:\\gone.exe"s << true << true;
        QTest::newRow("number value as path") << typed(platform::kRegNumber, "\x10\0\0\0"s) << none << L""s << L"16"s << false << false;
        QTest::newRow("binary value leaves path empty") << typed(platform::kRegBinary, "xy"s) << none << L""s << L""s << true << true;
        QTest::newRow("overflowing number value") << typed(platform::kRegNumber, "\x11\x11\x11\x11\x11"s) << none << L""s << L""s << false << true;
        QTest::newRow("value too long for the buffer") << text(std::string(1025, 'x')) << none << L""s << L""s << false << true;
        QTest::newRow("value filling the buffer") << text(std::string(1024, 'x')) << none << L""s << std::wstring(1024, L'x') << false << false;
        // clang-format on
    }

    void sysInfo()
    {
        using V = std::optional<FakePlatform::Value>;
        QFETCH(V, path);
        QFETCH(V, folder);
        QFETCH(std::wstring, existingFile);
        QFETCH(std::wstring, started);
        QFETCH(bool, startFails);
        QFETCH(bool, message);
        FakePlatform platform;
        if (path)
            platform.registry[{ kHklm, kPathKey }][L"PATH"] = *path;
        if (folder)
            platform.registry[{ kHklm, kFolderKey }][L"MSINFO"] = *folder;
        if (!existingFile.empty())
            platform.files.insert(existingFile);
        if (startFails)
            platform.unstartable.insert(started);
        orvClassWindows object(platform);

        object.ShowSysInfo();

        const bool expectStart = !started.empty() || (startFails && path);
        QCOMPARE(int(platform.started.size()), expectStart ? 1 : 0);
        if (expectStart) {
            QCOMPARE(platform.started[0].commandLine, started);
            QCOMPARE(platform.started[0].show, 1);
        }
        QCOMPARE(int(platform.messages.size()), message ? 1 : 0);
        if (message) {
            QCOMPARE(platform.messages[0].text, kUnavailable);
            QCOMPARE(platform.messages[0].caption, L"OrvelBrowser"s);
            QCOMPARE(platform.messages[0].flags, 0u);
        }
        QCOMPARE(int(platform.openKeyCount()), 0);
        for (const std::uint32_t root : platform.openedRoots)
            QCOMPARE(root, kHklm);
        for (const std::uint32_t access : platform.openedAccess)
            QCOMPARE(access, 0x2003Fu);
    }

    void sysInfoClosesWhatItOpened()
    {
        // An unreadable path value: its key is closed, a failed open closes 0.
        FakePlatform platform;
        platform.registry[{ kHklm, kPathKey }][L"PATH"] = { platform::kRegText, "x"s };
        platform.unreadableValues.insert(L"PATH");
        orvClassWindows object(platform);
        object.ShowSysInfo();
        QCOMPARE(int(platform.closedKeys.size()), 2);
        QVERIFY(platform.closedKeys[0] != 0);
        QCOMPARE(platform.closedKeys[1], platform::RegistryKey(0));
        QCOMPARE(int(platform.messages.size()), 1);
    }

    void internet_data()
    {
        QTest::addColumn<qint64>("shellResult");
        QTest::addColumn<bool>("raises");
        QTest::addColumn<bool>("message");

        // clang-format off
        QTest::newRow("0 fails") << qint64(0) << false << true;
        QTest::newRow("2 fails") << qint64(2) << false << true;
        QTest::newRow("32 fails") << qint64(32) << false << true;
        QTest::newRow("33 succeeds") << qint64(33) << false << false;
        QTest::newRow("42 succeeds") << qint64(42) << false << false;
        QTest::newRow("negative is no failure") << qint64(-1) << false << false;
        QTest::newRow("raised failure counts as 0") << qint64(42) << true << true;
        // clang-format on
    }

    void internet()
    {
        QFETCH(qint64, shellResult);
        QFETCH(bool, raises);
        QFETCH(bool, message);
        FakePlatform platform;
        platform.shellResult = static_cast<std::intptr_t>(shellResult);
        platform.shellRaises = raises;
        orvClassWindows object(platform);
        std::int32_t Wnd = 4711;
        std::wstring URL = L"http://example.test/"s;
        object.ShowInternet(Wnd, &URL);

        QCOMPARE(int(platform.shellCalls.size()), 1);
        const FakePlatform::ShellCall &call = platform.shellCalls[0];
        QCOMPARE(call.owner, 4711);
        QCOMPARE(call.verb, L"open"s);
        QCOMPARE(call.file, URL);
        QCOMPARE(call.parameters, std::optional(L"1"s));
        QCOMPARE(call.directory, std::optional(L"1"s));
        QCOMPARE(call.show, 1);
        QCOMPARE(int(platform.messages.size()), message ? 1 : 0);
        if (message) {
            QCOMPARE(platform.messages[0].text, kNoBrowser);
            QCOMPARE(platform.messages[0].flags, 16u);
            QCOMPARE(platform.messages[0].caption, L"OrvelBrowser"s);
        }
    }

    void shellVerbs()
    {
        FakePlatform platform;
        platform.shellExInstance = 11;
        platform.shellExResult = false;
        orvClassWindows object(platform);
        std::int32_t window = 17;

        object.ShowInternet(window);
        QCOMPARE(platform.shellCalls.at(0).file, L""s);

        object.ShowFind(window);
        std::wstring folder = L"C:\\Daten"s;
        object.ShowFind(window, &folder);
        const FakePlatform::ShellCall &find = platform.shellCalls.at(2);
        QCOMPARE(platform.shellCalls.at(1).file, L""s);
        QCOMPARE(find.owner, 17);
        QCOMPARE(find.verb, L"find"s);
        QCOMPARE(find.file, folder);
        QVERIFY(!find.parameters && !find.directory);
        QCOMPARE(find.show, 1);

        // A failed property sheet still answers the record's instance result.
        std::wstring file = L"C:\\Daten\\a.txt"s;
        QCOMPARE(object.ShowFileProperties(window, &file), 11);
        QCOMPARE(object.ShowFileProperties(window), 11);
        const platform::ShellExecuteRecord &record = platform.shellExRecords.at(0);
        QCOMPARE(record.size, 60u);
        QCOMPARE(record.mask, 0x44Cu);
        QCOMPARE(record.window, 17);
        QCOMPARE(record.verb, std::optional(L"properties"s));
        QCOMPARE(record.file, std::optional(file));
        QCOMPARE(record.parameters, std::optional(L""s));
        QCOMPARE(record.directory, std::optional(L""s));
        QCOMPARE(record.show, 0);
        QCOMPARE(platform.shellExRecords.at(1).file, std::optional(L""s));
    }

    void taskbar_data()
    {
        QTest::addColumn<qint32>("window");
        QTest::addColumn<int>("visible"); // -1 left out
        QTest::addColumn<int>("positions");
        QTest::addColumn<quint32>("flags");

        // clang-format off
        QTest::newRow("left out hides") << 65538 << -1 << 1 << 0x80u;
        QTest::newRow("false hides") << 65538 << 0 << 1 << 0x80u;
        QTest::newRow("true shows") << 65538 << 1 << 1 << 0x40u;
        QTest::newRow("no taskbar: nothing") << 0 << 1 << 0 << 0u;
        // clang-format on
    }

    void taskbar()
    {
        QFETCH(qint32, window);
        QFETCH(int, visible);
        QFETCH(int, positions);
        QFETCH(quint32, flags);
        FakePlatform platform;
        platform.taskbar = window;
        orvClassWindows object(platform);
        const Variant result
            = visible < 0 ? object.SetStartleiste() : object.SetStartleiste(visible == 1);
        QVERIFY(std::holds_alternative<std::monostate>(result));
        QCOMPARE(int(platform.windowLookups.size()), 1);
        QCOMPARE(platform.windowLookups[0].first, std::optional(L"Shell_TrayWnd"s));
        QCOMPARE(platform.windowLookups[0].second, std::optional(L""s));
        QCOMPARE(int(platform.positions.size()), positions);
        if (positions == 1) {
            const FakePlatform::WindowPosition &p = platform.positions[0];
            QCOMPARE(p.window, window);
            QCOMPARE(p.insertAfter, 0);
            QVERIFY(p.x == 0 && p.y == 0 && p.width == 0 && p.height == 0);
            QCOMPARE(p.flags, flags);
        }
    }

    void versionProperties_data()
    {
        QTest::addColumn<int>("answer"); // 0 record, 1 query fails, 2 query raises
        QTest::addColumn<quint32>("build");
        QTest::addColumn<qint32>("osBuild");
        QTest::addColumn<qint32>("osMajor");
        QTest::addColumn<qint32>("osMinor");

        // clang-format off
        QTest::newRow("Windows 7") << 0 << 7601u << 7601 << 6 << 1;
        QTest::newRow("build 40000") << 0 << 40000u << 7232 << 6 << 1;
        QTest::newRow("build with high word") << 0 << 0x040A08AEu << 2222 << 6 << 1;
        QTest::newRow("query fails") << 1 << 7601u << 0 << 0 << 0;
        QTest::newRow("query raises") << 2 << 7601u << 0 << 0 << 0;
        // clang-format on
    }

    void versionProperties()
    {
        QFETCH(int, answer);
        QFETCH(quint32, build);
        QFETCH(qint32, osBuild);
        QFETCH(qint32, osMajor);
        QFETCH(qint32, osMinor);
        FakePlatform platform;
        if (answer == 0)
            platform.version = versionRecord(2, 6, 1, build, "Service Pack 1");
        platform.versionRaises = answer == 2;
        const orvClassWindows object(platform);
        QCOMPARE(object.OSBuild(), osBuild);
        QCOMPARE(object.OSMajorVersion(), osMajor);
        QCOMPARE(object.OSMinorVersion(), osMinor);
        for (const std::uint32_t size : platform.versionSizes)
            QCOMPARE(size, 148u);
    }

    void platformName_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::addColumn<std::string>("servicePack");
        QTest::addColumn<std::wstring>("expected");

        // clang-format off
        QTest::newRow("text after the NUL is not read") << true << "B\0junk"s << L"Windows 95 OSR2"s;
        QTest::newRow("code page text") << true << "\xC4rger"s << L"Windows 95\u00C4r"s;
        QTest::newRow("query fails: zeroed record") << false << ""s << L"Unbekanntes Betriebssystem"s;
        // clang-format on
    }

    void platformName()
    {
        QFETCH(bool, answers);
        QFETCH(std::string, servicePack);
        QFETCH(std::wstring, expected);
        FakePlatform platform;
        if (answers)
            platform.version = versionRecord(1, 4, 0, 950, servicePack);
        orvClassWindows object(platform);
        QCOMPARE(object.GetPlatform(), expected);
        QCOMPARE(platform.versionSizes, std::vector<std::uint32_t> { 148u });
    }

    void scriptShellRun_data()
    {
        QTest::addColumn<std::wstring>("path");
        QTest::addColumn<std::wstring>("parameters");
        QTest::addColumn<std::int32_t>("runError"); // 0: Run succeeds
        QTest::addColumn<std::wstring>("command");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<bool>("waitAfter");

        const std::int32_t exception = platform::kDispatchException;
        // clang-format off
        QTest::newRow("quoted") << L"C:\\a b.txt"s << L""s << 0 << L"\"C:\\a b.txt\""s << false << true;
        QTest::newRow("quotes kept") << L"\"C:\\a.txt\""s << L""s << 0 << L"\"C:\\a.txt\""s << false << true;
        QTest::newRow("one quote given") << L"\"C:\\a.txt"s << L"-x"s << 0 << L"\"C:\\a.txt\" -x"s << false << true;
        QTest::newRow("empty path") << L""s << L""s << 0x50 << L"\""s << true << true;
        QTest::newRow("program's exception") << L"a"s << L""s << exception << L"\"a\""s << true << false;
        QTest::newRow("other error") << L"a"s << L""s << 0x50 << L"\"a\""s << true << true;
        // clang-format on
    }

    void scriptShellRun()
    {
        QFETCH(std::wstring, path);
        QFETCH(std::wstring, parameters);
        QFETCH(std::int32_t, runError);
        QFETCH(std::wstring, command);
        QFETCH(bool, failed);
        QFETCH(bool, waitAfter);
        FakePlatform platform;
        if (runError != 0)
            platform.runErrors = { platform::ScriptError { runError, L"x" } };
        orvClassWindows object(platform);
        bool wait = true;
        QCOMPARE(object.Datei_ausführen(path, parameters, wait), failed);
        QCOMPARE(int(platform.runs.size()), 1);
        QCOMPARE(platform.runs[0].command, command);
        QCOMPARE(platform.runs[0].style, 1);
        QVERIFY(platform.runs[0].wait);
        QCOMPARE(wait, waitAfter);
        QCOMPARE(platform.liveShells, 0);
    }

    void scriptHostRegistration_data()
    {
        QTest::addColumn<int>("failingCreations");
        QTest::addColumn<bool>("hostPresent");
        QTest::addColumn<bool>("threadEnds");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<int>("librariesLeft");

        // clang-format off
        QTest::newRow("created at once") << 0 << true << true << false << 0;
        QTest::newRow("registered, created again") << 1 << true << true << false << 0;
        QTest::newRow("never created") << -1 << true << true << true << 0;
        QTest::newRow("no host file: nothing loaded") << -1 << false << true << true << 0;
        QTest::newRow("registration hangs: library kept") << -1 << true << false << true << 1;
        // clang-format on
    }

    void scriptHostRegistration()
    {
        QFETCH(int, failingCreations);
        QFETCH(bool, hostPresent);
        QFETCH(bool, threadEnds);
        QFETCH(bool, failed);
        QFETCH(int, librariesLeft);
        FakePlatform platform;
        const std::wstring host = L"C:\\Windows\\system32\\wshom.ocx";
        platform.failingShellCreations = failingCreations;
        if (hostPresent)
            platform.files.insert(host);
        platform.libraries.insert(host);
        platform.exports.insert("DllRegisterServer");
        platform.threadEnds = threadEnds;
        orvClassWindows object(platform);
        bool wait = false;
        QCOMPARE(object.Datei_ausführen(L"a", L"", wait), failed);
        QCOMPARE(platform.runs.size(), failed ? 0u : 1u);
        if (failingCreations != 0 && hostPresent) {
            QCOMPARE(platform.loaded, std::vector<std::wstring> { host });
            QCOMPARE(platform.lookedUp, std::vector<std::string> { "DllRegisterServer" });
            QCOMPARE(platform.waitedFor, 10000u);
        } else {
            QVERIFY(platform.loaded.empty());
        }
        QCOMPARE(platform.liveLibraries, librariesLeft);
        QCOMPARE(platform.liveThreads, librariesLeft);
        QVERIFY(platform.messages.empty());
    }

    void pdfMessages_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<std::wstring>("message"); // "" for none

        // clang-format off
        QTest::newRow("opened") << true << true << L""s;
        QTest::newRow("missing form") << false << false << L"Das ausgew\u00E4hlte Formular konnte nicht gefunden werden!"s;
        QTest::newRow("no reader") << false << true << L"Es konnte keine g\u00FCltige Version des Acrobat Readers gefunden werden!"s;
        // clang-format on
    }

    void pdfMessages()
    {
        QFETCH(bool, opens);
        QFETCH(bool, exists);
        QFETCH(std::wstring, message);
        FakePlatform platform;
        if (!opens)
            platform.runErrors = { platform::ScriptError { 0x50, L"x" } };
        if (exists)
            platform.files.insert(L"C:\\f.pdf");
        orvClassWindows object(platform);
        QVERIFY(std::holds_alternative<std::monostate>(object.PDF_Öffnen(L"C:\\f.pdf")));
        QVERIFY(!platform.runs[0].wait);
        QCOMPARE(int(platform.messages.size()), message.empty() ? 0 : 1);
        if (!message.empty()) {
            QCOMPARE(platform.messages[0].text, message);
            QCOMPARE(platform.messages[0].caption, L"OrvelBrowser"s);
            QCOMPARE(platform.messages[0].flags, 64u);
        }
    }

    void programRunner_data()
    {
        QTest::addColumn<bool>("spreadsheetOpen");
        QTest::addColumn<bool>("dat");
        QTest::addColumn<bool>("firstRunFails");
        QTest::addColumn<std::vector<std::wstring>>("commands");
        QTest::addColumn<std::vector<std::wstring>>("keys");

        const std::wstring exe = L"C:\\Program Files\\x.exe";
        const std::vector<std::wstring> none;
        // clang-format off
        QTest::newRow("runs as given") << false << false << false << std::vector { exe } << none;
        QTest::newRow("retried in short form") << false << false << true << std::vector { exe, L"C:\\PROGRA~1\\x.exe"s } << none;
        QTest::newRow("spreadsheet brought forward") << true << true << false << none << std::vector { L"% ~"s };
        QTest::newRow("no spreadsheet: runs") << false << true << false << std::vector { exe } << none;
        QTest::newRow("spreadsheet ignored without dat") << true << false << false << std::vector { exe } << none;
        // clang-format on
    }

    void programRunner()
    {
        QFETCH(bool, spreadsheetOpen);
        QFETCH(bool, dat);
        QFETCH(bool, firstRunFails);
        QFETCH(std::vector<std::wstring>, commands);
        QFETCH(std::vector<std::wstring>, keys);
        FakePlatform platform;
        if (spreadsheetOpen) {
            platform.windowsByClass[L"XLMAIN"] = 0x77;
            platform.windowTitles[0x77] = "Mappe1";
        }
        if (firstRunFails)
            platform.runErrors = { platform::ScriptError { 0x50, L"x" } };
        platform.shortPaths[L"C:\\Program Files\\x.exe"] = "C:\\PROGRA~1\\x.exe";
        orvClassWindows object(platform);
        std::wstring exe = L"C:\\Program Files\\x.exe";
        bool wait = true;
        QCOMPARE(object.EXE_ausführen(exe, wait, dat), false);
        std::vector<std::wstring> ran;
        for (const auto &run : platform.runs)
            ran.push_back(run.command);
        QCOMPARE(ran, commands);
        QCOMPARE(platform.sentKeys, keys);
        QCOMPARE(platform.activated,
            keys.empty() ? std::vector<std::wstring> {} : std::vector { L"Mappe1"s });
        QCOMPARE(platform.liveShells, 0);
    }

    void programRunnerWithoutShell()
    {
        FakePlatform platform;
        platform.failingShellCreations = -1;
        orvClassWindows object(platform);
        std::wstring exe = L"x.exe";
        bool wait = false, dat = false;
        QCOMPARE(object.EXE_ausführen(exe, wait, dat), true);
        QCOMPARE(int(platform.messages.size()), 1);
        QCOMPARE(platform.messages[0].text,
            L"FehlerNr.:= 429\r\rActiveX component can't create object"s);
        QCOMPARE(platform.messages[0].caption, L"Fehlerinformation"s);
        QCOMPARE(platform.messages[0].flags, 16u);
        QVERIFY(platform.runs.empty());
    }

    void shellFileOperations_data()
    {
        QTest::addColumn<std::function<void(orvClassWindows &)>>("call");
        QTest::addColumn<std::uint32_t>("function");
        QTest::addColumn<bool>("target");
        QTest::addColumn<std::uint16_t>("flags");

        using Call = std::function<void(orvClassWindows &)>;
        // clang-format off
        QTest::newRow("copy") << Call([](orvClassWindows &o) { o.FileCopy(9, L"C:\\a", L"C:\\b"); }) << 2u << true << std::uint16_t(0x40);
        QTest::newRow("move") << Call([](orvClassWindows &o) { o.FileMove(9, L"C:\\a", L"C:\\b"); }) << 1u << true << std::uint16_t(0x40);
        QTest::newRow("delete to the bin") << Call([](orvClassWindows &o) { std::int32_t w = 9; o.FileDelete(w, L"C:\\a"); }) << 3u << false << std::uint16_t(0x40);
        QTest::newRow("delete for good") << Call([](orvClassWindows &o) { std::int32_t w = 9; o.FileDelete(w, L"C:\\a", true); }) << 3u << false << std::uint16_t(0);
        // clang-format on
    }

    void shellFileOperations()
    {
        QFETCH(std::function<void(orvClassWindows &)>, call);
        QFETCH(std::uint32_t, function);
        QFETCH(bool, target);
        QFETCH(std::uint16_t, flags);
        FakePlatform platform;
        orvClassWindows object(platform);
        call(object);
        QCOMPARE(int(platform.fileOperations.size()), 1);
        const auto &record = platform.fileOperations[0];
        QCOMPARE(record.owner, 9);
        QCOMPARE(record.function, function);
        QCOMPARE(record.from, L"C:\\a\0\0"s);
        QCOMPARE(record.to, target ? std::optional(L"C:\\b\0\0"s) : std::nullopt);
        QCOMPARE(record.flags, flags);
    }

    void clipboardBlock()
    {
        FakePlatform platform;
        orvClassWindows object(platform);
        std::vector<std::wstring> files { L"C:\\a.txt", L"C:\\b.txt" };
        QVERIFY(object.FileCopyClipboard(files));
        const std::string expected = "\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                                     "C:\\a.txt\0C:\\b.txt\0\0"s;
        QCOMPARE(expected.size(), std::size_t(20 + 19));
        QCOMPARE(platform.clipboard[15], expected);
        QCOMPARE(platform.allocationFlags, 0x42u);
        QCOMPARE(platform.calls,
            (std::vector<std::string> {
                "openClipboard", "emptyClipboard", "setClipboardData", "closeClipboard" }));
        std::vector<std::wstring> pasted { L"old" };
        QCOMPARE(object.FilePasteClipboard(pasted), 2);
        QCOMPARE(pasted, files);
    }

    void clipboardFailures_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("allocates");
        QTest::addColumn<bool>("accepts");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("result");
        QTest::addColumn<std::optional<FailureCode>>("failure");

        const std::optional<FailureCode> none;
        // clang-format off
        QTest::newRow("cannot open") << false << true << true << false << false << none;
        QTest::newRow("no memory") << true << false << true << false << false << none;
        QTest::newRow("refused") << true << true << false << false << false << none;
        QTest::newRow("no elements") << true << true << true << true << false << std::optional(FailureCode::SubscriptOutOfRange);
        // clang-format on
    }

    void clipboardFailures()
    {
        QFETCH(bool, opens);
        QFETCH(bool, allocates);
        QFETCH(bool, accepts);
        QFETCH(bool, empty);
        QFETCH(bool, result);
        QFETCH(std::optional<FailureCode>, failure);
        FakePlatform platform;
        platform.clipboardOpens = opens;
        platform.allocationFails = !allocates;
        platform.clipboardRefuses = !accepts;
        orvClassWindows object(platform);
        std::vector<std::wstring> files;
        if (!empty)
            files = { L"C:\\a.txt" };
        bool answer = true;
        QCOMPARE(failureOf([&] { answer = object.FileCopyClipboard(files); }), failure);
        if (!failure)
            QCOMPARE(answer, result);
        // Closed once opened, and no block left behind.
        QCOMPARE(platform.calls.back(), opens ? "closeClipboard"s : "openClipboard"s);
        QCOMPARE(platform.liveMemory(), std::size_t(0));
        std::vector<std::wstring> pasted { L"kept" };
        QCOMPARE(object.FilePasteClipboard(pasted), 0);
        QCOMPARE(pasted, std::vector { L"kept"s });
    }

    void folderListing_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("upperBound");

        // clang-format off
        QTest::newRow("none") << 0 << 100;
        QTest::newRow("3") << 3 << 100;
        QTest::newRow("99") << 99 << 100;
        QTest::newRow("100") << 100 << 200;
        QTest::newRow("250") << 250 << 300;
        // clang-format on
    }

    void folderListing()
    {
        QFETCH(int, files);
        QFETCH(int, upperBound);
        FakePlatform platform;
        auto &entries = platform.searches[L"C:\\d\\*.txt"];
        entries.push_back(findEntry(".", 16));
        entries.push_back(findEntry("sub.txt", 16 | 2));
        for (int i = 0; i < files; ++i)
            entries.push_back(findEntry("f" + std::to_string(i) + ".txt", i == 0 ? 2 | 4 : 32));
        orvClassWindows object(platform);
        std::vector<std::wstring> listed { L"old" };
        object.DirFile(listed, L"C:\\d", L"*.txt");
        QCOMPARE(int(listed.size()) - 1, upperBound);
        for (int i = 0; i < int(listed.size()); ++i)
            QCOMPARE(listed[i], i < files ? L"C:\\d\\f" + std::to_wstring(i) + L".txt" : L""s);
        // Same paths with the backslash given.
        std::vector<std::wstring> again;
        object.DirFile(again, L"C:\\d\\", L"*.txt");
        QCOMPARE(again, listed);
    }

    void fileVersion_data()
    {
        QTest::addColumn<bool>("hasInformation");
        QTest::addColumn<bool>("hasRoot");
        QTest::addColumn<std::int32_t>("dat");
        QTest::addColumn<std::wstring>("expected");

        // clang-format off
        QTest::newRow("file version") << true << true << 0 << L"1.-25536.0.7"s;
        QTest::newRow("product version") << true << true << 1 << L"2.0.3.-1"s;
        QTest::newRow("file flags") << true << true << 2 << L"-2147483647"s;
        QTest::newRow("other dat") << true << true << 3 << L""s;
        QTest::newRow("no information") << false << true << 0 << L"-"s;
        QTest::newRow("no root block") << true << false << 0 << L"-"s;
        // clang-format on
    }

    void fileVersion()
    {
        QFETCH(bool, hasInformation);
        QFETCH(bool, hasRoot);
        QFETCH(std::int32_t, dat);
        QFETCH(std::wstring, expected);
        FakePlatform platform;
        // A block at offset 8: signature, structure version, file version
        // 1.40000.0.7, product version 2.0.3.65535, flags mask, flags.
        std::string data(8, 'x');
        for (const std::uint32_t field : { 0xFEEF04BDu, 0x10000u, 0x00019C40u, 0x00000007u,
                 0x00020000u, 0x0003FFFFu, 0x3Fu, 0x80000001u })
            for (int i = 0; i < 4; ++i)
                data.push_back(char((field >> (8 * i)) & 0xFF));
        data.resize(8 + 52, '\0');
        if (hasInformation)
            platform.versionData = data;
        platform.versionRoot = hasRoot ? std::optional<std::size_t>(8) : std::nullopt;
        orvClassWindows object(platform);
        std::wstring file = L"C:\\x.dll";
        QCOMPARE(object.GetFileVersion(file, dat), expected);
    }

    void fileTimes_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("read");

        // clang-format off
        QTest::newRow("read") << true << false << true;
        QTest::newRow("missing") << false << false << false;
        QTest::newRow("open elsewhere") << true << true << false;
        // clang-format on
    }

    void fileTimes()
    {
        QFETCH(bool, exists);
        QFETCH(bool, locked);
        QFETCH(bool, read);
        FakePlatform platform;
        const std::wstring file = L"C:\\t.txt";
        if (exists)
            platform.fileTimes[file] = { 100, 200, 300 };
        if (locked)
            platform.lockedFiles.insert(file);
        platform.localBias = 5;
        platform.calendar[105] = { 2001, 2, 0, 3, 4, 5, 6, 700 };
        platform.calendar[205] = { 2002, 2, 0, 3, 4, 5, 6, 0 };
        platform.calendar[305] = { 2024, 3, 0, 9, 9, 5, 7, 800 };
        orvClassWindows object(platform);
        const DateTime before { 1999, 1, 1, 1, 1, 1 };
        DateTime creation = before, access = before, write = before, lastWrite = before;
        QCOMPARE(object.ReadFileTime(file, creation, access, write), read);
        QCOMPARE(object.ReadFileLastTime(file, lastWrite), read);
        QCOMPARE(creation, (read ? DateTime { 2001, 2, 3, 4, 5, 6 } : before));
        QCOMPARE(access, (read ? DateTime { 2002, 2, 3, 4, 5, 6 } : before));
        // 09:05:07.8 is 09:05:07.
        QCOMPARE(write, (read ? DateTime { 2024, 3, 9, 9, 5, 7 } : before));
        QCOMPARE(lastWrite, write);
        QCOMPARE(platform.openedFiles[0].access, 0x80000000u);
        QCOMPARE(platform.openedFiles[0].share, 0u);
        QCOMPARE(platform.openedFiles[0].disposition, 3u);
        // An invalid handle goes on to the failing time query and is closed too.
        QCOMPARE(platform.closedHandles.size(), 2u);
    }

    void shortName_data()
    {
        QTest::addColumn<std::string>("shortPath"); // "" for a missing path
        QTest::addColumn<std::wstring>("expected");

        // clang-format off
        QTest::newRow("short") << "C:\\PROGRA~1\\a.exe"s << L"C:\\PROGRA~1\\a.exe"s;
        QTest::newRow("missing") << ""s << L""s;
        QTest::newRow("longer than the buffer") << std::string(140, 'a') << std::wstring(140, L'a');
        // clang-format on
    }

    void shortName()
    {
        QFETCH(std::string, shortPath);
        QFETCH(std::wstring, expected);
        FakePlatform platform;
        if (!shortPath.empty())
            platform.shortPaths[L"C:\\long path"] = shortPath;
        orvClassWindows object(platform);
        QCOMPARE(object.GetShortFileName(L"C:\\long path"), expected);
        QVERIFY(platform.messages.empty());
    }

    void folders_data()
    {
        QTest::addColumn<std::optional<std::string>>("chosen");
        QTest::addColumn<std::wstring>("expected");

        // clang-format off
        QTest::newRow("folder") << std::optional("C:\\Temp"s) << L"C:\\Temp\\"s;
        QTest::newRow("drive root") << std::optional("C:\\"s) << L"C:\\"s;
        QTest::newRow("cancelled") << std::optional<std::string>() << L""s;
        // clang-format on
    }

    void folders()
    {
        QFETCH(std::optional<std::string>, chosen);
        QFETCH(std::wstring, expected);
        FakePlatform platform;
        platform.chosenFolder = chosen;
        orvClassWindows object(platform);
        std::int32_t owner = 12;
        std::wstring given = L"D:\\Start";
        QCOMPARE(object.GetBrowseDirectory(owner, &given), expected);
        const auto &info = platform.browsed.at(0);
        QCOMPARE(info.owner, 12);
        QCOMPARE(info.title, L"ZARE Pfad ausw\u00E4hlen"s);
        QCOMPARE(info.flags, 1u);
        QCOMPARE(info.displayName, "D:\\Start" + std::string(254 - 8, ' '));
        QCOMPARE(platform.liveItemLists(), std::size_t(0));
        QCOMPARE(object.GetShellPersonalLocation(owner), L"C:\\Users\\u\\Documents"s);
        platform.specialFolderResult = -1;
        QCOMPARE(object.GetShellPersonalLocation(owner), L""s);
    }

    void shellFileInformation()
    {
        FakePlatform platform;
        std::copy_n("a.txt\0junk", 10, platform.fileInfo.displayName.begin());
        std::copy_n("Textdokument", 12, platform.fileInfo.typeName.begin());
        platform.fileInfo.iconIndex = 7;
        orvClassWindows object(platform);
        std::wstring file = L"C:\\a.txt";
        QCOMPARE(object.GetFileEx(file), L"a.txt|Textdokument"s);
        TestPicture picture;
        std::wstring names;
        QVERIFY(object.GetFileIconEx(picture, file, true, &names));
        QCOMPARE(names, L"a.txt|Textdokument"s);
        QCOMPARE(platform.fileInfoFlags, (std::vector<std::uint32_t> { 0x6605, 0x6604 }));
        QCOMPARE(platform.drawn.at(0).index, 7);
        QCOMPARE(platform.drawn.at(0).style, 1u);
        QCOMPARE(picture.log, "clear,picture"s);
        platform.imageList = 0;
        QVERIFY(!object.GetFileIconEx(picture, file));
        // The icon: drawn between yields, the yield's count as result.
        platform.openWindows = 3;
        QCOMPARE(object.GetFileIcon(picture, file), Variant(std::int32_t(3)));
        QCOMPARE(std::count(platform.calls.begin(), platform.calls.end(), "doEvents"s), 3);
    }

    void comboListWidth_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<std::optional<double>>("fixWidth");
        QTest::addColumn<std::optional<double>>("scaleMode");
        QTest::addColumn<std::uintptr_t>("pixels");

        const std::optional<double> none;
        // Entries are 10 twips per character on a form in twips (15 per pixel).
        // clang-format off
        QTest::newRow("8 entries: margin only") << 8 << none << none << std::uintptr_t((80 + 75) / 15 + 0);
        QTest::newRow("9 entries: margin and scroll bar") << 9 << none << none << std::uintptr_t(6 + 5 + 15);
        QTest::newRow("no entries") << 0 << none << none << std::uintptr_t(5);
        QTest::newRow("fixed in twips") << 0 << std::optional(3000.0) << std::optional(1.0) << std::uintptr_t(200);
        QTest::newRow("fixed without mode: form's") << 0 << std::optional(3000.0) << none << std::uintptr_t(200);
        QTest::newRow("half goes to even") << 0 << std::optional(37.5) << std::optional(1.0) << std::uintptr_t(2);
        QTest::newRow("mode alone is replaced") << 3 << none << std::optional(3.0) << std::uintptr_t(2 + 5);
        // clang-format on
    }

    void comboListWidth()
    {
        QFETCH(int, entries);
        QFETCH(std::optional<double>, fixWidth);
        QFETCH(std::optional<double>, scaleMode);
        QFETCH(std::uintptr_t, pixels);
        FakePlatform platform;
        TestCombo combo;
        for (int i = 0; i < entries; ++i)
            combo.entries.push_back(std::wstring(std::size_t(i + 1), L'x'));
        orvClassWindows object(platform);
        object.ComboSetListWidth(combo, fixWidth, scaleMode);
        QCOMPARE(int(platform.sent.size()), 1);
        QCOMPARE(platform.sent[0].window, 0x44);
        QCOMPARE(platform.sent[0].message, 0x160u);
        QCOMPARE(platform.sent[0].wParam, pixels);
    }

    void comboHeight()
    {
        FakePlatform platform;
        platform.windowRects[0x44] = { 110, 220, 260, 241 };
        platform.clientOrigins[0x33] = { 100, 200 };
        TestCombo combo;
        orvClassWindows object(platform);
        object.SetComboBoxHeight(combo, 300);
        QCOMPARE(int(platform.moves.size()), 1);
        QCOMPARE(platform.moves[0].window, 0x44);
        QCOMPARE(platform.moves[0].x, 10);
        QCOMPARE(platform.moves[0].y, 20);
        QCOMPARE(platform.moves[0].width, 150);
        QCOMPARE(platform.moves[0].height, 300);
        QVERIFY(platform.moves[0].repaint);
    }

    void transparentPicture()
    {
        FakePlatform platform;
        platform.backgrounds[0x10] = 0xFFFFFF;
        orvClassWindows object(platform);
        std::int32_t out = 0x30, dst = 0x20, src = 0x10, x = 2, y = 3, xx = 12, yy = 8;
        std::int32_t colour = 0x7F00FF00; // the system keeps only 24 bits
        object.TranspPic(out, dst, src, x, y, xx, yy, 40, 50, colour);
        QCOMPARE(colour, 0x00FF00);
        QCOMPARE(platform.backgrounds[0x10], 0xFFFFFFu);
        std::vector<std::uint32_t> operations;
        for (const auto &blit : platform.blits) {
            operations.push_back(blit.operation);
            QCOMPARE(blit.width, 10);
            QCOMPARE(blit.height, 5);
        }
        QCOMPARE(operations,
            (std::vector<std::uint32_t> {
                0xCC0020, 0x330008, 0xCC0020, 0x8800C6, 0xCC0020, 0x8800C6, 0x660046, 0xCC0020 }));
        QCOMPARE(platform.blits.back().target, 0x30);
        QCOMPARE(platform.blits.back().x, 40);
        QCOMPARE(platform.monochromeBitmaps, 2);
        QCOMPARE(platform.deletedObjects.size(), 4u);
        QCOMPARE(platform.deletedDcs.size(), 4u);
        std::int32_t huge = INT_MAX, negative = -1;
        QCOMPARE(failureOf(
                     [&] { object.TranspPic(out, dst, src, negative, y, huge, yy, 0, 0, colour); }),
            std::optional(FailureCode::Overflow));
    }
};

QTEST_APPLESS_MAIN(TestClassWindows)
#include "tst_classwindows.moc"
