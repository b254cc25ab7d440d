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

const W kRun = L"rundll32.exe shell32.dll,Control_RunDLL "s;

// Started command lines recorded; those in `unstartable` fail, or all raise.
struct Starts : FailingPlatform
{
    std::vector<std::pair<W, i32>> started;
    std::set<W> unstartable, files;
    bool raises = false;
    u32 startProcess(const W &line, i32 show) override
    {
        started.emplace_back(line, show);
        if (raises)
            fail(FailureCode::ControlFailed, "start raised");
        return unstartable.contains(line) ? kErrorFileNotFound : kErrorSuccess;
    }
    bool fileExists(const W &path) override { return files.contains(path); }
};

// The system information keys' values by name (PATH, MSINFO); keys are counted open.
struct Registry : Starts
{
    std::map<W, std::pair<u32, std::string>> values;
    int open = 0;
    u32 regOpenKeyEx(u32 root, const W &key, u32, RegistryKey &handle) override
    {
        const bool found = root == kHkeyLocalMachine
            && values.contains(key.ends_with(L"MSINFO") ? L"PATH" : L"MSINFO");
        return (handle = found ? ++open : 0) ? kErrorSuccess : kErrorFileNotFound;
    }
    u32 regQueryValueEx(
        RegistryKey, const W &name, u32 &type, std::string &data, u32 &size) override
    {
        const auto [valueType, bytes] = values.at(name);
        type = valueType;
        const bool fits = bytes.size() <= std::min<std::size_t>(size, data.size());
        size = u32(bytes.size());
        if (fits)
            std::copy(bytes.begin(), bytes.end(), data.begin());
        return valueType == 99 ? kErrorFileNotFound : fits ? kErrorSuccess : kErrorMoreData;
    }
    u32 regCloseKey(RegistryKey key) override
    {
        return key ? (--open, kErrorSuccess) : kErrorInvalidHandle;
    }
};

// The script shell: creations that fail first (-1: all), Run's errors in order.
struct Shell : FailingPlatform
{
    int failingCreations = 0, live = 0;
    std::vector<ScriptError> runErrors;
    std::vector<std::pair<W, bool>> runs; // command, waited for
    std::vector<W> activated, keys;
    ScriptShell createScriptShell(ScriptError &error) override
    {
        if (failingCreations == 0)
            return ++live;
        failingCreations -= failingCreations > 0;
        return FailingPlatform::createScriptShell(error);
    }
    void releaseScriptShell(ScriptShell shell) override { live -= shell != 0; }
    bool scriptShellRun(
        ScriptShell, const W &command, i32 style, bool wait, ScriptError &error) override
    {
        runs.emplace_back(style == 1 ? command : L"style?", wait);
        const bool raised = runs.size() <= runErrors.size() && runErrors[runs.size() - 1].number;
        error = raised ? runErrors[runs.size() - 1] : error;
        return !raised;
    }
    bool scriptShellAppActivate(ScriptShell, const W &title) override
    {
        return (activated.push_back(title), true);
    }
    bool scriptShellSendKeys(ScriptShell, const W &sent) override
    {
        return (keys.push_back(sent), true);
    }
};

struct TestPicture : PictureBoxObject
{
    std::string log;
    i32 hDC() const override { return 0x55; }
    void ClearPicture() override { log = "clear"; }
    void PictureFromImage() override { log += ",picture"; }
};

} // namespace

TEST_CASE("applets: pages, the table's edges and start failures")
{
    struct Row
    {
        i32 index, page;
        bool pageGiven;
        W commandLine;
        i32 show, pageAfter;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { 1, 0, true, kRun + L"appwiz.cpl,,1", 5, 1 }, { 1, 0, false, kRun + L"appwiz.cpl,,1", 5, 0 },
             { 1, -1, true, kRun + L"appwiz.cpl,,-1", 5, -1 }, { 3, 0, true, kRun + L"desk.cpl,,0", 5, 0 },
             { 0, 0, true, kRun + L"sysdm.cpl @1", 5, 0 }, { 2, 7, true, kRun + L"timedate.cpl", 5, 7 },
             { 26, 0, true, L"Calc.exe", 1, 0 }, { 27, 0, true, L"Control.exe", 1, 0 },
             { -1, 0, true, L"Control.exe", 1, 0 }, { INT_MAX, 0, false, L"Control.exe", 1, 0 },
             { INT_MIN, 0, false, L"Control.exe", 1, 0 } }) {
        CAPTURE(row.index);
        Starts platform;
        orvClassWindows object(platform);
        i32 index = row.index, page = row.page;
        object.ShowControlPanels(index, row.pageGiven ? &page : nullptr);
        CHECK(platform.started == std::vector { std::pair { row.commandLine, row.show } });
        CHECK((page == row.pageAfter && index == row.index));
    }
    // A failed applet is ignored, raised or not; a direct start's failure reaches the caller.
    for (const auto &[index, raises, reaches] : { std::tuple { 2, false, false }, std::tuple { 2, true, false },
             std::tuple { 26, false, true }, std::tuple { 15, true, true } }) {
        // clang-format on
        Starts platform;
        platform.unstartable = { kRun + L"timedate.cpl", L"Calc.exe" };
        platform.raises = raises;
        orvClassWindows object(platform);
        i32 Index = index;
        const auto failure = failureOf([&] { object.ShowControlPanels(Index); });
        CHECK(failure.has_value() == reaches);
        CHECK((!reaches || raises || failure == FailureCode::FileNotFound));
    }
}

TEST_CASE("the system information tool: path value, tool folder, or the message")
{
    using Value = std::optional<std::pair<u32, std::string>>;
    const auto text = [](const std::string &bytes) {
        return Value({ kRegText, bytes });
    };
    const W tool = L"C:\\Programme\\MSINFO\\MSINFO32.EXE";
    struct Row
    {
        Value path, folder;
        W existing, started; // started: "" for none
        bool startFails = false;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { text("C:\\Tools\\i.exe\0"s), {}, L"", L"C:\\Tools\\i.exe" },
             { text("C:\\Tools\\i.exe"s), {}, L"", L"C:\\Tools\\i.exe" }, // without NUL
             { text("C:\\\xFC" "b.exe\0"s), {}, L"", L"C:\\\u00FCb.exe" }, // in the code page
             { text("a.exe\0"s), text("C:\\Programme\\MSINFO\0"s), tool, L"a.exe" }, // the path wins
             { {}, text("C:\\Programme\\MSINFO\0"s), tool, tool },
             { {}, text("C:\\x\\\0"s), L"C:\\x\\\\MSINFO32.EXE", L"C:\\x\\\\MSINFO32.EXE" },
             { {}, text("C:\\Programme\\MSINFO\0"s), L"", L"" }, // the folder without the tool
             { {}, {}, L"", L"" },
             { text("C:\\gone.exe\0"s), {}, L"", L"C:\\gone.exe", true },
             { Value({ kRegNumber, "\x10\0\0\0"s }), {}, L"", L"16" },
             { Value({ kRegBinary, "xy"s }), {}, L"", L"", true }, // an empty path, started
             { Value({ kRegNumber, "\x11\x11\x11\x11\x11"s }), {}, L"", L"" }, // overflows
             { text(std::string(1025, 'x')), {}, L"", L"" }, // longer than the buffer
             { text(std::string(1024, 'x')), {}, L"", std::wstring(1024, L'x') },
             { Value({ 99, ""s }), {}, L"", L"" } }) { // the key without its value
        // clang-format on
        CAPTURE(row.started);
        Registry platform;
        if (row.path)
            platform.values[L"PATH"] = *row.path;
        if (row.folder)
            platform.values[L"MSINFO"] = *row.folder;
        platform.files = { row.existing };
        if (row.startFails)
            platform.unstartable = { row.started };
        orvClassWindows object(platform);
        object.ShowSysInfo();
        const bool starts = !row.started.empty() || row.startFails;
        CHECK(platform.started.size() == (starts ? 1u : 0u));
        CHECK((!starts || platform.started[0] == std::pair { row.started, 1 }));
        const bool message = row.started.empty() || row.startFails;
        REQUIRE(platform.messages.size() == (message ? 1u : 0u));
        CHECK((!message
            || platform.messages[0].text == L"System Information Is Unavailable At This Time"));
        CHECK((!message
            || (platform.messages[0].caption == L"OrvelBrowser"
                && platform.messages[0].flags == 0)));
        CHECK(platform.open == 0); // every key opened is closed
    }
}

TEST_CASE("the shell: a result of 0 to 32 fails, the verbs and the property sheet")
{
    for (const auto &[result, raises, message] : { std::tuple { 0, false, true },
             std::tuple { 32, false, true }, std::tuple { 33, false, false },
             std::tuple { -1, false, false }, std::tuple { 42, true, true } }) {
        CAPTURE(result);
        FakePlatform platform;
        platform.shellResult = result;
        platform.shellRaises = raises;
        orvClassWindows object(platform);
        i32 window = 4711;
        W url = L"http://example.test/";
        object.ShowInternet(window, &url);
        REQUIRE(platform.shellCalls.size() == 1);
        const auto &call = platform.shellCalls[0];
        CHECK((call.owner == 4711 && call.verb == L"open" && call.file == url && call.show == 1));
        CHECK((call.parameters == L"1" && call.directory == L"1"));
        REQUIRE(platform.messages.size() == (message ? 1u : 0u));
        CHECK((!message
            || platform.messages[0].text
                == L"Der Internet-Browser konnte nicht gestartet werden!"));
        CHECK((!message || platform.messages[0].flags == 16u));
    }
    FakePlatform platform;
    orvClassWindows object(platform);
    i32 window = 17;
    W folder = L"C:\\Daten", file = L"C:\\Daten\\a.txt";
    object.ShowFind(window, &folder);
    object.ShowFind(window);
    REQUIRE(platform.shellCalls.size() == 2);
    CHECK((platform.shellCalls[0].verb == L"find" && platform.shellCalls[0].file == folder));
    CHECK((!platform.shellCalls[0].parameters && !platform.shellCalls[0].directory));
    CHECK(platform.shellCalls[1].file == L"");
    // A failed property sheet still answers the record's instance result.
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
            info = record.value_or(info);
            return record.has_value();
        }
    };
    struct Row
    {
        int answer; // 0 record, 1 query fails, 2 query raises
        u32 platformId, major, minor, build;
        std::string servicePack;
        i32 osBuild;
        W name;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { 0, 2, 6, 1, 7601, "Service Pack 1", 7601, L"Windows Vista" },
             { 0, 2, 6, 1, 40000, "", 7232, L"Windows Vista" },
             { 0, 1, 4, 0, 0x040A08AE, "B\0junk"s, 2222, L"Windows 95 OSR2" }, // the text ends at its NUL
             { 0, 1, 4, 0, 950, "\xC4rger", 950, L"Windows 95\u00C4r" },
             { 1, 2, 0, 0, 7601, "", 0, L"Unbekanntes Betriebssystem" }, { 2, 2, 0, 0, 7601, "", 0, L"" } }) {
        // clang-format on
        CAPTURE(row.build);
        Version platform;
        if (row.answer == 0)
            platform.record
                = { kOsVersionInfoSize, row.major, row.minor, row.build, row.platformId, {} };
        if (row.answer == 0)
            std::copy(row.servicePack.begin(), row.servicePack.end(),
                platform.record->servicePack.begin());
        platform.raises = row.answer == 2;
        orvClassWindows object(platform);
        CHECK((object.OSBuild() == row.osBuild && object.OSMajorVersion() == i32(row.major)));
        CHECK(object.OSMinorVersion() == i32(row.minor));
        CHECK((row.answer == 2 || object.GetPlatform() == row.name));
    }
}

TEST_CASE("running a file: quoting, the wait flag written back, the shell released")
{
    struct Row
    {
        W path, parameters;
        i32 runError;
        W command;
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
        CHECK(platform.runs == std::vector { std::pair { row.command, true } });
        CHECK((wait == row.waitAfter && platform.live == 0));
    }
}

TEST_CASE("the script host is registered when no shell object can be made")
{
    struct Host : Shell
    {
        bool hostPresent = true, threadEnds = true;
        int libraries = 0, threads = 0;
        u32 waited = 0;
        bool fileExists(const W &path) override
        {
            return hostPresent && path == L"C:\\Windows\\system32\\wshom.ocx";
        }
        LibraryHandle loadLibrary(const W &) override { return ++libraries; }
        ProcAddress getProcAddress(LibraryHandle, const std::string &name) override
        {
            return name == "DllRegisterServer";
        }
        bool freeLibrary(LibraryHandle) override { return libraries--; }
        ThreadHandle createThread(ProcAddress) override { return ++threads; }
        u32 waitForSingleObject(ThreadHandle, u32 ms) override
        {
            return (waited = ms, threadEnds ? 0 : 258);
        }
        bool closeThreadHandle(ThreadHandle) override { return threads--; }
    };
    // clang-format off
    for (const auto &[failingCreations, hostPresent, threadEnds, failed, left] : {
             std::tuple { 0, true, true, false, 0 }, std::tuple { 1, true, true, false, 0 }, // registered, made again
             std::tuple { -1, true, true, true, 0 }, std::tuple { -1, false, true, true, 0 }, // no host: nothing loaded
             std::tuple { -1, true, false, true, 1 } }) { // the registration hangs: the library is kept
        // clang-format on
        Host platform;
        platform.failingCreations = failingCreations;
        platform.hostPresent = hostPresent;
        platform.threadEnds = threadEnds;
        orvClassWindows object(platform);
        bool wait = false;
        CHECK(object.Datei_ausführen(L"a", L"", wait) == failed);
        CHECK(platform.runs.size() == (failed ? 0u : 1u));
        CHECK(platform.waited == (failingCreations != 0 && hostPresent ? 10000u : 0u));
        CHECK(
            (platform.libraries == left && platform.threads == left && platform.messages.empty()));
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
            bool fileExists(const W &) override { return exists; }
        } platform;
        platform.exists = exists;
        platform.runErrors = { { opens ? 0 : 0x50, L"x" } };
        orvClassWindows object(platform);
        CHECK(std::holds_alternative<std::monostate>(object.PDF_Öffnen(L"C:\\f.pdf")));
        CHECK_FALSE(platform.runs.at(0).second);
        REQUIRE(platform.messages.size() == (message.empty() ? 0u : 1u));
        CHECK((message.empty()
            || (platform.messages[0].text == message && platform.messages[0].flags == 64u)));
    }
    const W exe = L"C:\\Program Files\\x.exe";
    // clang-format off
    for (const auto &[spreadsheet, dat, firstRunFails, commands, keys] : {
             std::tuple { false, false, false, std::vector { exe }, std::vector<W> {} },
             std::tuple { false, false, true, std::vector { exe, L"C:\\PROGRA~1\\x.exe"s }, std::vector<W> {} },
             std::tuple { true, true, false, std::vector<W> {}, std::vector { L"% ~"s } }, // brought forward
             std::tuple { false, true, false, std::vector { exe }, std::vector<W> {} },
             std::tuple { true, false, false, std::vector { exe }, std::vector<W> {} } }) {
        // clang-format on
        struct : Shell
        {
            bool open = false;
            WindowHandle findWindow(const std::optional<W> &name, const std::optional<W> &) override
            {
                return open && name == L"XLMAIN";
            }
            i32 getWindowText(WindowHandle, std::string &buffer, i32) override
            {
                return i32(buffer.replace(0, 7, "Mappe1\0"s).size() * 0 + 6);
            }
            u32 getShortPathName(const W &, std::string &buffer, u32) override
            {
                buffer.replace(0, 18, "C:\\PROGRA~1\\x.exe\0"s);
                return 17;
            }
        } platform;
        platform.open = spreadsheet;
        platform.runErrors = { { firstRunFails ? 0x50 : 0, L"x" } };
        orvClassWindows object(platform);
        W program = exe;
        bool wait = true, datGiven = dat;
        CHECK_FALSE(object.EXE_ausführen(program, wait, datGiven));
        std::vector<W> ran;
        for (const auto &run : platform.runs)
            ran.push_back(run.first);
        CHECK(ran == commands);
        CHECK((platform.keys == keys && platform.activated.size() == keys.size()
            && platform.live == 0));
    }
    Shell platform;
    platform.failingCreations = -1;
    orvClassWindows object(platform);
    W program = L"x.exe";
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
        bool opens = true, allocates = true, isOpen = false;
        std::map<MemoryHandle, std::string> memory;
        bool openClipboard(WindowHandle) override { return isOpen = opens; }
        bool closeClipboard() override { return !(isOpen = false); }
        bool emptyClipboard() override { return true; }
        MemoryHandle globalAlloc(u32, std::size_t size) override
        {
            memory[memory.size() + 1] = std::string(size, '\0');
            return allocates ? memory.size() : (memory.clear(), 0);
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
    };
    // Cannot open, no memory, refused, no file at all.
    for (const auto &[opens, allocates, empty] :
        { std::tuple { false, true, false }, std::tuple { true, false, false },
            std::tuple { true, true, false }, std::tuple { true, true, true } }) {
        Clipboard platform;
        platform.opens = opens;
        platform.allocates = allocates;
        orvClassWindows object(platform);
        std::vector<W> files = empty ? std::vector<W> {} : std::vector { L"C:\\a.txt"s },
                       pasted { L"kept" };
        bool answer = true;
        const auto failure = failureOf([&] { answer = object.FileCopyClipboard(files); });
        CHECK(failure == (empty ? std::optional(FailureCode::SubscriptOutOfRange) : std::nullopt));
        CHECK((failure || !answer));
        CHECK((!platform.isOpen && platform.memory.empty()));
        CHECK(object.FilePasteClipboard(pasted) == 0);
        CHECK(pasted == std::vector { L"kept"s });
    }
}

TEST_CASE("folder listing: folders skipped, the list grows by hundreds")
{
    struct Search : FailingPlatform
    {
        std::vector<std::pair<std::string, u32>> entries;
        std::size_t at = 0;
        SearchHandle findFirstFile(const W &pattern, FindData &data) override
        {
            at = 0;
            return pattern == L"C:\\d\\*.txt" && findNextFile(77, data) ? 77 : kInvalidSearchHandle;
        }
        bool findNextFile(SearchHandle, FindData &data) override
        {
            if (at == entries.size())
                return false;
            data = { entries[at].second, {} };
            std::copy_n(entries[at].first.begin(), entries[at].first.size(), data.fileName.begin());
            return ++at;
        }
    };
    for (const auto &[files, upperBound] : { std::pair { 0, 100 }, std::pair { 3, 100 },
             std::pair { 99, 100 }, std::pair { 100, 200 }, std::pair { 250, 300 } }) {
        CAPTURE(files);
        Search platform;
        platform.entries = { { ".", 16 }, { "sub.txt", 16 | 2 } };
        for (int i = 0; i < files; ++i)
            platform.entries.emplace_back("f" + std::to_string(i) + ".txt", i == 0 ? 2 | 4 : 32);
        orvClassWindows object(platform);
        std::vector<W> listed { L"old" }, again;
        object.DirFile(listed, L"C:\\d", L"*.txt");
        REQUIRE(int(listed.size()) - 1 == upperBound);
        for (int i = 0; i < int(listed.size()); ++i)
            CHECK(listed[i] == (i < files ? L"C:\\d\\f" + std::to_wstring(i) + L".txt" : L""s));
        object.DirFile(again, L"C:\\d\\", L"*.txt");
        CHECK(again == listed);
    }
}

TEST_CASE("file information: versions, short names, times, names and icons")
{
    struct Info : FailingPlatform
    {
        std::string versionData, shortPath;
        std::optional<std::size_t> root = 8;
        int closed = 0, yields = 0;
        std::vector<i32> drawn;
        std::uintptr_t imageList = 0x5000;
        u32 getFileVersionInfoSize(const W &) override { return u32(versionData.size()); }
        bool getFileVersionInfo(const W &, std::string &data) override
        {
            return (data = versionData, true);
        }
        bool verQueryValue(const std::string &, const W &block, std::optional<std::size_t> &offset,
            u32 &length) override
        {
            std::tie(offset, length) = std::pair { root, 52 };
            return block == L"\\" && root;
        }
        u32 getShortPathName(const W &, std::string &buffer, u32 length) override
        {
            if (shortPath.size() >= length)
                return u32(shortPath.size() + 1);
            buffer.replace(0, shortPath.size() + 1, shortPath + '\0');
            return u32(shortPath.size());
        }
        FileHandle createFile(const W &path, u32, u32, u32, u32) override
        {
            return path == L"t" ? 0x300 : kInvalidFileHandle;
        }
        bool getFileTime(
            FileHandle file, std::uint64_t &c, std::uint64_t &a, std::uint64_t &w) override
        {
            std::tie(c, a, w) = std::tuple { 100, 200, 300 };
            return file == 0x300;
        }
        bool fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local) override
        {
            return (local = utc + 5, true);
        }
        bool fileTimeToSystemTime(std::uint64_t time, SystemTime &fields) override
        {
            fields = { std::uint16_t(1998 + time / 100), 3, 0, 9, 9, 5, 7, 800 };
            return true;
        }
        bool closeHandle(FileHandle) override { return ++closed; }
        std::uintptr_t shGetFileInfo(const W &, u32, ShellFileInfo &info, u32) override
        {
            std::copy_n("a.txt\0junk", 10, info.displayName.begin());
            std::copy_n("Textdokument", 12, info.typeName.begin());
            info.iconIndex = 7;
            return imageList;
        }
        bool imageListDraw(ImageListHandle list, i32 index, DeviceContext, i32, i32, u32) override
        {
            return (drawn.push_back(index), list);
        }
        IconHandle extractAssociatedIcon(const W &, std::uint16_t &) override { return 6; }
        bool drawIcon(DeviceContext, i32, i32, IconHandle) override { return true; }
        i32 doEvents() override { return ++yields; }
    };
    // A root block at offset 8: signature, structure version, file version
    // 1.40000.0.7, product version 2.0.3.65535, flags mask, flags.
    std::string data(8, 'x');
    for (const u32 field :
        { 0xFEEF04BDu, 0x10000u, 0x00019C40u, 7u, 0x00020000u, 0x0003FFFFu, 0x3Fu, 0x80000001u })
        for (int i = 0; i < 4; ++i)
            data.push_back(char((field >> (8 * i)) & 0xFF));
    W dll = L"C:\\x.dll";
    for (const auto &[dat, hasRoot, expected] :
        { std::tuple { 0, true, L"1.-25536.0.7"s }, std::tuple { 1, true, L"2.0.3.-1"s },
            std::tuple { 2, true, L"-2147483647"s }, std::tuple { 0, false, L"-"s } }) {
        Info platform;
        platform.versionData = data + std::string(20, '\0');
        platform.root = hasRoot ? platform.root : std::nullopt;
        orvClassWindows object(platform);
        CHECK(object.GetFileVersion(dll, dat) == expected);
    }
    for (const std::string &shortPath : { "C:\\PROGRA~1\\a.exe"s, ""s, std::string(140, 'a') }) {
        Info platform;
        platform.shortPath = shortPath;
        orvClassWindows object(platform);
        CHECK(object.GetShortFileName(L"C:\\long path") == platform.fromSystemText(shortPath));
    }
    // Times: whole seconds in local time, creation and access too; a failed open leaves them.
    Info platform;
    orvClassWindows object(platform);
    const DateTime before { 1999, 1, 1, 1, 1, 1 };
    DateTime creation = before, access = before, write = before;
    CHECK_FALSE(object.ReadFileTime(L"u", creation, access, write));
    CHECK((creation == before && access == before && write == before));
    CHECK(platform.closed == 1); // the invalid handle goes on to the failing query and is closed
    CHECK(object.ReadFileTime(L"t", creation, access, write));
    CHECK(creation == DateTime { 1999, 3, 9, 9, 5, 7 });
    CHECK(access == DateTime { 2000, 3, 9, 9, 5, 7 });
    CHECK(write == DateTime { 2001, 3, 9, 9, 5, 7 });
    W file = L"C:\\a.txt", names;
    CHECK(object.GetFileEx(file) == L"a.txt|Textdokument");
    TestPicture picture;
    CHECK(object.GetFileIconEx(picture, file, true, &names));
    CHECK((names == L"a.txt|Textdokument" && platform.drawn == std::vector { 7 }
        && picture.log == "clear,picture"));
    platform.imageList = 0;
    CHECK_FALSE(object.GetFileIconEx(picture, file));
    // The icon is drawn between yields; the last yield's count is the result.
    CHECK(object.GetFileIcon(picture, file) == Variant(i32(3)));
}

TEST_CASE("folders: the dialog's buffer and answer, the documents folder")
{
    struct Folders : FailingPlatform
    {
        std::optional<std::string> chosen;
        std::vector<BrowseInfo> browsed;
        std::set<ItemList> live;
        ItemList shBrowseForFolder(BrowseInfo &info) override
        {
            return (browsed.push_back(info), chosen ? *live.insert(1).first : 0);
        }
        i32 shGetSpecialFolderLocation(WindowHandle, i32 folder, ItemList &list) override
        {
            list = folder == 5 && !chosen ? *live.insert(2).first : 0;
            return list ? 0 : -1;
        }
        bool shGetPathFromIdList(ItemList list, std::string &buffer) override
        {
            const std::string path = list == 1 ? *chosen : "C:\\Users\\u\\Documents";
            return live.contains(list) && buffer.replace(0, path.size() + 1, path + '\0').size();
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
        i32 owner = 12;
        W given = L"D:\\Start";
        CHECK(object.GetBrowseDirectory(owner, &given) == expected);
        const BrowseInfo &info = platform.browsed.at(0);
        CHECK((info.owner == 12 && info.title == L"ZARE Pfad ausw\u00E4hlen"));
        CHECK(info.displayName == "D:\\Start" + std::string(254 - 8, ' ')); // a buffer of blanks
        // The documents folder, where the shell names one.
        CHECK(
            object.GetShellPersonalLocation(owner) == (chosen ? L"" : L"C:\\Users\\u\\Documents"));
        CHECK(platform.live.empty());
    }
}

TEST_CASE("transparent copy: the colour as the system keeps it, an overflowing size fails")
{
    struct Drawing : FailingPlatform
    {
        std::map<DeviceContext, u32> backgrounds { { 0x10, 0xFFFFFF } };
        u32 setBkColor(DeviceContext dc, u32 colour) override
        {
            return std::exchange(backgrounds[dc], colour & 0xFFFFFF);
        }
        int made = 0, deleted = 0;
        DeviceContext createCompatibleDc(DeviceContext) override { return ++made; }
        GdiObject createBitmap(i32, i32, u32, u32) override { return ++made; }
        GdiObject createCompatibleBitmap(DeviceContext, i32, i32) override { return ++made; }
        bool deleteObject(GdiObject) override { return ++deleted; }
        bool deleteDc(DeviceContext) override { return ++deleted; }
    } platform;
    orvClassWindows object(platform);
    i32 out = 0x30, dst = 0x20, src = 0x10, x = 2, y = 3, xx = 12, yy = 8, colour = 0x7F00FF00;
    object.TranspPic(out, dst, src, x, y, xx, yy, 40, 50, colour);
    CHECK(colour == 0x00FF00);
    CHECK(platform.backgrounds[0x10] == 0xFFFFFFu); // the source's background is put back
    CHECK((platform.made == 8 && platform.deleted == 8)); // four contexts with their bitmaps
    i32 huge = INT_MAX, negative = -1;
    CHECK(failureOf([&] { object.TranspPic(out, dst, src, negative, y, huge, yy, 0, 0, colour); })
        == FailureCode::Overflow);
}
