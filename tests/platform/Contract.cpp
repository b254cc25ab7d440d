// SPDX-License-Identifier: MIT
// The contract of a backend, on the real system, through the utility class
// where the class is the one that reads the answers.
#include "Contract.h"

#include "Expect.h"
#include "platform/Utf8.h"
#include "sysutil/orvClassWindows.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using namespace orv;
using namespace orv::test;
using namespace std::string_literals;
namespace fs = std::filesystem;

std::string orv::test::waitForFile(const std::wstring &path)
{
    for (int i = 0; i < 750; ++i) {
        std::ifstream file { fs::path(path), std::ios::binary };
        std::stringstream content;
        if (file && content << file.rdbuf() && !content.str().empty()) {
            std::string text = content.str(); // as a text, in any system's line ends
            text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
            return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

bool orv::test::writeFile(const std::wstring &path, const std::string &content)
{
    std::ofstream file { fs::path(path), std::ios::binary };
    return bool(file << content);
}

TEST_CASE("the version record: the system's, and none for a record of another size")
{
    const auto platform = backend().make();
    OsVersionInfo record;
    record.size = kOsVersionInfoSize;
    REQUIRE(platform->getVersionEx(record));
    CHECK(record.platformId == backend().platformId());
    CHECK(std::find(record.servicePack.begin(), record.servicePack.end(), '\0')
        != record.servicePack.end());
    OsVersionInfo wrongSize;
    wrongSize.size = kOsVersionInfoSize - 1;
    wrongSize.majorVersion = 99;
    CHECK_FALSE(platform->getVersionEx(wrongSize));
    CHECK(wrongSize.majorVersion == 99u);
    orvClassWindows object(*platform);
    CHECK(object.OSMajorVersion() == std::int32_t(record.majorVersion));
    CHECK(object.OSBuild() == std::int32_t(record.buildNumber & 0x7FFF));
}

TEST_CASE("registry values: types, names without case, the buffer's size, handles")
{
    const auto platform = backend().seededRegistry();
    struct Row
    {
        std::wstring key, name;
        std::uint32_t openError, queryError, type;
        std::string bytes;
    };
    const std::wstring key = L"Software\\OrvelBrowserTest";
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { key, L"Text", 0, 0, kRegText, "Hallo\0"s },
             { L"SOFTWARE\\orvelbrowsertest", L"TEXT", 0, 0, kRegText, "Hallo\0"s },
             { key, L"Number", 0, 0, kRegNumber, "\x1F\x01\0\0"s },
             { key, L"Long", 0, kErrorMoreData, 0, ""s },
             { key, L"None", 0, kErrorFileNotFound, 0, ""s },
             { key + L"\\None", L"Text", kErrorFileNotFound, 0, 0, ""s } }) {
        // clang-format on
        CAPTURE(row.name);
        RegistryKey handle = 0;
        REQUIRE(
            platform->regOpenKeyEx(kHkeyCurrentUser, row.key, 0x2003F, handle) == row.openError);
        if (row.openError != 0) {
            CHECK(handle == 0u);
            continue;
        }
        std::string buffer(1024, '\0');
        std::uint32_t size = 1024, type = 0;
        CHECK(platform->regQueryValueEx(handle, row.name, type, buffer, size) == row.queryError);
        if (row.queryError == 0)
            CHECK((type == row.type && buffer.substr(0, size) == row.bytes));
        if (row.queryError == kErrorMoreData)
            CHECK(size == 1501u);
        CHECK(platform->regCloseKey(handle) == kErrorSuccess);
    }
    CHECK(platform->regCloseKey(0) == kErrorInvalidHandle);
    // A text outside ASCII comes in the system's code page.
    RegistryKey handle = 0;
    std::string buffer(64, '\0');
    std::uint32_t size = 64, type = 0;
    platform->regOpenKeyEx(kHkeyCurrentUser, key, 0x2003F, handle);
    CHECK(platform->regQueryValueEx(handle, L"Wide", type, buffer, size) == kErrorSuccess);
    CHECK(
        platform->fromSystemText(std::string_view(buffer.data(), size - 1)) == L"Gr\u00FC\u00DFe");
    platform->regCloseKey(handle);
}

TEST_CASE("processes start with their show value; a missing program does not")
{
    const auto platform = backend().make();
    for (const std::int32_t show : { 1, 5 }) {
        const std::wstring out = backend().path("start-" + std::to_string(show));
        REQUIRE(platform->startProcess(backend().probe(out, L"one \"two words\""), show) == 0u);
        const std::string report = waitForFile(out);
        CHECK(report.starts_with("show=" + std::to_string(show) + ' '));
        CHECK(report.ends_with("args=one two words\n"));
    }
    CHECK(platform->startProcess(L"orvel-no-such-program.exe", 1) == kErrorFileNotFound);
}

TEST_CASE("the shell opens with its open verb; a failing browser is reported")
{
    const auto platform = backend().make();
    const std::wstring out = backend().path("shell-open");
    const Backend::ShellTarget target = backend().shellTarget(out);
    CHECK(platform->shellExecute(0, L"open", target.file, target.parameters, std::nullopt, 1) > 32);
    CHECK(waitForFile(out).ends_with("args=" + target.expected + "\n"));

    const auto guard = backend().withoutBrowser();
    std::vector<MessageBoxRequest> messages;
    platform->setMessageBoxSink([&](const MessageBoxRequest &request) {
        messages.push_back(request);
        return 1;
    });
    orvClassWindows object(*platform);
    std::int32_t window = 0;
    std::wstring url = L"http://127.0.0.1:9/";
    object.ShowInternet(window, &url);
    REQUIRE(messages.size() == 1);
    CHECK(messages[0].text == L"Der Internet-Browser konnte nicht gestartet werden!");
    CHECK((messages[0].flags == 16u && messages[0].caption == L"OrvelBrowser"));
}

TEST_CASE("files: copied, moved, deleted to the recycle bin and for good")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    const auto path = [](const char *name) {
        return backend().path(name);
    };
    const auto exists = [](const std::wstring &file) {
        return fs::exists(fs::path(file));
    };
    REQUIRE(writeFile(path("a.txt"), "alpha"));
    const auto guard = backend().confirmDialogs();
    object.FileCopy(0, path("a.txt"), path("b.txt"));
    object.FileMove(0, path("b.txt"), path("c.txt"));
    CHECK(exists(path("a.txt")));
    CHECK_FALSE(exists(path("b.txt")));
    CHECK(waitForFile(path("c.txt")) == "alpha");
    std::int32_t window = 0;
    object.FileDelete(window, path("a.txt"));
    CHECK_FALSE(exists(path("a.txt")));
    CHECK(waitForFile(backend().binned("a.txt")) == "alpha");
    object.FileDelete(window, path("c.txt"), true);
    CHECK_FALSE(exists(path("c.txt")));
    CHECK_FALSE(exists(backend().binned("c.txt")));
    CHECK(platform->fileExists(backend().binned("a.txt")));
    CHECK_FALSE(platform->fileExists(path("")));
    CHECK_FALSE(platform->fileExists(path("c.txt")));
}

TEST_CASE("a file list on the clipboard comes back as it went")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    std::vector<std::wstring> files { backend().path("a b.txt"), backend().path("c.txt") };
    CHECK(object.FileCopyClipboard(files));
    std::vector<std::wstring> pasted;
    CHECK(object.FilePasteClipboard(pasted) == 2);
    CHECK(pasted == files);
}

TEST_CASE("file times in local time; a file open elsewhere is refused")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    const std::wstring file = backend().path("times.txt");
    REQUIRE(writeFile(file, "t"));
    backend().setWriteTime(file);
    DateTime write;
    CHECK(object.ReadFileLastTime(file, write));
    CHECK(write == DateTime { 2024, 3, 9, 9, 5, 7 });
    bool refuses = true;
    const auto other = backend().holdOpen(file, refuses);
    DateTime unchanged;
    if (refuses)
        CHECK_FALSE(object.ReadFileLastTime(file, unchanged));
    CHECK(unchanged == DateTime {});
    DateTime a, b, c;
    CHECK_FALSE(object.ReadFileTime(backend().path("missing.txt"), a, b, c));
}

TEST_CASE("a folder listing: files of the pattern, hidden ones too, no folders")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    const std::wstring folder = backend().path("list");
    REQUIRE(fs::create_directories(fs::path(folder) / "sub.txt"));
    REQUIRE(writeFile(folder + L"/one.txt", "1"));
    REQUIRE(writeFile(folder + L"/other.dat", "3"));
    const std::wstring hidden = backend().writeHidden(folder);
    std::vector<std::wstring> listed;
    object.DirFile(listed, folder, L"*.txt");
    REQUIRE(listed.size() == 101u);
    std::vector<std::wstring> found(listed.begin(), listed.begin() + 2);
    std::sort(found.begin(), found.end());
    std::vector expected { folder + L"\\" + hidden, folder + L"\\one.txt" };
    std::sort(expected.begin(), expected.end());
    CHECK(found == expected);
    CHECK(listed[2] == L"");
    CHECK(platform->fileExists(found[1]));
}

TEST_CASE("a transparent copy: the source over the background but for its key colour")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    // A red point on green, the key colour; a blue background; a black target.
    std::int32_t src = backend().surface(6, 0x00FF00), dst = backend().surface(6, 0xFF0000);
    std::int32_t target = backend().surface(6, 0);
    backend().setPixel(src, 1, 1, 0x0000FF);
    std::int32_t x = 0, y = 0, xx = 3, yy = 3, colour = 0x00FF00;
    object.TranspPic(target, dst, src, x, y, xx, yy, 2, 1, colour);
    CHECK(colour == 0x00FF00);
    CHECK(backend().pixel(target, 3, 2) == 0x0000FFu); // the source shows
    CHECK(backend().pixel(target, 2, 1) == 0xFF0000u); // the background shows through
    CHECK(backend().pixel(target, 4, 3) == 0xFF0000u);
    CHECK(backend().pixel(target, 5, 5) == 0u); // outside the rectangle: untouched
    CHECK(backend().pixel(dst, 3, 2) == 0xFF0000u);
}

TEST_CASE("a run waited for has ended when the call returns")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    const std::wstring out = backend().path("ran.txt");
    const auto [program, parameters] = backend().writer(out);
    bool wait = true;
    CHECK_FALSE(object.Datei_ausführen(program, parameters, wait));
    CHECK(fs::exists(fs::path(out)));
    CHECK(wait);
}

TEST_CASE("without a script shell object the script host registers itself, on a thread")
{
    const std::wstring marker = backend().path("registered.txt");
    backend().setEnvironment("ORVEL_SERVER_MARKER", platform::toUtf8(marker));
    int *attempts = nullptr;
    const auto platform = backend().withoutScriptShell(attempts);
    orvClassWindows object(*platform);
    bool wait = false;
    // Still no script shell object after the registration: failed.
    CHECK(object.Datei_ausführen(backend().path("x"), L"", wait));
    backend().setEnvironment("ORVEL_SERVER_MARKER", "");
    CHECK(*attempts == 2);
    CHECK(waitForFile(marker) == "registered");
}

TEST_CASE("the documents folder as the system names it")
{
    const std::wstring expected = backend().documents();
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    std::int32_t window = 0;
    std::wstring folder = object.GetShellPersonalLocation(window);
    // Wine gives it with a closing backslash.
    if (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    CHECK(folder == expected);
}

TEST_CASE("a message box shows and answers; a sink replaces it")
{
    const auto platform = backend().make();
    std::wstring text;
    const std::wstring caption = L"Orvel Pr\u00FCfung";
    {
        const auto answer = backend().answerBox(caption, text);
        CHECK(platform->messageBox(0, L"Gr\u00FC\u00DFe", caption, 64) == 1);
    }
    CHECK(text == L"Gr\u00FC\u00DFe");
    std::vector<MessageBoxRequest> seen;
    CHECK_FALSE(platform->setMessageBoxSink([&](const MessageBoxRequest &request) {
        seen.push_back(request);
        return 7;
    }));
    CHECK(platform->messageBox(3, L"Text", L"Titel", 4) == 7);
    REQUIRE(seen.size() == 1);
    CHECK((seen[0].owner == 3 && seen[0].flags == 4u && seen[0].caption == L"Titel"));
    CHECK(platform->setMessageBoxSink({}));
}
