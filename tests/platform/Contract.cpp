// SPDX-License-Identifier: MIT
// The contract of a backend and of the control adapters, on the real system,
// through the utility class where the class is the one that reads the answers.
#include "Contract.h"

#include "Expect.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

using namespace orv;
using namespace orv::test;
using namespace std::string_literals;
namespace fs = std::filesystem;

std::string orv::test::waitForFile(const std::wstring &path)
{
    for (int i = 0; i < 750; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        std::ifstream file { fs::path(path), std::ios::binary };
        std::string text { std::istreambuf_iterator<char>(file), {} };
        std::erase(text, '\r'); // as a text, in any system's line ends
        if (!text.empty())
            return text;
    }
    return {};
}

bool orv::test::writeFile(const std::wstring &path, const std::string &content)
{
    std::ofstream file { fs::path(path), std::ios::binary };
    return bool(file << content);
}

std::optional<std::string> orv::test::registryValue(
    Platform &platform, std::uint32_t root, const std::wstring &key, const std::wstring &name)
{
    RegistryKey handle = 0;
    if (const std::uint32_t error = platform.regOpenKeyEx(root, key, 0x2003F, handle)) {
        CHECK((error == kErrorFileNotFound && handle == 0u));
        return std::nullopt;
    }
    std::string buffer(64, '\0');
    std::uint32_t size = 64, type = 0;
    const std::uint32_t error = platform.regQueryValueEx(handle, name, type, buffer, size);
    CHECK(platform.regCloseKey(handle) == kErrorSuccess);
    if (error)
        return "error " + std::to_string(error)
            + (error == kErrorMoreData ? ' ' + std::to_string(size) : "");
    return std::to_string(type) + ':' + buffer.substr(0, size);
}

namespace {

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
    using Row = std::tuple<std::wstring, std::wstring, std::optional<std::string>>;
    // clang-format off
    for (const auto &[subKey, name, expected] : std::initializer_list<Row> {
             { key, L"Text", "1:Hallo\0"s }, { key, L"Number", "4:\x1F\x01\0\0"s }, { key, L"Long", "error 234 1501" },
             { key, L"Wide", "1:" + platform->toSystemText(L"Gr\u00FC\u00DFe") + '\0' }, // in the system's code page
             { key, L"None", "error 2" }, { key + L"\\None", L"Text", std::nullopt } })
        // clang-format on
        CHECK(registryValue(*platform, kHkeyCurrentUser, subKey, name) == expected);
    CHECK(platform->regCloseKey(0) == kErrorInvalidHandle);
}

TEST_CASE_FIXTURE(WithClass, "running: show values, a waited run, a library's entry on a thread")
{
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
    const std::wstring out = backend().path("ran.txt");
    bool wait = true;
    CHECK_FALSE(object.Datei_ausführen(backend().probe(), L'"' + out + L"\" x", wait));
    CHECK((fs::exists(out) && wait));
    // A library's registration entry runs on a thread of its own.
    const LibraryHandle library = platform->loadLibrary(backend().server());
    REQUIRE(library != 0);
    CHECK(platform->getProcAddress(library, "DllGetClassObject") == 0);
    const ThreadHandle thread
        = platform->createThread(platform->getProcAddress(library, "DllRegisterServer"));
    CHECK(platform->waitForSingleObject(thread, 10000) == 0u);
    CHECK(reinterpret_cast<long (*)()>(platform->getProcAddress(library, "registrations"))() == 1);
    CHECK((platform->closeThreadHandle(thread) && platform->freeLibrary(library)));
    CHECK(platform->loadLibrary(backend().path("missing.ocx")) == 0);
}

TEST_CASE_FIXTURE(WithClass, "the shell's open verb in any case, a failing browser; documents")
{
    const std::wstring documents = backend().documents();
    // The verb in any case, in a working folder or none.
    for (const std::optional<std::wstring> &folder :
        { std::optional<std::wstring> {}, std::optional { backend().path("") } }) {
        const std::wstring out = backend().path("shell-" + std::to_string(folder.has_value()));
        const auto [file, parameters, expected] = backend().shellTarget(out);
        CHECK(platform->shellExecute(0, folder ? L"Open" : L"open", file, parameters, folder, 1)
            > 32);
        CHECK(waitForFile(out).ends_with("args=" + expected + "\n"));
    }
    const auto guard = backend().withoutBrowser();
    int messages = 0;
    platform->setMessageBoxSink([&](const MessageBoxRequest &) { return ++messages; });
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

TEST_CASE_FIXTURE(WithClass, "files: copied, moved, binned or deleted, on the clipboard")
{
    Backend &b = backend();
    REQUIRE(writeFile(b.path("a.txt"), "alpha"));
    const auto guard = b.confirmDialogs();
    object.FileCopy(0, b.path("a.txt"), b.path("b.txt"));
    object.FileMove(0, b.path("b.txt"), b.path("c.txt"));
    CHECK((fs::exists(b.path("a.txt")) && !fs::exists(b.path("b.txt"))));
    CHECK(waitForFile(b.path("c.txt")) == "alpha");
    std::int32_t window = 0;
    object.FileDelete(window, b.path("a.txt"));
    CHECK_FALSE(fs::exists(b.path("a.txt")));
    CHECK(waitForFile(b.binned("a.txt")) == "alpha");
    object.FileDelete(window, b.path("c.txt"), true);
    CHECK((!fs::exists(b.path("c.txt")) && !fs::exists(b.binned("c.txt"))));
    CHECK(platform->fileExists(b.binned("a.txt")));
    CHECK_FALSE((platform->fileExists(b.path("")) || platform->fileExists(b.path("c.txt"))));
    std::vector<std::wstring> files { b.path("a b.txt"), b.path("c.txt") }, pasted;
    CHECK(object.FileCopyClipboard(files));
    CHECK(object.FilePasteClipboard(pasted) == 2);
    CHECK(pasted == files);
}

TEST_CASE_FIXTURE(WithClass, "file times in local time, a file open elsewhere refused; listings")
{
    const std::wstring folder = backend().path("list"), file = folder + L"/one.txt";
    REQUIRE(fs::create_directories(fs::path(folder) / "sub.txt"));
    REQUIRE((writeFile(file, "1") && writeFile(folder + L"/other.dat", "3")
        && writeFile(folder + L"/.hidden.txt", "2")));
    backend().hide(folder + L"/.hidden.txt");
    backend().setWriteTime(file);
    DateTime creation, access, write, unchanged;
    CHECK(object.ReadFileTime(file, creation, access, write));
    CHECK(write == DateTime { 2024, 3, 9, 9, 5, 7 });
    bool refuses = true;
    if (const auto other = backend().holdOpen(file, refuses); refuses)
        CHECK_FALSE(object.ReadFileLastTime(file, unchanged));
    CHECK(unchanged == DateTime {});
    CHECK_FALSE(object.ReadFileTime(backend().path("missing.txt"), creation, access, write));
    // No name of the file asked before is left over for a missing one.
    std::wstring named = file, missing = backend().path("missing.txt");
    (void)object.GetFileEx(named);
    CHECK(object.GetFileEx(missing) == L"|");
    // Files of the pattern, hidden ones too, no folders.
    std::vector<std::wstring> listed;
    object.DirFile(listed, folder, L"*.txt");
    REQUIRE(listed.size() == 101u);
    std::vector<std::wstring> found(listed.begin(), listed.begin() + 2);
    std::sort(found.begin(), found.end());
    CHECK((found == std::vector { folder + L"\\.hidden.txt", folder + L"\\one.txt" }
        && listed[2] == L"" && platform->fileExists(found[0])));
}

TEST_CASE_FIXTURE(WithClass, "a transparent copy: the source but for its key colour")
{
    // A red point on green, the key colour; a blue background; a black target.
    std::int32_t src = backend().surface(6, 0x00FF00), dst = backend().surface(6, 0xFF0000);
    std::int32_t target = backend().surface(6, 0), red = backend().surface(1, 0x0000FF);
    platform->bitBlt(src, 1, 1, 1, 1, red, 0, 0, 0xCC0020); // a copy
    std::int32_t x = 0, y = 0, xx = 3, yy = 3, colour = 0x00FF00;
    object.TranspPic(target, dst, src, x, y, xx, yy, 2, 1, colour);
    // The source shows, the background shows through twice, outside the rectangle untouched.
    for (const auto &[dc, atX, atY, shown] : { std::tuple { target, 3, 2, 0x0000FFu },
             std::tuple { target, 2, 1, 0xFF0000u }, std::tuple { target, 4, 3, 0xFF0000u },
             std::tuple { target, 5, 5, 0u }, std::tuple { dst, 3, 2, 0xFF0000u } })
        CHECK(backend().pixel(dc, atX, atY) == shown);
}

TEST_CASE_FIXTURE(WithClass, "the combo box adapter: its height, its list's width in any scale")
{
    const auto controls = backend().controls();
    ComboBoxObject &combo = controls->combo(3, 0);
    const int before = controls->comboPlace()[3];
    object.SetComboBoxHeight(combo, 150);
    CHECK(controls->comboPlace() == std::array { 10, 20, 4, before + 150 - 24 });
    // Fixed widths in the given scale or the form's (96 dots per inch), ties
    // to even; without one, the longest entry in the form's font decides, and
    // a list that scrolls is wider by its scroll bar.
    const std::optional<double> none;
    // The form's scale mode, entries, fixed width and its scale mode, the width (-1: measured).
    using Row = std::tuple<std::int32_t, int, std::optional<double>, std::optional<double>, int>;
    // clang-format off
    for (const auto &[formMode, entries, fixWidth, scaleMode, width] : std::initializer_list<Row> {
             { 1, 0, 1500, 1, 100 }, { 5, 0, 2, 5, 192 }, { 3, 0, 100.5, 3, 100 }, { 3, 0, 101.5, 3, 102 },
             { 1, 0, 1500, none, 100 }, { 3, 0, none, none, 5 } }) {
        // clang-format on
        CAPTURE(formMode);
        object.ComboSetListWidth(controls->combo(formMode, entries), fixWidth, scaleMode);
        CHECK(controls->listWidth() == width);
    }
    std::vector<int> measured;
    for (const int entries : { 8, 9 }) {
        object.ComboSetListWidth(controls->combo(3, entries));
        measured.push_back(controls->listWidth());
        CHECK(measured.back() > controls->textWidth(std::wstring(std::size_t(entries), L'W')));
    }
    CHECK(measured[1] - measured[0] > controls->textWidth(L"W")); // the scroll bar
}
