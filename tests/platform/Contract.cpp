// SPDX-License-Identifier: MIT
// The contract of a backend and of the control adapters, on the real system,
// through the utility class where the class is the one that reads the answers.
#include "Contract.h"

#include "Expect.h"
#include "sysutil/orvClassWindows.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
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

namespace {

bool exists(const std::wstring &file)
{
    return fs::exists(fs::path(file));
}

// Made at the first use, removed at the end.
struct Scratch
{
    fs::path folder
        = fs::temp_directory_path() / ("orvel-test-" + std::to_string(std::random_device {}()));
    Scratch() { fs::create_directories(folder); }
    ~Scratch() { fs::remove_all(folder, ignored); }
    std::error_code ignored;
};

} // namespace

std::wstring Backend::path(const std::string &name)
{
    static const Scratch scratch;
    return (scratch.folder / name).wstring();
}

TEST_CASE("registry values: types, the buffer's size, missing keys, handles")
{
    const auto platform = backend().seededRegistry();
    const std::wstring key = L"Software\\OrvelBrowserTest";
    RegistryKey handle = 0;
    CHECK(platform->regOpenKeyEx(kHkeyCurrentUser, key + L"\\None", 0x2003F, handle)
        == kErrorFileNotFound);
    CHECK(handle == 0u);
    REQUIRE(platform->regOpenKeyEx(kHkeyCurrentUser, key, 0x2003F, handle) == kErrorSuccess);
    // clang-format off
    for (const auto &[name, error, type, bytes] : {
             std::tuple { L"Text", 0u, kRegText, "Hallo\0"s }, std::tuple { L"Number", 0u, kRegNumber, "\x1F\x01\0\0"s },
             std::tuple { L"Long", kErrorMoreData, 0u, ""s }, std::tuple { L"None", kErrorFileNotFound, 0u, ""s } }) {
        // clang-format on
        std::string buffer(1024, '\0');
        std::uint32_t size = 1024, found = 0;
        CHECK(platform->regQueryValueEx(handle, name, found, buffer, size) == error);
        CHECK((error || (found == type && buffer.substr(0, size) == bytes)));
        CHECK((error != kErrorMoreData || size == 1501u));
    }
    // A text outside ASCII comes in the system's code page.
    std::string buffer(64, '\0');
    std::uint32_t size = 64, type = 0;
    CHECK(platform->regQueryValueEx(handle, L"Wide", type, buffer, size) == kErrorSuccess);
    CHECK(
        platform->fromSystemText(std::string_view(buffer.data(), size - 1)) == L"Gr\u00FC\u00DFe");
    CHECK(platform->regCloseKey(handle) == kErrorSuccess);
    CHECK(platform->regCloseKey(0) == kErrorInvalidHandle);
}

TEST_CASE("running: a process with its show value, a run waited for, a library's entry on a thread")
{
    const auto platform = backend().make();
    for (const std::int32_t show : { 1, 5 }) {
        const std::wstring out = backend().path("start-" + std::to_string(show));
        const std::wstring line
            = L'"' + backend().probe() + L"\" \"" + out + L"\" one \"two words\"";
        REQUIRE(platform->startProcess(line, show) == 0u);
        const std::string report = waitForFile(out);
        CHECK((report.starts_with("show=" + std::to_string(show) + ' ')
            && report.ends_with("args=one two words\n")));
    }
    CHECK(platform->startProcess(L"orvel-no-such-program.exe", 1) == kErrorFileNotFound);
    orvClassWindows object(*platform);
    const std::wstring out = backend().path("ran.txt");
    bool wait = true;
    CHECK_FALSE(object.Datei_ausführen(backend().probe(), L'"' + out + L"\" x", wait));
    CHECK((exists(out) && wait));
    // A library's registration entry runs on a thread of its own.
    const LibraryHandle library = platform->loadLibrary(backend().server());
    REQUIRE(library != 0);
    CHECK(platform->getProcAddress(library, "DllGetClassObject") == 0);
    const ThreadHandle thread
        = platform->createThread(platform->getProcAddress(library, "DllRegisterServer"));
    CHECK(platform->waitForSingleObject(thread, 10000) == 0u);
    const auto registrations
        = reinterpret_cast<long (*)()>(platform->getProcAddress(library, "registrations"));
    CHECK(registrations() == 1);
    CHECK((platform->closeThreadHandle(thread) && platform->freeLibrary(library)));
    CHECK(platform->loadLibrary(backend().path("missing.ocx")) == 0);
}

TEST_CASE("the shell opens with its open verb, a failing browser is reported; documents")
{
    const std::wstring documents = backend().documents();
    const auto platform = backend().make();
    const std::wstring out = backend().path("shell-open");
    const auto [file, parameters, expected] = backend().shellTarget(out);
    CHECK(platform->shellExecute(0, L"open", file, parameters, std::nullopt, 1) > 32);
    CHECK(waitForFile(out).ends_with("args=" + expected + "\n"));
    const auto guard = backend().withoutBrowser();
    int messages = 0;
    platform->setMessageBoxSink([&](const MessageBoxRequest &) { return ++messages; });
    orvClassWindows object(*platform);
    std::int32_t window = 0;
    std::wstring url = L"http://127.0.0.1:9/";
    object.ShowInternet(window, &url);
    CHECK(messages == 1);
    // The documents folder as the system names it; Wine gives it with a closing backslash.
    std::wstring folder = object.GetShellPersonalLocation(window);
    if (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    CHECK(folder == documents);
}

TEST_CASE("files: copied, moved, deleted to the recycle bin and for good, on the clipboard")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    const auto path = [](const char *name) {
        return backend().path(name);
    };
    REQUIRE(writeFile(path("a.txt"), "alpha"));
    const auto guard = backend().confirmDialogs();
    object.FileCopy(0, path("a.txt"), path("b.txt"));
    object.FileMove(0, path("b.txt"), path("c.txt"));
    CHECK((exists(path("a.txt")) && !exists(path("b.txt"))));
    CHECK(waitForFile(path("c.txt")) == "alpha");
    std::int32_t window = 0;
    object.FileDelete(window, path("a.txt"));
    CHECK_FALSE(exists(path("a.txt")));
    CHECK(waitForFile(backend().binned("a.txt")) == "alpha");
    object.FileDelete(window, path("c.txt"), true);
    CHECK((!exists(path("c.txt")) && !exists(backend().binned("c.txt"))));
    CHECK(platform->fileExists(backend().binned("a.txt")));
    CHECK_FALSE((platform->fileExists(path("")) || platform->fileExists(path("c.txt"))));
    std::vector<std::wstring> files { path("a b.txt"), path("c.txt") }, pasted;
    CHECK(object.FileCopyClipboard(files));
    CHECK(object.FilePasteClipboard(pasted) == 2);
    CHECK(pasted == files);
}

TEST_CASE("file times in local time, a file open elsewhere refused; a folder listing")
{
    const auto platform = backend().make();
    orvClassWindows object(*platform);
    const std::wstring folder = backend().path("list"), file = folder + L"/one.txt";
    REQUIRE(fs::create_directories(fs::path(folder) / "sub.txt"));
    REQUIRE((writeFile(file, "1") && writeFile(folder + L"/other.dat", "3")));
    backend().setWriteTime(file);
    DateTime creation, access, write, unchanged;
    CHECK(object.ReadFileTime(file, creation, access, write));
    CHECK(write == DateTime { 2024, 3, 9, 9, 5, 7 });
    bool refuses = true;
    if (const auto other = backend().holdOpen(file, refuses); refuses)
        CHECK_FALSE(object.ReadFileLastTime(file, unchanged));
    CHECK(unchanged == DateTime {});
    CHECK_FALSE(object.ReadFileTime(backend().path("missing.txt"), creation, access, write));
    // Files of the pattern, hidden ones too, no folders.
    const std::wstring hidden = backend().writeHidden(folder);
    std::vector<std::wstring> listed;
    object.DirFile(listed, folder, L"*.txt");
    REQUIRE(listed.size() == 101u);
    std::vector<std::wstring> found(listed.begin(), listed.begin() + 2);
    std::vector expected { folder + L"\\" + hidden, folder + L"\\one.txt" };
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    CHECK((found == expected && listed[2] == L"" && platform->fileExists(found[1])));
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
    CHECK(backend().pixel(target, 3, 2) == 0x0000FFu); // the source shows
    CHECK(backend().pixel(target, 2, 1) == 0xFF0000u); // the background shows through
    CHECK(backend().pixel(target, 4, 3) == 0xFF0000u);
    CHECK(backend().pixel(target, 5, 5) == 0u); // outside the rectangle: untouched
    CHECK(backend().pixel(dst, 3, 2) == 0xFF0000u);
}

TEST_CASE("the control adapters: a combo box's height, its list's width in any scale")
{
    const auto platform = backend().make();
    const auto controls = backend().controls();
    orvClassWindows object(*platform);
    ComboBoxObject &combo = controls->combo(3, 0);
    const int before = controls->comboHeight();
    object.SetComboBoxHeight(combo, 150);
    CHECK(controls->comboHeight() - before == 150 - 24);
    CHECK(controls->comboKeptPlace());
    // Fixed widths in the given scale or the form's (96 dots per inch), ties
    // to even; without one, the longest entry in the form's font decides.
    const std::optional<double> none;
    // The form's scale mode, entries, fixed width and its scale mode, the width (-1: measured).
    using Row = std::tuple<std::int32_t, int, std::optional<double>, std::optional<double>, int>;
    // clang-format off
    for (const auto &[formMode, entries, fixWidth, scaleMode, width] : std::initializer_list<Row> {
             { 1, 0, 1500, 1, 100 }, { 5, 0, 2, 5, 192 }, { 3, 0, 100.5, 3, 100 }, { 3, 0, 101.5, 3, 102 },
             { 1, 0, 1500, none, 100 }, { 3, 0, none, none, 5 }, { 3, 8, none, none, -1 }, { 1, 9, none, none, -1 },
             { 3, 3, none, 1, -1 } }) {
        // clang-format on
        CAPTURE(formMode);
        ComboBoxObject &box = controls->combo(formMode, entries);
        object.ComboSetListWidth(box, fixWidth, scaleMode);
        const double longest = controls->textWidth(std::wstring(std::size_t(entries), L'W'));
        CHECK(controls->listWidth()
            == (width >= 0 ? width : int(std::nearbyint(longest + 5 + (entries > 8 ? 15 : 0)))));
    }
}
