// SPDX-License-Identifier: MIT
// orvClassWindows against a recording platform: what it asks the system for,
// with which values, and how it reads the answers.
#include "FakePlatform.h"
#include "TestText.h"
#include "core/Failure.h"
#include "sysutil/orvClassWindows.h"

#include <QTest>

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

    void laterOperationsSayNotImplemented_data()
    {
        QTest::addColumn<std::function<void(orvClassWindows &)>>("call");

        std::int32_t handle = 0;
        std::wstring text;
        std::vector<std::wstring> list;
        bool flag = false;
        DateTime time;
        // clang-format off
        QTest::newRow("GetBrowseDirectory") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.GetBrowseDirectory(handle); });
        QTest::newRow("GetFileEx") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.GetFileEx(text); });
        QTest::newRow("GetShellPersonalLocation") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.GetShellPersonalLocation(handle); });
        QTest::newRow("FileCopy") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) { o.FileCopy(0, text, text); });
        QTest::newRow("FileMove") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) { o.FileMove(0, text, text); });
        QTest::newRow("FileDelete") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.FileDelete(handle, text); });
        QTest::newRow("FileCopyClipboard") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.FileCopyClipboard(list); });
        QTest::newRow("FilePasteClipboard") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.FilePasteClipboard(list); });
        QTest::newRow("PDF_Öffnen") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) { o.PDF_Öffnen(text); });
        QTest::newRow("Datei_ausführen") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.Datei_ausführen(text, text, flag); });
        QTest::newRow("EXE_ausführen") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.EXE_ausführen(text, flag, flag); });
        QTest::newRow("GetShortFileName") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) { o.GetShortFileName(text); });
        QTest::newRow("GetFileVersion") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.GetFileVersion(text); });
        QTest::newRow("DirFile") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.DirFile(list, text, text); });
        QTest::newRow("ReadFileTime") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.ReadFileTime(text, time, time, time); });
        QTest::newRow("ReadFileLastTime") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.ReadFileLastTime(text, time); });
        QTest::newRow("TranspPic") << std::function<void(orvClassWindows &)>([=](orvClassWindows &o) mutable { o.TranspPic(handle, handle, handle, handle, handle, handle, handle, 0, 0, handle); });
        // clang-format on
    }

    void laterOperationsSayNotImplemented()
    {
        QFETCH(std::function<void(orvClassWindows &)>, call);
        FakePlatform platform;
        orvClassWindows object(platform);
        QCOMPARE(failureOf([&] { call(object); }), std::optional(FailureCode::NotImplemented));
        // Nothing reached the system on the way.
        QVERIFY(platform.started.empty() && platform.shellCalls.empty() && platform.messages.empty()
            && platform.openedRoots.empty());
    }
};

QTEST_APPLESS_MAIN(TestClassWindows)
#include "tst_classwindows.moc"
