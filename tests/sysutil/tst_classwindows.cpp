// SPDX-License-Identifier: MIT
// orvClassWindows's decisions against a platform that fails every call the
// test does not script: what it passes, how it reads the answers, and what it
// does when a call fails.
#include "Expect.h"
#include "FakePlatform.h"
#include "sysutil/orvClassWindows.h"

#include <climits>
#include <map>
#include <set>
#include <utility>

using namespace orv;
using namespace orv::test;
using namespace std::string_literals;

namespace {

const std::wstring kRun = L"rundll32.exe shell32.dll,Control_RunDLL "s;
const std::wstring kPathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"s;
const std::wstring kFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location"s;

// Records started command lines; those in `unstartable` fail, or raise.
struct Starts : FailingPlatform
{
    struct Started
    {
        std::wstring commandLine;
        std::int32_t show;
    };
    std::vector<Started> started;
    std::set<std::wstring> unstartable;
    bool raises = false;
    std::uint32_t startProcess(const std::wstring &line, std::int32_t show) override
    {
        started.push_back({ line, show });
        if (raises)
            fail(FailureCode::ControlFailed, "start raised");
        return unstartable.contains(line) ? kErrorFileNotFound : kErrorSuccess;
    }
};

// The registry: (key, name) -> (type, bytes); open keys are counted.
struct Registry : Starts
{
    std::map<std::wstring, std::map<std::wstring, std::pair<std::uint32_t, std::string>>> keys;
    std::set<std::wstring> files;
    std::map<RegistryKey, std::wstring> open;
    std::vector<RegistryKey> closed;
    std::uint32_t regOpenKeyEx(
        std::uint32_t root, const std::wstring &key, std::uint32_t, RegistryKey &handle) override
    {
        handle = 0;
        if (root != kHkeyLocalMachine || !keys.contains(key))
            return kErrorFileNotFound;
        handle = 0x100 + open.size() + closed.size();
        open[handle] = key;
        return kErrorSuccess;
    }
    std::uint32_t regQueryValueEx(RegistryKey handle, const std::wstring &name, std::uint32_t &type,
        std::string &data, std::uint32_t &size) override
    {
        const auto &values = keys[open.at(handle)];
        if (!values.contains(name))
            return kErrorFileNotFound;
        const auto &[valueType, bytes] = values.at(name);
        type = valueType;
        const bool fits = bytes.size() <= std::min<std::size_t>(size, data.size());
        size = std::uint32_t(bytes.size());
        if (fits)
            std::copy(bytes.begin(), bytes.end(), data.begin());
        return fits ? kErrorSuccess : kErrorMoreData;
    }
    std::uint32_t regCloseKey(RegistryKey key) override
    {
        closed.push_back(key);
        return open.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
    }
    bool fileExists(const std::wstring &path) override { return files.contains(path); }
};

// The script shell: creations that fail first, Run's errors in order.
struct Shell : FailingPlatform
{
    int failingCreations = 0; // -1: all
    int live = 0;
    std::vector<ScriptError> runErrors;
    struct Run
    {
        std::wstring command;
        std::int32_t style;
        bool wait;
    };
    std::vector<Run> runs;
    std::vector<std::wstring> activated, keys;
    ScriptShell createScriptShell(ScriptError &error) override
    {
        if (failingCreations != 0) {
            failingCreations -= failingCreations > 0;
            return FailingPlatform::createScriptShell(error);
        }
        return ++live;
    }
    void releaseScriptShell(ScriptShell shell) override { live -= shell != 0; }
    bool scriptShellRun(ScriptShell, const std::wstring &command, std::int32_t style, bool wait,
        ScriptError &error) override
    {
        runs.push_back({ command, style, wait });
        if (runs.size() > runErrors.size() || runErrors[runs.size() - 1].number == 0)
            return true;
        error = runErrors[runs.size() - 1];
        return false;
    }
    bool scriptShellAppActivate(ScriptShell, const std::wstring &title) override
    {
        activated.push_back(title);
        return true;
    }
    bool scriptShellSendKeys(ScriptShell, const std::wstring &sent) override
    {
        keys.push_back(sent);
        return true;
    }
};

// A form in twips (15 per pixel) whose font is 10 twips per character.
struct TestForm : FormObject
{
    std::int32_t hWnd() const override { return 0x33; }
    std::int32_t ScaleMode() const override { return 1; }
    double TextWidth(const std::wstring &text) const override { return 10.0 * double(text.size()); }
    double ScaleX(double value, std::int32_t from, std::int32_t to) const override
    {
        return value * (from == 3 ? 15.0 : 1.0) / (to == 3 ? 15.0 : 1.0);
    }
};
struct TestCombo : ComboBoxObject
{
    TestForm form;
    std::vector<std::wstring> entries;
    std::int32_t hWnd() const override { return 0x44; }
    FormObject &Parent() override { return form; }
    std::int32_t ListCount() const override { return std::int32_t(entries.size()); }
    std::wstring List(std::int32_t index) const override { return entries.at(std::size_t(index)); }
};
struct TestPicture : PictureBoxObject
{
    std::string log;
    std::int32_t hDC() const override { return 0x55; }
    void ClearPicture() override { log = "clear"; }
    void PictureFromImage() override { log += ",picture"; }
};

} // namespace

TEST_CASE("applets: pages, the table's edges and start failures")
{
    struct Row
    {
        std::int32_t index, page;
        bool pageGiven;
        std::wstring commandLine;
        std::int32_t show, pageAfter;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { 1, 0, true, kRun + L"appwiz.cpl,,1", 5, 1 }, // software has no page 0
             { 1, 0, false, kRun + L"appwiz.cpl,,1", 5, 0 },
             { 1, -1, true, kRun + L"appwiz.cpl,,-1", 5, -1 },
             { 3, 0, true, kRun + L"desk.cpl,,0", 5, 0 },
             { 0, 0, true, kRun + L"sysdm.cpl @1", 5, 0 }, // no page without a tab
             { 2, 7, true, kRun + L"timedate.cpl", 5, 7 },
             { 26, 0, true, L"Calc.exe", 1, 0 }, { 27, 0, true, L"Control.exe", 1, 0 },
             { -1, 0, true, L"Control.exe", 1, 0 }, { INT_MAX, 0, false, L"Control.exe", 1, 0 },
             { INT_MIN, 0, false, L"Control.exe", 1, 0 } }) {
        CAPTURE(row.index);
        Starts platform;
        orvClassWindows object(platform);
        std::int32_t index = row.index, page = row.page;
        object.ShowControlPanels(index, row.pageGiven ? &page : nullptr);
        REQUIRE(platform.started.size() == 1);
        CHECK(platform.started[0].commandLine == row.commandLine);
        CHECK(platform.started[0].show == row.show);
        CHECK(page == row.pageAfter);
        CHECK(index == row.index);
    }
    // A failed applet is ignored, raised or not; a direct start's failure reaches the caller.
    for (const auto &[index, raises, reaches] : { std::tuple { 2, false, false },
             std::tuple { 2, true, false }, std::tuple { 26, false, true },
             std::tuple { 15, true, true } }) {
        Starts platform;
        platform.unstartable = { kRun + L"timedate.cpl", L"Calc.exe" };
        platform.raises = raises;
        orvClassWindows object(platform);
        std::int32_t Index = index;
        const auto failure = failureOf([&] { object.ShowControlPanels(Index); });
        CHECK(failure.has_value() == reaches);
        if (reaches && !raises)
            CHECK(failure == FailureCode::FileNotFound);
    }
    // clang-format on
}

TEST_CASE("the system information tool: path value, tool folder, or the message")
{
    using Value = std::optional<std::pair<std::uint32_t, std::string>>;
    const auto text = [](const std::string &bytes) {
        return Value({ kRegText, bytes });
    };
    const std::wstring msinfo = L"C:\\Programme\\MSINFO\\MSINFO32.EXE";
    struct Row
    {
        const char *name;
        Value path, folder;
        std::wstring existing, started;
        bool startFails = false;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { "path value", text("C:\\Tools\\i.exe\0"s), {}, L"", L"C:\\Tools\\i.exe" },
             { "without NUL", text("C:\\Tools\\i.exe"s), {}, L"", L"C:\\Tools\\i.exe" },
             { "code page", text("C:\\\xFC" "b.exe\0"s), {}, L"", L"C:\\\u00FCb.exe" },
             { "path wins", text("a.exe\0"s), text("C:\\Programme\\MSINFO\0"s), msinfo, L"a.exe" },
             { "folder with the tool", {}, text("C:\\Programme\\MSINFO\0"s), msinfo, msinfo },
             { "folder ending in backslash", {}, text("C:\\x\\\0"s), L"C:\\x\\\\MSINFO32.EXE", L"C:\\x\\\\MSINFO32.EXE" },
             { "folder without the tool", {}, text("C:\\Programme\\MSINFO\0"s), L"", L"" },
             { "neither value", {}, {}, L"", L"" },
             { "tool does not start", text("C:\\gone.exe\0"s), {}, L"", L"C:\\gone.exe", true },
             { "number value", Value({ kRegNumber, "\x10\0\0\0"s }), {}, L"", L"16" },
             { "binary value: empty path", Value({ kRegBinary, "xy"s }), {}, L"", L"", true },
             { "overflowing number", Value({ kRegNumber, "\x11\x11\x11\x11\x11"s }), {}, L"", L"" },
             { "longer than the buffer", text(std::string(1025, 'x')), {}, L"", L"" },
             { "filling the buffer", text(std::string(1024, 'x')), {}, L"", std::wstring(1024, L'x') },
             { "unreadable value", Value({ 99, ""s }), {}, L"", L"" } }) {
        // clang-format on
        CAPTURE(row.name);
        Registry platform;
        if (row.path)
            platform.keys[kPathKey][L"PATH"] = *row.path;
        if (row.path && row.path->first == 99)
            platform.keys[kPathKey].clear(); // the key is there, its value is not
        if (row.folder)
            platform.keys[kFolderKey][L"MSINFO"] = *row.folder;
        platform.files = { row.existing };
        if (row.startFails)
            platform.unstartable = { row.started };
        orvClassWindows object(platform);
        object.ShowSysInfo();
        const bool starts = !row.started.empty() || row.startFails;
        REQUIRE(platform.started.size() == (starts ? 1u : 0u));
        if (starts)
            CHECK(
                (platform.started[0].commandLine == row.started && platform.started[0].show == 1));
        const bool message = row.started.empty() || row.startFails;
        REQUIRE(platform.messages.size() == (message ? 1u : 0u));
        if (message) {
            CHECK(platform.messages[0].text == L"System Information Is Unavailable At This Time");
            CHECK(platform.messages[0].caption == L"OrvelBrowser");
            CHECK(platform.messages[0].flags == 0u);
        }
        // Every key opened is closed; a failed opening closes 0.
        CHECK(platform.open.empty());
    }
}

TEST_CASE("the shell: a result of 0 to 32 fails, the verbs and the property sheet")
{
    for (const auto &[result, raises, message] : { std::tuple { 0, false, true },
             std::tuple { 32, false, true }, std::tuple { 33, false, false },
             std::tuple { -1, false, false }, std::tuple { 42, true, true } }) {
        CAPTURE(result);
        struct : FakePlatform
        {
            bool raises = false;
            std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
                const std::wstring &file, const std::optional<std::wstring> &parameters,
                const std::optional<std::wstring> &directory, std::int32_t show) override
            {
                FakePlatform::shellExecute(owner, verb, file, parameters, directory, show);
                if (raises)
                    fail(FailureCode::ControlFailed, "shell raised");
                return shellResult;
            }
        } platform;
        platform.shellResult = result;
        platform.raises = raises;
        orvClassWindows object(platform);
        std::int32_t window = 4711;
        std::wstring url = L"http://example.test/";
        object.ShowInternet(window, &url);
        REQUIRE(platform.shellCalls.size() == 1);
        const auto &call = platform.shellCalls[0];
        CHECK((call.owner == 4711 && call.verb == L"open" && call.file == url && call.show == 1));
        CHECK((call.parameters == L"1" && call.directory == L"1"));
        REQUIRE(platform.messages.size() == (message ? 1u : 0u));
        if (message) {
            CHECK(platform.messages[0].text
                == L"Der Internet-Browser konnte nicht gestartet werden!");
            CHECK(platform.messages[0].flags == 16u);
        }
    }
    struct : FakePlatform
    {
        std::vector<ShellExecuteRecord> records;
        bool shellExecuteEx(ShellExecuteRecord &record) override
        {
            record.instanceResult = 11;
            records.push_back(record);
            return false;
        }
    } platform;
    orvClassWindows object(platform);
    std::int32_t window = 17;
    std::wstring folder = L"C:\\Daten";
    object.ShowFind(window, &folder);
    object.ShowFind(window);
    REQUIRE(platform.shellCalls.size() == 2);
    CHECK((platform.shellCalls[0].verb == L"find" && platform.shellCalls[0].file == folder));
    CHECK((!platform.shellCalls[0].parameters && !platform.shellCalls[0].directory));
    CHECK(platform.shellCalls[1].file == L"");
    // A failed property sheet still answers the record's instance result.
    std::wstring file = L"C:\\Daten\\a.txt";
    CHECK(object.ShowFileProperties(window, &file) == 11);
    CHECK(object.ShowFileProperties(window) == 11);
    REQUIRE(platform.records.size() == 2);
    CHECK((platform.records[0].verb == L"properties" && platform.records[0].file == file));
    CHECK((platform.records[0].window == 17 && platform.records[1].file == L""));
}

TEST_CASE("the version record: build bits, the service pack text, failed queries")
{
    struct Version : FailingPlatform
    {
        std::optional<OsVersionInfo> record;
        bool raises = false;
        bool getVersionEx(OsVersionInfo &info) override
        {
            if (raises)
                fail(FailureCode::ControlFailed, "version query raised");
            if (record)
                info = *record;
            return record.has_value();
        }
    };
    struct Row
    {
        int answer; // 0 record, 1 query fails, 2 query raises
        std::uint32_t platformId, minor, build;
        std::string servicePack;
        std::int32_t osBuild, osMinor;
        std::wstring name;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { 0, 2, 1, 7601, "Service Pack 1", 7601, 1, L"Windows Vista" },
             { 0, 2, 1, 40000, "", 7232, 1, L"Windows Vista" },
             { 0, 1, 0, 0x040A08AE, "B\0junk"s, 2222, 0, L"Windows 95 OSR2" }, // text ends at its NUL
             { 0, 1, 0, 950, "\xC4rger", 950, 0, L"Windows 95\u00C4r" },
             { 1, 2, 1, 7601, "", 0, 0, L"Unbekanntes Betriebssystem" },
             { 2, 2, 1, 7601, "", 0, 0, L"" } }) {
        // clang-format on
        CAPTURE(row.build);
        Version platform;
        if (row.answer == 0) {
            OsVersionInfo record { kOsVersionInfoSize, row.platformId == 2 ? 6u : 4u, row.minor,
                row.build, row.platformId, {} };
            std::copy(row.servicePack.begin(), row.servicePack.end(), record.servicePack.begin());
            platform.record = record;
        }
        platform.raises = row.answer == 2;
        orvClassWindows object(platform);
        CHECK(object.OSBuild() == row.osBuild);
        CHECK(object.OSMinorVersion() == row.osMinor);
        CHECK(object.OSMajorVersion()
            == (row.answer == 0 ? std::int32_t(platform.record->majorVersion) : 0));
        if (row.answer != 2)
            CHECK(object.GetPlatform() == row.name);
    }
}

TEST_CASE("running a file: quoting, the wait flag written back, the shell released")
{
    struct Row
    {
        std::wstring path, parameters;
        std::int32_t runError;
        std::wstring command;
        bool failed, waitAfter;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { L"C:\\a b.txt", L"", 0, L"\"C:\\a b.txt\"", false, true },
             { L"\"C:\\a.txt\"", L"", 0, L"\"C:\\a.txt\"", false, true },
             { L"\"C:\\a.txt", L"-x", 0, L"\"C:\\a.txt\" -x", false, true },
             { L"", L"", 0x50, L"\"", true, true },
             { L"a", L"", kDispatchException, L"\"a\"", true, false }, // the program's exception
             { L"a", L"", 0x50, L"\"a\"", true, true } }) {
        // clang-format on
        CAPTURE(row.command);
        Shell platform;
        platform.runErrors = { { row.runError, L"x" } };
        orvClassWindows object(platform);
        bool wait = true;
        CHECK(object.Datei_ausführen(row.path, row.parameters, wait) == row.failed);
        REQUIRE(platform.runs.size() == 1);
        CHECK((platform.runs[0].command == row.command && platform.runs[0].style == 1));
        CHECK(platform.runs[0].wait);
        CHECK(wait == row.waitAfter);
        CHECK(platform.live == 0);
    }
}

TEST_CASE("the script host is registered when no shell object can be made")
{
    struct Host : Shell
    {
        bool hostPresent = true, threadEnds = true;
        int libraries = 0, threads = 0;
        std::vector<std::wstring> loaded;
        std::uint32_t waited = 0;
        bool fileExists(const std::wstring &path) override
        {
            return hostPresent && path == L"C:\\Windows\\system32\\wshom.ocx";
        }
        LibraryHandle loadLibrary(const std::wstring &path) override
        {
            loaded.push_back(path);
            return ++libraries;
        }
        ProcAddress getProcAddress(LibraryHandle, const std::string &name) override
        {
            return name == "DllRegisterServer" ? 0x4100 : 0;
        }
        bool freeLibrary(LibraryHandle) override { return libraries-- > 0; }
        ThreadHandle createThread(ProcAddress) override { return ++threads; }
        std::uint32_t waitForSingleObject(ThreadHandle, std::uint32_t ms) override
        {
            waited = ms;
            return threadEnds ? 0 : 258;
        }
        bool closeThreadHandle(ThreadHandle) override { return threads-- > 0; }
    };
    struct Row
    {
        const char *name;
        int failingCreations;
        bool hostPresent, threadEnds, failed;
        int librariesLeft;
    };
    for (const Row &row : { Row { "created at once", 0, true, true, false, 0 },
             Row { "registered, created again", 1, true, true, false, 0 },
             Row { "never created", -1, true, true, true, 0 },
             Row { "no host file: nothing loaded", -1, false, true, true, 0 },
             Row { "registration hangs: library kept", -1, true, false, true, 1 } }) {
        CAPTURE(row.name);
        Host platform;
        platform.failingCreations = row.failingCreations;
        platform.hostPresent = row.hostPresent;
        platform.threadEnds = row.threadEnds;
        orvClassWindows object(platform);
        bool wait = false;
        CHECK(object.Datei_ausführen(L"a", L"", wait) == row.failed);
        CHECK(platform.runs.size() == (row.failed ? 0u : 1u));
        const bool registers = row.failingCreations != 0 && row.hostPresent;
        CHECK(platform.loaded.size() == (registers ? 1u : 0u));
        CHECK(platform.waited == (registers ? 10000u : 0u));
        CHECK((platform.libraries == row.librariesLeft && platform.threads == row.librariesLeft));
        CHECK(platform.messages.empty());
    }
}

TEST_CASE("documents and programs: the PDF messages, the spreadsheet, the short-name retry")
{
    for (const auto &[opens, exists, message] :
        { std::tuple { true, true, L""s },
            std::tuple {
                false, false, L"Das ausgew\u00E4hlte Formular konnte nicht gefunden werden!"s },
            std::tuple { false, true,
                L"Es konnte keine g\u00FCltige Version des Acrobat Readers gefunden werden!"s } }) {
        struct : Shell
        {
            bool exists = false;
            bool fileExists(const std::wstring &) override { return exists; }
        } platform;
        platform.exists = exists;
        if (!opens)
            platform.runErrors = { { 0x50, L"x" } };
        orvClassWindows object(platform);
        CHECK(std::holds_alternative<std::monostate>(object.PDF_Öffnen(L"C:\\f.pdf")));
        CHECK_FALSE(platform.runs.at(0).wait);
        REQUIRE(platform.messages.size() == (message.empty() ? 0u : 1u));
        if (!message.empty())
            CHECK((platform.messages[0].text == message && platform.messages[0].flags == 64u));
    }
    const std::wstring exe = L"C:\\Program Files\\x.exe";
    struct Row
    {
        bool spreadsheetOpen, dat, firstRunFails;
        std::vector<std::wstring> commands, keys;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { false, false, false, { exe }, {} },
             { false, false, true, { exe, L"C:\\PROGRA~1\\x.exe" }, {} },
             { true, true, false, {}, { L"% ~" } }, // the spreadsheet brought forward
             { false, true, false, { exe }, {} }, { true, false, false, { exe }, {} } }) {
        // clang-format on
        struct : Shell
        {
            bool spreadsheet = false;
            WindowHandle findWindow(const std::optional<std::wstring> &className,
                const std::optional<std::wstring> &) override
            {
                return spreadsheet && className == L"XLMAIN" ? 0x77 : 0;
            }
            std::int32_t getWindowText(WindowHandle, std::string &buffer, std::int32_t) override
            {
                buffer.replace(0, 7, "Mappe1\0"s);
                return 6;
            }
            std::uint32_t getShortPathName(
                const std::wstring &, std::string &buffer, std::uint32_t) override
            {
                buffer.replace(0, 18, "C:\\PROGRA~1\\x.exe\0"s);
                return 17;
            }
        } platform;
        platform.spreadsheet = row.spreadsheetOpen;
        if (row.firstRunFails)
            platform.runErrors = { { 0x50, L"x" } };
        orvClassWindows object(platform);
        std::wstring program = exe;
        bool wait = true, dat = row.dat;
        CHECK_FALSE(object.EXE_ausführen(program, wait, dat));
        std::vector<std::wstring> ran;
        for (const auto &run : platform.runs)
            ran.push_back(run.command);
        CHECK(ran == row.commands);
        CHECK(platform.keys == row.keys);
        CHECK(platform.activated.size() == row.keys.size());
        CHECK(platform.live == 0);
    }
    Shell platform;
    platform.failingCreations = -1;
    orvClassWindows object(platform);
    std::wstring program = L"x.exe";
    bool wait = false, dat = false;
    CHECK(object.EXE_ausführen(program, wait, dat));
    REQUIRE(platform.messages.size() == 1);
    CHECK(platform.messages[0].text == L"FehlerNr.:= 429\r\rActiveX component can't create object");
    CHECK((
        platform.messages[0].caption == L"Fehlerinformation" && platform.messages[0].flags == 16u));
}

TEST_CASE("clipboard failures: closed once opened, no block left, nothing pasted")
{
    struct Clipboard : FailingPlatform
    {
        bool opens = true, allocates = true, accepts = true, isOpen = false;
        std::map<MemoryHandle, std::string> memory;
        bool openClipboard(WindowHandle) override { return isOpen = opens; }
        bool closeClipboard() override { return !(isOpen = false); }
        bool emptyClipboard() override { return true; }
        MemoryHandle globalAlloc(std::uint32_t, std::size_t size) override
        {
            if (!allocates)
                return 0;
            memory[memory.size() + 1] = std::string(size, '\0');
            return memory.size();
        }
        std::uint8_t *globalLock(MemoryHandle block, std::size_t &size) override
        {
            size = memory.at(block).size();
            return reinterpret_cast<std::uint8_t *>(memory.at(block).data());
        }
        MemoryHandle globalFree(MemoryHandle block) override
        {
            return memory.erase(block) ? 0 : block;
        }
        MemoryHandle setClipboardData(std::uint32_t, MemoryHandle) override { return 0; }
    };
    for (const auto &[opens, allocates, empty] :
        { std::tuple { false, true, false }, std::tuple { true, false, false },
            std::tuple { true, true, false }, std::tuple { true, true, true } }) {
        Clipboard platform;
        platform.opens = opens;
        platform.allocates = allocates;
        orvClassWindows object(platform);
        std::vector<std::wstring> files;
        if (!empty)
            files = { L"C:\\a.txt" };
        bool answer = true;
        const auto failure = failureOf([&] { answer = object.FileCopyClipboard(files); });
        CHECK(failure == (empty ? std::optional(FailureCode::SubscriptOutOfRange) : std::nullopt));
        CHECK((failure || !answer));
        CHECK_FALSE(platform.isOpen);
        CHECK(platform.memory.empty());
        std::vector<std::wstring> pasted { L"kept" };
        CHECK(object.FilePasteClipboard(pasted) == 0);
        CHECK(pasted == std::vector { L"kept"s });
    }
}

TEST_CASE("folder listing: folders skipped, the list grows by hundreds")
{
    struct Search : FailingPlatform
    {
        std::vector<FindData> entries;
        std::size_t at = 0;
        SearchHandle findFirstFile(const std::wstring &pattern, FindData &data) override
        {
            if (pattern != L"C:\\d\\*.txt")
                return kInvalidSearchHandle;
            at = 0;
            return findNextFile(77, data) ? 77 : kInvalidSearchHandle;
        }
        bool findNextFile(SearchHandle, FindData &data) override
        {
            if (at < entries.size())
                data = entries[at++];
            return at <= entries.size() && data.fileName[0] != 0;
        }
    };
    const auto entry = [](const std::string &name, std::uint32_t attributes) {
        FindData data;
        data.attributes = attributes;
        std::copy(name.begin(), name.end(), data.fileName.begin());
        return data;
    };
    for (const auto &[files, upperBound] : { std::pair { 0, 100 }, std::pair { 3, 100 },
             std::pair { 99, 100 }, std::pair { 100, 200 }, std::pair { 250, 300 } }) {
        CAPTURE(files);
        Search platform;
        platform.entries = { entry(".", 16), entry("sub.txt", 16 | 2) };
        for (int i = 0; i < files; ++i)
            platform.entries.push_back(
                entry("f" + std::to_string(i) + ".txt", i == 0 ? 2 | 4 : 32));
        platform.entries.push_back(FindData {}); // the search's end
        orvClassWindows object(platform);
        std::vector<std::wstring> listed { L"old" };
        object.DirFile(listed, L"C:\\d", L"*.txt");
        REQUIRE(int(listed.size()) - 1 == upperBound);
        for (int i = 0; i < int(listed.size()); ++i)
            CHECK(listed[i] == (i < files ? L"C:\\d\\f" + std::to_wstring(i) + L".txt" : L""s));
        std::vector<std::wstring> again;
        object.DirFile(again, L"C:\\d\\", L"*.txt");
        CHECK(again == listed);
    }
}

TEST_CASE("file information: versions, short names, times, names and icons")
{
    struct Info : FailingPlatform
    {
        std::optional<std::string> versionData;
        std::optional<std::size_t> root;
        std::string shortPath;
        bool locked = false, exists = true;
        int closed = 0, yields = 0;
        std::vector<std::int32_t> drawnIndexes;
        std::uintptr_t imageList = 0x5000;
        std::uint32_t getFileVersionInfoSize(const std::wstring &) override
        {
            return versionData ? std::uint32_t(versionData->size()) : 0;
        }
        bool getFileVersionInfo(const std::wstring &, std::string &data) override
        {
            data = *versionData;
            return true;
        }
        bool verQueryValue(const std::string &, const std::wstring &block,
            std::optional<std::size_t> &offset, std::uint32_t &length) override
        {
            offset = root;
            length = 52;
            return block == L"\\" && root;
        }
        std::uint32_t getShortPathName(
            const std::wstring &, std::string &buffer, std::uint32_t length) override
        {
            if (shortPath.empty() || shortPath.size() >= length)
                return shortPath.empty() ? 0 : std::uint32_t(shortPath.size() + 1);
            buffer.replace(0, shortPath.size() + 1, shortPath + '\0');
            return std::uint32_t(shortPath.size());
        }
        FileHandle createFile(const std::wstring &, std::uint32_t, std::uint32_t share,
            std::uint32_t, std::uint32_t) override
        {
            return exists && !(locked && share == 0) ? 0x300 : kInvalidFileHandle;
        }
        bool getFileTime(
            FileHandle file, std::uint64_t &c, std::uint64_t &a, std::uint64_t &w) override
        {
            std::tie(c, a, w) = std::tuple { 100, 200, 300 };
            return file == 0x300;
        }
        bool fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local) override
        {
            local = utc + 5;
            return true;
        }
        bool fileTimeToSystemTime(std::uint64_t time, SystemTime &fields) override
        {
            fields
                = { std::uint16_t(time == 305 ? 2024 : 2000 + time / 100), 3, 0, 9, 9, 5, 7, 800 };
            return true;
        }
        bool closeHandle(FileHandle) override { return ++closed; }
        std::uintptr_t shGetFileInfo(
            const std::wstring &, std::uint32_t, ShellFileInfo &info, std::uint32_t) override
        {
            std::copy_n("a.txt\0junk", 10, info.displayName.begin());
            std::copy_n("Textdokument", 12, info.typeName.begin());
            info.iconIndex = 7;
            return imageList;
        }
        bool imageListDraw(ImageListHandle list, std::int32_t index, DeviceContext, std::int32_t,
            std::int32_t, std::uint32_t) override
        {
            drawnIndexes.push_back(index);
            return list != 0;
        }
        IconHandle extractAssociatedIcon(const std::wstring &, std::uint16_t &) override
        {
            return 6;
        }
        bool drawIcon(DeviceContext, std::int32_t, std::int32_t, IconHandle) override
        {
            return true;
        }
        std::int32_t doEvents() override { return ++yields; }
    };
    // A root block at offset 8: signature, structure version, file version
    // 1.40000.0.7, product version 2.0.3.65535, flags mask, flags.
    std::string data(8, 'x');
    for (const std::uint32_t field : { 0xFEEF04BDu, 0x10000u, 0x00019C40u, 0x00000007u, 0x00020000u,
             0x0003FFFFu, 0x3Fu, 0x80000001u })
        for (int i = 0; i < 4; ++i)
            data.push_back(char((field >> (8 * i)) & 0xFF));
    data.resize(8 + 52, '\0');
    std::wstring dll = L"C:\\x.dll";
    for (const auto &[hasData, hasRoot, dat, expected] :
        { std::tuple { true, true, 0, L"1.-25536.0.7"s },
            std::tuple { true, true, 1, L"2.0.3.-1"s },
            std::tuple { true, true, 2, L"-2147483647"s }, std::tuple { true, true, 3, L""s },
            std::tuple { false, true, 0, L"-"s }, std::tuple { true, false, 0, L"-"s } }) {
        Info platform;
        platform.versionData = hasData ? std::optional(data) : std::nullopt;
        platform.root = hasRoot ? std::optional<std::size_t>(8) : std::nullopt;
        orvClassWindows object(platform);
        CHECK(object.GetFileVersion(dll, dat) == expected);
    }
    for (const std::string &shortPath : { "C:\\PROGRA~1\\a.exe"s, ""s, std::string(140, 'a') }) {
        Info platform;
        platform.shortPath = shortPath;
        orvClassWindows object(platform);
        CHECK(object.GetShortFileName(L"C:\\long path") == platform.fromSystemText(shortPath));
    }
    // Times: read whole seconds in local time; a missing or shared file leaves them.
    for (const auto &[exists, locked] :
        { std::pair { true, false }, std::pair { false, false }, std::pair { true, true } }) {
        Info platform;
        platform.exists = exists;
        platform.locked = locked;
        orvClassWindows object(platform);
        const DateTime before { 1999, 1, 1, 1, 1, 1 };
        DateTime creation = before, access = before, write = before, last = before;
        const bool read = exists && !locked;
        CHECK(object.ReadFileTime(L"C:\\t.txt", creation, access, write) == read);
        CHECK(object.ReadFileLastTime(L"C:\\t.txt", last) == read);
        CHECK(creation == (read ? DateTime { 2001, 3, 9, 9, 5, 7 } : before));
        CHECK(access == (read ? DateTime { 2002, 3, 9, 9, 5, 7 } : before));
        CHECK(write == (read ? DateTime { 2024, 3, 9, 9, 5, 7 } : before));
        CHECK(last == write);
        // An invalid handle goes on to the failing time query and is closed too.
        CHECK(platform.closed == 2);
    }
    Info platform;
    orvClassWindows object(platform);
    std::wstring file = L"C:\\a.txt";
    CHECK(object.GetFileEx(file) == L"a.txt|Textdokument");
    TestPicture picture;
    std::wstring names;
    CHECK(object.GetFileIconEx(picture, file, true, &names));
    CHECK(names == L"a.txt|Textdokument");
    CHECK(platform.drawnIndexes == std::vector { 7 });
    CHECK(picture.log == "clear,picture");
    platform.imageList = 0;
    CHECK_FALSE(object.GetFileIconEx(picture, file));
    // The icon is drawn between yields; the last yield's count is the result.
    CHECK(object.GetFileIcon(picture, file) == Variant(std::int32_t(3)));
}

TEST_CASE("folders: the dialog's buffer and answer, the documents folder")
{
    struct Folders : FailingPlatform
    {
        std::optional<std::string> chosen;
        std::vector<BrowseInfo> browsed;
        std::set<ItemList> live;
        bool documents = true;
        ItemList shBrowseForFolder(BrowseInfo &info) override
        {
            browsed.push_back(info);
            return chosen ? *live.insert(1).first : 0;
        }
        std::int32_t shGetSpecialFolderLocation(
            WindowHandle, std::int32_t folder, ItemList &list) override
        {
            list = documents && folder == 5 ? *live.insert(2).first : 0;
            return list ? 0 : -1;
        }
        bool shGetPathFromIdList(ItemList list, std::string &buffer) override
        {
            if (!live.contains(list))
                return false;
            const std::string path = list == 1 ? *chosen : "C:\\Users\\u\\Documents";
            buffer.replace(0, path.size() + 1, path + '\0');
            return true;
        }
        void coTaskMemFree(ItemList list) override { live.erase(list); }
    };
    for (const auto &[chosen, expected] :
        { std::pair { std::optional("C:\\Temp"s), L"C:\\Temp\\"s },
            std::pair { std::optional("C:\\"s), L"C:\\"s },
            std::pair { std::optional<std::string>(), L""s } }) {
        Folders platform;
        platform.chosen = chosen;
        orvClassWindows object(platform);
        std::int32_t owner = 12;
        std::wstring given = L"D:\\Start";
        CHECK(object.GetBrowseDirectory(owner, &given) == expected);
        const BrowseInfo &info = platform.browsed.at(0);
        CHECK((info.owner == 12 && info.title == L"ZARE Pfad ausw\u00E4hlen"));
        // The start folder fills a buffer of blanks.
        CHECK(info.displayName == "D:\\Start" + std::string(254 - 8, ' '));
        CHECK(object.GetShellPersonalLocation(owner) == L"C:\\Users\\u\\Documents");
        CHECK(platform.live.empty());
        platform.documents = false;
        CHECK(object.GetShellPersonalLocation(owner) == L"");
    }
}

TEST_CASE("controls: the list width and the combo box's height")
{
    struct Windows : FailingPlatform
    {
        std::vector<std::pair<std::uint32_t, std::uintptr_t>> sent;
        std::vector<Rect> moves;
        std::intptr_t sendMessage(
            WindowHandle window, std::uint32_t message, std::uintptr_t w, std::intptr_t) override
        {
            sent.emplace_back(window == 0x44 ? message : 0, w);
            return 0;
        }
        bool getWindowRect(WindowHandle, Rect &rect) override
        {
            rect = { 110, 220, 260, 241 };
            return true;
        }
        bool screenToClient(WindowHandle window, Point &point) override
        {
            point = { point.x - 100 * (window == 0x33), point.y - 200 * (window == 0x33) };
            return true;
        }
        bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, bool repaint) override
        {
            moves.push_back({ x, y, width * (window == 0x44), height * repaint });
            return true;
        }
    };
    const std::optional<double> none;
    // Entries are 10 twips per character on a form in twips (15 per pixel).
    // clang-format off
    for (const auto &[entries, fixWidth, scaleMode, pixels] : {
             std::tuple { 8, none, none, 10u }, std::tuple { 9, none, none, 6u + 5 + 15 },
             std::tuple { 0, none, none, 5u }, std::tuple { 0, std::optional(3000.0), std::optional(1.0), 200u },
             std::tuple { 0, std::optional(3000.0), none, 200u }, // the form's mode
             std::tuple { 0, std::optional(37.5), std::optional(1.0), 2u }, // half to even
             std::tuple { 3, none, std::optional(3.0), 2u + 5 } }) { // a mode alone is replaced
        // clang-format on
        Windows platform;
        TestCombo combo;
        for (int i = 0; i < entries; ++i)
            combo.entries.push_back(std::wstring(std::size_t(i + 1), L'x'));
        orvClassWindows object(platform);
        object.ComboSetListWidth(combo, fixWidth, scaleMode);
        CHECK(platform.sent == std::vector { std::pair { 0x160u, std::uintptr_t(pixels) } });
    }
    Windows platform;
    TestCombo combo;
    orvClassWindows object(platform);
    object.SetComboBoxHeight(combo, 300);
    REQUIRE(platform.moves.size() == 1);
    const Rect move = platform.moves[0];
    CHECK((move.left == 10 && move.top == 20 && move.right == 150 && move.bottom == 300));
}

TEST_CASE("transparent copy: the colour keeps 24 bits, an overflowing size fails")
{
    struct Drawing : FailingPlatform
    {
        std::map<DeviceContext, std::uint32_t> backgrounds { { 0x10, 0xFFFFFF } };
        DeviceContext next = 0x2000;
        DeviceContext createCompatibleDc(DeviceContext) override { return next++; }
        GdiObject createBitmap(std::int32_t, std::int32_t, std::uint32_t, std::uint32_t) override
        {
            return next++;
        }
        GdiObject createCompatibleBitmap(DeviceContext, std::int32_t, std::int32_t) override
        {
            return next++;
        }
        std::uint32_t setBkColor(DeviceContext dc, std::uint32_t colour) override
        {
            return std::exchange(backgrounds[dc], colour & 0xFFFFFF);
        }
    } platform;
    orvClassWindows object(platform);
    std::int32_t out = 0x30, dst = 0x20, src = 0x10, x = 2, y = 3, xx = 12, yy = 8;
    std::int32_t colour = 0x7F00FF00;
    object.TranspPic(out, dst, src, x, y, xx, yy, 40, 50, colour);
    CHECK(colour == 0x00FF00);
    CHECK(platform.backgrounds[0x10] == 0xFFFFFFu); // the source's background is put back
    std::int32_t huge = INT_MAX, negative = -1;
    CHECK(failureOf([&] { object.TranspPic(out, dst, src, negative, y, huge, yy, 0, 0, colour); })
        == FailureCode::Overflow);
}
