// SPDX-License-Identifier: MIT
// orvClassWindows's decisions against a platform that fails every call the
// test does not script: what it passes, how it reads the answers, and what it
// does when a call fails.
#include "Expect.h"
#include "FakePlatform.h"
#include "sysutil/orvClassWindows.h"

#include <climits>
#include <set>

using namespace orv;
using namespace orv::test;
using namespace std::string_literals;

TEST_CASE("the system information tool: path value, tool folder, or the message")
{
    // The values of the tool's keys, the tool there, the program started, a message.
    using Values = std::map<W, std::pair<u32, S>>;
    using Row = std::tuple<Values, bool, std::vector<W>, bool>;
    const W tool = L"C:\\Programme\\MSINFO\\MSINFO32.EXE";
    const std::pair folder { kRegText, "C:\\Programme\\MSINFO\0"s };
    // clang-format off
    for (const auto &[values, toolThere, started, message] : std::initializer_list<Row> {
             { { { L"PATH", { kRegText, "C:\\T\xC3\xBC\\i.exe\0"s } } }, false, { L"C:\\T\u00FC\\i.exe /1" }, false }, // in the code page
             { { { L"PATH", { kRegText, "a.exe\0"s } }, { L"MSINFO", folder } }, true, { L"a.exe /1" }, false }, // the path wins
             { { { L"MSINFO", folder } }, true, { tool + L" /1" }, false }, { { { L"MSINFO", folder } }, false, {}, true },
             { {}, false, {}, true }, { { { L"PATH", { 99, ""s } } }, false, {}, true },
             { { { L"PATH", { kRegText, "C:\\gone.exe\0"s } } }, false, { L"C:\\gone.exe /1" }, true },
             { { { L"PATH", { kRegNumber, "\x10\0\0\0"s } } }, false, { L"16 /1" }, false },
             { { { L"PATH", { kRegBinary, "xy"s } } }, false, { L" /1" }, true }, // an empty path, started
             { { { L"PATH", { kRegNumber, "\x11\x11\x11\x11\x11"s } } }, false, {}, true } }) { // overflows
        // clang-format on
        FakePlatform platform;
        platform.values = values;
        platform.missing = { L"", L"C:\\gone.exe" };
        platform.files = toolThere ? std::set { tool } : std::set<W> {};
        orvClassWindows object(platform);
        object.ShowSysInfo();
        CHECK(platform.started == started);
        CHECK(platform.messages.size() == message);
        CHECK(platform.open == 0); // every key opened is closed
    }
}

TEST_CASE("the browser: a result of 0 to 32 fails, as does a call that raises; find")
{
    // Find asks the shell for its "find" verb, without a box of its own.
    for (const auto &[find, result, raises, message] : { std::tuple { false, 32, false, 1u },
             std::tuple { false, 33, false, 0u }, std::tuple { false, -1, false, 0u },
             std::tuple { false, 42, true, 1u }, std::tuple { true, 0, false, 0u } }) {
        CAPTURE(result);
        FakePlatform platform;
        platform.shellResult = result;
        platform.shellRaises = raises;
        orvClassWindows object(platform);
        i32 window = 4711;
        W url = L"http://example.test/";
        find ? object.ShowFind(window, &url) : object.ShowInternet(window, &url);
        const OW one = find ? OW {} : OW(L"1");
        CHECK(platform.shellCalls
            == std::vector { std::tuple { 4711, find ? L"find"s : L"open"s, url, one, one, 1 } });
        CHECK(platform.messages.size() == message);
    }
}

TEST_CASE("running a file: quoting, the wait flag, the script host registered when needed")
{
    // The command run ("": none); failing creations; the host present; its registration ending.
    using Row = std::tuple<W, W, i32, W, bool, bool, int, bool, bool>;
    const W host = L"C:\\Windows\\system32\\wshom.ocx";
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
        FakePlatform platform;
        platform.runErrors = { { runError, L"x" } };
        platform.failingCreations = failingCreations;
        platform.files = hostPresent ? std::set { host } : std::set<W> {};
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
        FakePlatform platform;
        platform.files = exists ? std::set<W> { L"C:\\f.pdf" } : std::set<W> {};
        platform.failingCreations = 0;
        platform.runErrors = { { opens ? 0 : 0x50, L"x" } };
        orvClassWindows object(platform);
        CHECK(std::holds_alternative<std::monostate>(object.PDF_Öffnen(L"C:\\f.pdf")));
        CHECK_FALSE(platform.waits.at(0));
        REQUIRE(platform.messages.size() == !message.empty());
        CHECK((message.empty() || platform.messages[0].text.find(message) != W::npos));
    }
    const W exe = L"C:\\Program Files\\x.exe";
    using Row = std::tuple<bool, bool, bool, int, std::vector<W>, std::vector<W>, W>;
    // Spreadsheet, file given, first run failing, creations failing; runs, the window activated
    // and the keys sent to it, message.
    // clang-format off
    for (const auto &[spreadsheet, dat, firstRunFails, failingCreations, commands, sent, message] : std::initializer_list<Row> {
             { false, false, true, 0, { exe, L"C:\\PROGRA~1\\x.exe" }, {}, L"" },
             { true, true, false, 0, {}, { L"Mappe1", L"% ~" }, L"" }, // brought forward
             { false, true, false, 0, { exe }, {}, L"" }, { true, false, false, 0, { exe }, {}, L"" },
             { false, false, false, -1, {}, {}, L"FehlerNr.:= 429\r\rActiveX component can't create object" } }) {
        // clang-format on
        FakePlatform platform;
        platform.spreadsheet = spreadsheet;
        platform.failingCreations = failingCreations;
        platform.runErrors = { { firstRunFails ? 0x50 : 0, L"x" } };
        orvClassWindows object(platform);
        W program = exe;
        bool wait = true, datGiven = dat;
        CHECK(object.EXE_ausführen(program, wait, datGiven) == !message.empty());
        CHECK((platform.runs == commands && platform.sent == sent && platform.live == 0));
        CHECK(platform.messages.size() == !message.empty());
        CHECK((message.empty() || platform.messages.at(0).text == message));
    }
}

TEST_CASE("clipboard failures: closed once opened, no block left")
{
    // Cannot open, no memory, refused, no file at all.
    for (const auto &[opens, allocates, empty] :
        { std::tuple { false, true, false }, std::tuple { true, false, false },
            std::tuple { true, true, false }, std::tuple { true, true, true } }) {
        FakePlatform platform;
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
    FakePlatform platform;
    orvClassWindows object(platform);
    platform.imageList = 0x5000;
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
    // Between yields, the last one's count is the result.
    CHECK(object.GetFileIcon(picture, file) == Variant(i32(3)));
}

TEST_CASE("a version query that fails or raises leaves the version numbers at zero")
{
    for (const bool raises : { false, true }) {
        FakePlatform platform;
        platform.versionRaises = raises;
        orvClassWindows object(platform);
        CHECK((object.OSBuild() == 0 && object.OSMajorVersion() == 0));
        CHECK((raises || object.GetPlatform() == L"Unbekanntes Betriebssystem"));
    }
    // The build keeps its low 15 bits: 40000 is 7232, not itself as 16 bits would leave it.
    FakePlatform platform;
    platform.version = OsVersionInfo { kOsVersionInfoSize, 5, 1, 40000, 2, {} };
    CHECK(orvClassWindows(platform).OSBuild() == 7232);
}

TEST_CASE("transparent copy: the colour as the system keeps it, nothing left behind, an "
          "overflowing size fails")
{
    FakePlatform platform;
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
