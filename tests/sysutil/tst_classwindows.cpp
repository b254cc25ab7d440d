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

// What the tests script, each part answering as the system would.
struct Scripted : FailingPlatform
{
    // A version query that fails, or raises.
    bool versionRaises = false;
    bool getVersionEx(OsVersionInfo &) override
    {
        if (versionRaises)
            fail(FailureCode::ControlFailed, "version query raised");
        return false;
    }
    // Starts recorded with their show value; an empty or gone program fails.
    std::vector<W> started;
    u32 startProcess(const W &line, i32 show) override
    {
        started.push_back(line + L" /" + std::to_wstring(show));
        return line.empty() || line.starts_with(L"C:\\gone") ? 2 : 0;
    }
    // Files that exist: the script host's library at first.
    std::set<W> files { L"C:\\Windows\\system32\\wshom.ocx" };
    bool fileExists(const W &path) override { return files.contains(path); }
    // Registry values by name (PATH, MSINFO) of the system information
    // keys, type 99 failing the query; keys counted open.
    std::map<W, std::pair<u32, S>> values;
    int open = 0;
    u32 regOpenKeyEx(u32 root, const W &key, u32, RegistryKey &handle) override
    {
        const bool found = root == kHkeyLocalMachine
            && values.contains(key.ends_with(L"MSINFO") ? L"PATH" : L"MSINFO");
        return (handle = found ? ++open : 0) ? kErrorSuccess : kErrorFileNotFound;
    }
    u32 regQueryValueEx(RegistryKey, const W &name, u32 &type, S &data, u32 &size) override
    {
        const auto &[valueType, bytes] = values.at(name);
        size = u32(bytes.copy(data.data(), data.size()));
        return (type = valueType) == 99 ? kErrorFileNotFound : kErrorSuccess;
    }
    u32 regCloseKey(RegistryKey key) override { return key ? (--open, 0) : 6; }
    // The script shell: creations that fail first (-1: all), Run's errors in
    // order; the registration's library and thread counted.
    int failingCreations = 0, live = 0, libraries = 0, threads = 0;
    bool threadEnds = true;
    u32 waited = 0;
    std::vector<ScriptError> runErrors;
    std::vector<W> runs;
    std::vector<bool> waits;
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
        ScriptShell, const W &command, i32 style, bool wait, ScriptError &e) override
    {
        runs.push_back(style == 1 ? command : L"style?");
        waits.push_back(wait);
        const bool raised = runs.size() <= runErrors.size() && runErrors[runs.size() - 1].number;
        e = raised ? runErrors[runs.size() - 1] : e;
        return !raised;
    }
    bool scriptShellAppActivate(ScriptShell, const W &t) override
    {
        return activated.push_back(t), 1;
    }
    bool scriptShellSendKeys(ScriptShell, const W &sent) override
    {
        return keys.push_back(sent), 1;
    }
    LibraryHandle loadLibrary(const W &) override { return ++libraries; }
    ProcAddress getProcAddress(LibraryHandle, const S &n) override
    {
        return n == "DllRegisterServer";
    }
    bool freeLibrary(LibraryHandle) override { return libraries--; }
    ThreadHandle createThread(ProcAddress) override { return ++threads; }
    u32 waitForSingleObject(ThreadHandle, u32 ms) override { return waited = ms, !threadEnds; }
    bool closeThreadHandle(ThreadHandle) override { return threads--; }
    // A spreadsheet window on request.
    bool spreadsheet = false;
    WindowHandle findWindow(const OW &n, const OW &) override
    {
        return spreadsheet && n == L"XLMAIN";
    }
    i32 getWindowText(WindowHandle, S &title, i32) override
    {
        return title.replace(0, 6, "Mappe1"), 6;
    }
    // A short name, the needed room given when it does not fit.
    std::string shortPath = "C:\\PROGRA~1\\x.exe";
    u32 getShortPathName(const W &, S &buffer, u32 length) override
    {
        if (shortPath.size() >= length)
            return u32(shortPath.size() + 1);
        buffer.replace(0, shortPath.size() + 1, shortPath + '\0');
        return u32(shortPath.size());
    }
    // Version data with its root block at an offset.
    std::string versionData;
    Offset root = 8;
    u32 getFileVersionInfoSize(const W &) override { return u32(versionData.size()); }
    bool getFileVersionInfo(const W &, S &data) override { return (data = versionData, 1); }
    bool verQueryValue(const S &, const W &block, Offset &offset, u32 &length) override
    {
        std::tie(offset, length) = std::pair { root, 52 };
        return block == L"\\" && root;
    }
    // A file's names and icon; drawing between yields.
    std::uintptr_t imageList = 0x5000;
    std::vector<i32> drawn;
    int yields = 0;
    std::uintptr_t shGetFileInfo(const W &, u32, ShellFileInfo &info, u32) override
    {
        std::copy_n("a.txt\0junk", 10, info.displayName.begin());
        std::copy_n("Textdokument", 12, info.typeName.begin());
        info.iconIndex = 7;
        return imageList;
    }
    bool imageListDraw(ImageListHandle list, i32 index, i32, i32, i32, u32) override
    {
        return (drawn.push_back(index), list);
    }
    IconHandle extractAssociatedIcon(const W &, std::uint16_t &) override { return 6; }
    bool drawIcon(DeviceContext, i32, i32, IconHandle) override { return true; }
    i32 doEvents() override { return ++yields; }
    // A clipboard that may not open, memory that may run out.
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
    MemoryHandle globalFree(MemoryHandle block) override { return memory.erase(block) ? 0 : 1; }
    // Drawing: background colours kept as the system keeps them, objects counted.
    std::map<DeviceContext, u32> backgrounds { { 0x10, 0xFFFFFF } };
    int made = 0, deleted = 0;
    u32 setBkColor(DeviceContext dc, u32 colour) override
    {
        return std::exchange(backgrounds[dc], colour & 0xFFFFFF);
    }
    DeviceContext createCompatibleDc(DeviceContext) override { return ++made; }
    GdiObject createBitmap(i32, i32, u32, u32) override { return ++made; }
    GdiObject createCompatibleBitmap(DeviceContext, i32, i32) override { return ++made; }
    bool deleteObject(GdiObject) override { return ++deleted; }
    bool deleteDc(DeviceContext) override { return ++deleted; }
};

} // namespace

TEST_CASE("the system information tool: path value, tool folder, or the message")
{
    using Value = std::optional<std::pair<u32, S>>;
    const W tool = L"C:\\Programme\\MSINFO\\MSINFO32.EXE";
    const Value folder = Value({ kRegText, "C:\\Programme\\MSINFO\0"s });
    const std::optional<W> none;
    // clang-format off
    for (const auto &[path, msinfo, toolThere, started, message] : {
             std::tuple { Value({ kRegText, "C:\\T\xC3\xBC\\i.exe\0"s }), Value {}, false, std::optional { L"C:\\T\u00FC\\i.exe"s }, false }, // in the code page
             std::tuple { Value({ kRegText, "a.exe\0"s }), folder, true, std::optional { L"a.exe"s }, false }, // the path wins
             std::tuple { Value {}, folder, true, std::optional { tool }, false },
             std::tuple { Value {}, folder, false, none, true }, std::tuple { Value {}, Value {}, false, none, true },
             std::tuple { Value({ kRegText, "C:\\gone.exe\0"s }), Value {}, false, std::optional { L"C:\\gone.exe"s }, true },
             std::tuple { Value({ kRegNumber, "\x10\0\0\0"s }), Value {}, false, std::optional { L"16"s }, false },
             std::tuple { Value({ kRegBinary, "xy"s }), Value {}, false, std::optional { L""s }, true }, // an empty path, started
             std::tuple { Value({ kRegNumber, "\x11\x11\x11\x11\x11"s }), Value {}, false, none, true }, // overflows
             std::tuple { Value({ 99, ""s }), Value {}, false, none, true } }) {
        // clang-format on
        Scripted platform;
        if (path)
            platform.values[L"PATH"] = *path;
        if (msinfo)
            platform.values[L"MSINFO"] = *msinfo;
        platform.files = toolThere ? std::set { tool } : std::set<W> {};
        orvClassWindows object(platform);
        object.ShowSysInfo();
        CHECK(
            platform.started == (started ? std::vector { *started + L" /1" } : std::vector<W> {}));
        CHECK(platform.messages.size() == message);
        CHECK(platform.open == 0); // every key opened is closed
    }
}

TEST_CASE("the browser: a result of 0 to 32 fails, as does a call that raises; find")
{
    for (const auto &[result, raises, message] :
        { std::tuple { 32, false, 1u }, std::tuple { 33, false, 0u }, std::tuple { -1, false, 0u },
            std::tuple { 42, true, 1u } }) {
        CAPTURE(result);
        test::FailingPlatform platform;
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
        CHECK(platform.messages.size() == message);
    }
    // Find asks the shell for its "find" verb on the folder, without a box of its own.
    test::FailingPlatform platform;
    orvClassWindows object(platform);
    i32 window = 7;
    W folder = L"C:\\Daten";
    object.ShowFind(window, &folder);
    REQUIRE(platform.shellCalls.size() == 1);
    CHECK((platform.shellCalls[0].verb == L"find" && platform.shellCalls[0].file == folder));
}

TEST_CASE("running a file: quoting, the wait flag, the script host registered when needed")
{
    // The command run ("": none); failing creations; the host present; its registration ending.
    using Row = std::tuple<W, W, i32, W, bool, bool, int, bool, bool>;
    // clang-format off
    for (const auto &[path, parameters, runError, command, failed, waitAfter, failingCreations, hostPresent, threadEnds] : std::initializer_list<Row> {
             { L"C:\\a b.txt", L"", 0, L"\"C:\\a b.txt\"", false, true, 0, true, true },
             { L"\"C:\\a.txt\"", L"", 0, L"\"C:\\a.txt\"", false, true, 0, true, true },
             { L"\"C:\\a.txt", L"-x", 0, L"\"C:\\a.txt\" -x", false, true, 0, true, true },
             { L"", L"", 0x50, L"\"", true, true, 0, true, true },
             { L"a", L"", kDispatchException, L"\"a\"", true, false, 0, true, true }, // the program's exception
             { L"a", L"", 0x50, L"\"a\"", true, true, 0, true, true },
             { L"a", L"", 0, L"\"a\"", false, true, 1, true, true }, // registered, made again
             { L"a", L"", 0, L"", true, true, -1, true, true }, { L"a", L"", 0, L"", true, true, -1, false, true }, // no host
             { L"a", L"", 0, L"", true, true, -1, true, false } }) { // the registration hangs: the library is kept
        // clang-format on
        CAPTURE(command);
        Scripted platform;
        platform.runErrors = { { runError, L"x" } };
        platform.failingCreations = failingCreations;
        platform.files = hostPresent ? platform.files : std::set<W> {};
        platform.threadEnds = threadEnds;
        orvClassWindows object(platform);
        bool wait = true;
        CHECK(object.Datei_ausführen(path, parameters, wait) == failed);
        CHECK(platform.runs.size() == !command.empty());
        CHECK((command.empty() || (platform.runs[0] == command && platform.waits[0])));
        CHECK((wait == waitAfter && platform.live == 0 && platform.messages.empty()));
        CHECK((platform.waited != 0) == (failingCreations != 0 && hostPresent));
        CHECK((platform.libraries == !threadEnds && platform.threads == !threadEnds));
    }
}

TEST_CASE("documents and programs: the PDF messages, the spreadsheet, the short-name retry")
{
    // Opens; not found; found but no reader.
    for (const auto &[opens, exists, message] : { std::tuple { true, true, L""s },
             std::tuple { false, false, L"Formular"s }, std::tuple { false, true, L"Acrobat"s } }) {
        Scripted platform;
        if (exists)
            platform.files.insert(L"C:\\f.pdf");
        platform.runErrors = { { opens ? 0 : 0x50, L"x" } };
        orvClassWindows object(platform);
        CHECK(std::holds_alternative<std::monostate>(object.PDF_Öffnen(L"C:\\f.pdf")));
        CHECK_FALSE(platform.waits.at(0));
        REQUIRE(platform.messages.size() == !message.empty());
        CHECK((message.empty() || platform.messages[0].text.find(message) != W::npos));
    }
    const W exe = L"C:\\Program Files\\x.exe";
    // clang-format off
    for (const auto &[spreadsheet, dat, firstRunFails, commands, keys] : {
             std::tuple { false, false, true, std::vector { exe, L"C:\\PROGRA~1\\x.exe"s }, std::vector<W> {} },
             std::tuple { true, true, false, std::vector<W> {}, std::vector { L"% ~"s } }, // brought forward
             std::tuple { false, true, false, std::vector { exe }, std::vector<W> {} },
             std::tuple { true, false, false, std::vector { exe }, std::vector<W> {} } }) {
        // clang-format on
        Scripted platform;
        platform.spreadsheet = spreadsheet;
        platform.runErrors = { { firstRunFails ? 0x50 : 0, L"x" } };
        orvClassWindows object(platform);
        W program = exe;
        bool wait = true, datGiven = dat;
        CHECK_FALSE(object.EXE_ausführen(program, wait, datGiven));
        CHECK((platform.runs == commands && platform.keys == keys && platform.live == 0));
        CHECK(
            platform.activated == (keys.empty() ? std::vector<W> {} : std::vector { L"Mappe1"s }));
    }
    Scripted platform;
    platform.failingCreations = -1;
    orvClassWindows object(platform);
    W program = L"x.exe";
    bool wait = false, dat = false;
    CHECK(object.EXE_ausführen(program, wait, dat));
    REQUIRE(platform.messages.size() == 1);
    CHECK(platform.messages[0].text == L"FehlerNr.:= 429\r\rActiveX component can't create object");
}

TEST_CASE("clipboard failures: closed once opened, no block left")
{
    // Cannot open, no memory, refused, no file at all.
    for (const auto &[opens, allocates, empty] :
        { std::tuple { false, true, false }, std::tuple { true, false, false },
            std::tuple { true, true, false }, std::tuple { true, true, true } }) {
        Scripted platform;
        platform.opens = opens;
        platform.allocates = allocates;
        orvClassWindows object(platform);
        std::vector<W> files = empty ? std::vector<W> {} : std::vector { L"C:\\a.txt"s };
        bool answer = true;
        const auto failure = failureOf([&] { answer = object.FileCopyClipboard(files); });
        CHECK(failure == (empty ? std::optional(FailureCode::SubscriptOutOfRange) : std::nullopt));
        CHECK((failure || !answer));
        CHECK((!platform.isOpen && platform.memory.empty()));
    }
}

TEST_CASE("file information: versions, short names, names and icons")
{
    Scripted platform;
    orvClassWindows object(platform);
    // A root block at offset 8: signature, structure version, file version
    // 1.40000.0.7, product version 2.0.3.65535, flags mask, flags.
    platform.versionData = std::string(8, 'x');
    for (const u32 field :
        { 0xFEEF04BDu, 0x10000u, 0x00019C40u, 7u, 0x00020000u, 0x0003FFFFu, 0x3Fu, 0x80000001u })
        for (int i = 0; i < 4; ++i)
            platform.versionData.push_back(char((field >> (8 * i)) & 0xFF));
    platform.versionData += std::string(20, '\0');
    W file = L"C:\\a.txt", names;
    for (const auto &[dat, expected] : { std::pair { 0, L"1.-25536.0.7"s },
             std::pair { 1, L"2.0.3.-1"s }, std::pair { 2, L"-2147483647"s } })
        CHECK(object.GetFileVersion(file, dat) == expected);
    platform.root.reset();
    CHECK(object.GetFileVersion(file) == L"-");
    for (const std::string &shortPath : { "C:\\PROGRA~1\\a.exe"s, ""s, std::string(140, 'a') }) {
        platform.shortPath = shortPath;
        CHECK(object.GetShortFileName(L"C:\\long path") == platform.fromSystemText(shortPath));
    }
    struct : PictureBoxObject
    {
        std::string log;
        i32 hDC() const override { return 0x55; }
        void ClearPicture() override { log = "clear"; }
        void PictureFromImage() override { log += ",picture"; }
    } picture;
    CHECK(object.GetFileIconEx(picture, file, true, &names));
    CHECK((names == L"a.txt|Textdokument" && platform.drawn == std::vector { 7 }
        && picture.log == "clear,picture"));
    platform.imageList = 0;
    CHECK_FALSE(object.GetFileIconEx(picture, file));
    // The icon is drawn between yields; the last yield's count is the result.
    CHECK(object.GetFileIcon(picture, file) == Variant(i32(3)));
}

TEST_CASE("a version query that fails or raises leaves the version numbers at zero")
{
    for (const bool raises : { false, true }) {
        Scripted platform;
        platform.versionRaises = raises;
        orvClassWindows object(platform);
        CHECK((object.OSBuild() == 0 && object.OSMajorVersion() == 0));
        CHECK((raises || object.GetPlatform() == L"Unbekanntes Betriebssystem"));
    }
}

TEST_CASE("transparent copy: the colour as the system keeps it, nothing left behind, an "
          "overflowing size fails")
{
    Scripted platform;
    orvClassWindows object(platform);
    i32 out = 0x30, dst = 0x20, src = 0x10, x = 2, y = 3, xx = 12, yy = 8, colour = 0x7F00FF00;
    object.TranspPic(out, dst, src, x, y, xx, yy, 40, 50, colour);
    CHECK(colour == 0x00FF00);
    CHECK(platform.backgrounds[0x10] == 0xFFFFFFu); // the source's background is put back
    CHECK((platform.made > 0 && platform.deleted == platform.made)); // nothing left behind
    i32 huge = INT_MAX, negative = -1;
    CHECK(failureOf([&] { object.TranspPic(out, dst, src, negative, y, huge, yy, 0, 0, colour); })
        == FailureCode::Overflow);
}
