// SPDX-License-Identifier: MIT
// The Linux backend for real: the contract's preparations (registry files,
// a probe script, an xdg-open of the test's own, Qt surfaces, boxes answered
// by a timer), and what only this backend does: its registry file format,
// Windows command-line splitting, the freedesktop trash, message box kinds.
// Its own main: the clipboard, boxes and dialogs need a widgets application.
#define DOCTEST_CONFIG_IMPLEMENT
#include "Contract.h"
#include "Expect.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Handles.h"
#include "platform/posix/PosixPlatform.h"
#include "sysutil/orvClassWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <list>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

using namespace orv;
using namespace orv::test;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

std::string narrow(const std::wstring &text)
{
    return QString::fromStdWString(text).toStdString();
}

// Sets an environment variable while it lives.
std::shared_ptr<void> environment(const char *name, const std::string &value)
{
    const char *old = std::getenv(name);
    auto restore = [name, had = old != nullptr, was = std::string(old ? old : "")](void *p) {
        had ? setenv(name, was.c_str(), 1) : unsetenv(name);
        ::operator delete(p);
    };
    setenv(name, value.c_str(), 1);
    return std::shared_ptr<void>(::operator new(1), restore);
}

// Calls the answer with the next modal widget of type T, on the event loop
// the box or dialog runs, while the guard lives.
template <typename T> std::shared_ptr<void> whenShown(std::function<void(T &)> answer)
{
    auto timer = std::make_shared<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [t = timer.get(), answer] {
        if (auto *shown = qobject_cast<T *>(QApplication::activeModalWidget())) {
            t->stop();
            answer(*shown);
        }
    });
    timer->start(20);
    return timer;
}

class PosixBackend : public Backend
{
public:
    PosixBackend()
    {
        char name[] = "/tmp/orvel-test-XXXXXX";
        m_dir = ::mkdtemp(name);
        writeFile(path("probe.sh"),
            "#!/bin/sh\nout=$1; shift\n"
            "printf 'show=%s args=%s\\n' \"$ORVEL_SHOW_WINDOW\" \"$*\" > \"$out.tmp\"\n"
            "mv \"$out.tmp\" \"$out\"\n");
        ::chmod(narrow(path("probe.sh")).c_str(), 0755);
        m_data = environment("XDG_DATA_HOME", narrow(path("data")));
    }
    ~PosixBackend() override
    {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    std::unique_ptr<Platform> make() override { return std::make_unique<PosixPlatform>(""); }
    std::wstring path(const std::string &name) override
    {
        return QString::fromStdString(m_dir + '/' + name).toStdWString();
    }
    std::uint32_t platformId() override { return 0; }
    std::unique_ptr<Platform> seededRegistry() override
    {
        writeFile(path("seeded.reg"),
            "[HKEY_CURRENT_USER\\Software\\OrvelBrowserTest]\n\"Text\"=\"Hallo\"\n"
            "\"Number\"=dword:0000011f\n\"Wide\"=\"Gr\xC3\xBC\xC3\x9F"
            "e\"\n\"Long\"=\""
                + std::string(1500, 'x') + "\"\n");
        return std::make_unique<PosixPlatform>(narrow(path("seeded.reg")));
    }
    std::wstring probe(const std::wstring &out, const std::wstring &arguments) override
    {
        return L'"' + path("probe.sh") + L"\" \"" + out + L"\" " + arguments;
    }
    ShellTarget shellTarget(const std::wstring &out) override
    {
        // xdg-open of its own, the probe reporting what it was given.
        fs::create_directories(m_dir + "/bin");
        writeFile(path("bin/xdg-open"),
            "#!/bin/sh\nexec '" + narrow(path("probe.sh")) + "' '" + narrow(out) + "' \"$@\"\n");
        ::chmod((m_dir + "/bin/xdg-open").c_str(), 0755);
        if (!m_path)
            m_path = environment("PATH", m_dir + "/bin:" + std::getenv("PATH"));
        return { L"a.txt", std::nullopt, "a.txt" };
    }
    std::pair<std::wstring, std::wstring> writer(const std::wstring &out) override
    {
        return { path("probe.sh"), L'"' + out + L"\" x" };
    }
    std::shared_ptr<void> withoutBrowser() override
    {
        return environment("PATH", m_dir + "/nothing-here");
    }
    std::wstring binned(const std::string &name) override
    {
        return path("data/Trash/files/" + name);
    }
    std::shared_ptr<void> holdOpen(const std::wstring &file, bool &refuses) override
    {
        const int fd = ::open(narrow(file).c_str(), O_RDONLY);
        // Refusing takes a write lease, which not every file system grants.
        refuses = ::fcntl(fd, F_GETLEASE) >= 0;
        return std::shared_ptr<void>(nullptr, [fd](void *) { ::close(fd); });
    }
    void setWriteTime(const std::wstring &file) override
    {
        std::tm local { 7, 5, 9, 9, 2, 2024 - 1900, 0, 0, -1, 0, nullptr };
        const timespec times[2]
            = { { std::mktime(&local), 800000000 }, { std::mktime(&local), 800000000 } };
        ::utimensat(AT_FDCWD, narrow(file).c_str(), times, 0);
    }
    std::wstring writeHidden(const std::wstring &folder) override
    {
        writeFile(folder + L"/.hidden.txt", "2");
        return L".hidden.txt";
    }
    DeviceContext surface(int size, std::uint32_t colour) override
    {
        QImage &image = m_images.emplace_back(size, size, QImage::Format_RGB32);
        image.fill(rgb(colour));
        return posix::registerSurface(&image);
    }
    void setPixel(DeviceContext dc, int x, int y, std::uint32_t colour) override
    {
        posix::imageOf(dc)->setPixel(x, y, rgb(colour));
    }
    std::uint32_t pixel(DeviceContext dc, int x, int y) override
    {
        const QRgb shown = posix::imageOf(dc)->pixel(x, y);
        return std::uint32_t(qRed(shown) | qGreen(shown) << 8 | qBlue(shown) << 16);
    }
    std::unique_ptr<Platform> withoutScriptShell(int *&attempts) override
    {
        auto platform = std::make_unique<NoScriptShell<PosixPlatform>>("");
        platform->systemFolder
            = (QCoreApplication::applicationDirPath() + QStringLiteral("/server")).toStdWString();
        attempts = &platform->attempts;
        return platform;
    }
    void setEnvironment(const char *name, const std::string &value) override
    {
        setenv(name, value.c_str(), 1);
    }
    std::wstring documents() override
    {
        m_home = environment("HOME", m_dir);
        m_config = environment("XDG_CONFIG_HOME", m_dir + "/config");
        fs::create_directories(m_dir + "/config");
        writeFile(path("config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
        return path("Papiere");
    }
    std::shared_ptr<void> answerBox(const std::wstring &caption, std::wstring &text) override
    {
        return whenShown<QMessageBox>([caption, &text](QMessageBox &box) {
            if (box.windowTitle().toStdWString() == caption)
                text = box.text().toStdWString();
            box.button(QMessageBox::Ok)->click();
        });
    }

private:
    static QRgb rgb(std::uint32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

    std::string m_dir;
    std::list<QImage> m_images;
    std::shared_ptr<void> m_data, m_path, m_home, m_config;
};

// A text value read through a backend on a registry file of this content.
std::optional<std::string> readValue(const std::string &content, std::uint32_t root,
    const std::wstring &key, const std::wstring &name, std::uint32_t &type)
{
    writeFile(backend().path("test.reg"), content);
    PosixPlatform platform(narrow(backend().path("test.reg")));
    RegistryKey handle = 0;
    if (platform.regOpenKeyEx(root, key, 0x2003F, handle) != 0)
        return std::nullopt;
    std::string buffer(64, '\0');
    std::uint32_t size = 64;
    const std::uint32_t error = platform.regQueryValueEx(handle, name, type, buffer, size);
    platform.regCloseKey(handle);
    return error == 0 ? buffer.substr(0, size) : "error " + std::to_string(error);
}

} // namespace

Backend &orv::test::backend()
{
    static PosixBackend backend;
    return backend;
}

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    return doctest::Context(argc, argv).run();
}

TEST_CASE("the registry file: its syntax, names without case, deleted keys and values")
{
    const std::string orvel
        = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvel]\r\n";
    const std::wstring key = L"SOFTWARE\\Orvel";
    struct Row
    {
        std::string file;
        std::uint32_t root = kHkeyLocalMachine;
        std::wstring key, name;
        std::optional<std::string> bytes; // nullopt: no such key
        std::uint32_t type = kRegText;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { orvel + "\"Path\"=\"/usr/bin/tool\"", kHkeyLocalMachine, key, L"Path", "/usr/bin/tool\0"s },
             { orvel + "\"Path\"=\"x\"", kHkeyLocalMachine, L"software\\ORVEL", L"PATH", "x\0"s },
             { orvel + "\"E\"=\"a\\\\b\\\"c\"", kHkeyLocalMachine, key, L"E", "a\\b\"c\0"s },
             { orvel + "\"N\"=\"Gr\xC3\xBC\xC3\x9F" "e\"", kHkeyLocalMachine, key, L"N", "Gr\xC3\xBC\xC3\x9F" "e\0"s },
             { orvel + "\"Count\"=dword:0000011f", kHkeyLocalMachine, key, L"Count", "\x1F\x01\0\0"s, kRegNumber },
             { orvel + "\"X\"=hex(2):25,00,41,00", kHkeyLocalMachine, key, L"X", "%\0A\0"s, kRegExpandText },
             { orvel + "\"Bin\"=hex:01,02,\\\n  03", kHkeyLocalMachine, key, L"Bin", "\1\2\3"s, kRegBinary },
             { orvel + "@=\"standard\"", kHkeyLocalMachine, key, L"", "standard\0"s },
             { orvel + "\"V\"=\"a\"\n\"v\"=\"b\"", kHkeyLocalMachine, key, L"V", "b\0"s },
             { "[HKCU\\Software\\Orvel]\n\"V\"=\"u\"", kHkeyCurrentUser, L"Software\\Orvel", L"V", "u\0"s },
             { "\xEF\xBB\xBF" + orvel + "\"V\"=\"m\"", kHkeyLocalMachine, key, L"V", "m\0"s },
             { orvel + "\"V\"=\"a\"", kHkeyLocalMachine, key, L"W", "error 2" },
             { orvel + "\"V\"=\"a\"\n\"V\"=-", kHkeyLocalMachine, key, L"V", "error 2" },
             { orvel + "\"Bad\"=word:1\n\"Good\"=\"ok\"", kHkeyLocalMachine, key, L"Bad", "error 2" },
             { orvel + "\"Bad\"=word:1\n\"Good\"=\"ok\"", kHkeyLocalMachine, key, L"Good", "ok\0"s },
             { orvel + "\"V\"=\"a\"", kHkeyLocalMachine, L"SOFTWARE", L"V", "error 2" },
             { orvel + "\"V\"=\"a\"", kHkeyLocalMachine, L"SOFTWARE\\Orv", L"V", std::nullopt },
             { orvel, kHkeyCurrentUser, key, L"V", std::nullopt },
             { orvel + "\"V\"=\"a\"\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvel]", kHkeyLocalMachine, key, L"V", std::nullopt },
             { orvel + "\"Long\"=\"" + std::string(70, 'x') + "\"", kHkeyLocalMachine, key, L"Long", "error 234" } }) {
        // clang-format on
        CAPTURE(row.file);
        std::uint32_t type = 0;
        CHECK(readValue(row.file, row.root, row.key, row.name, type) == row.bytes);
        if (row.bytes && !row.bytes->starts_with("error"))
            CHECK(type == row.type);
    }
}

TEST_CASE("the built-in system information tool: the preferred one on the search path")
{
    const auto folder = [](const char *name) {
        return narrow(backend().path(name));
    };
    for (const char *name : { "empty", "plain", "tools", "with blank" })
        fs::create_directories(folder(name));
    writeFile(backend().path("plain/hardinfo"), "not executable");
    for (const char *tool : { "tools/kinfocenter", "tools/cpu-x", "with blank/hardinfo" }) {
        writeFile(backend().path(tool), "#!/bin/sh\n");
        ::chmod(folder(tool).c_str(), 0755);
    }
    const auto tool = [](const std::string &searchPath) {
        const auto value
            = PosixPlatform::builtInRegistry(searchPath)
                  .value(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
        return value ? value->data : "none"s;
    };
    CHECK(tool(folder("empty") + ':' + folder("plain")) == "none");
    // The preferred tool wins over the folder order.
    CHECK(tool(folder("plain") + ':' + folder("tools")) == folder("tools") + "/kinfocenter\0"s);
    CHECK(tool(folder("with blank")) == '"' + folder("with blank") + "/hardinfo\"\0"s);
    // Through the backend: the search path of the moment, under the file's entries.
    const auto searchPath = environment("PATH", folder("tools"));
    const std::wstring key = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string entry = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n";
    std::uint32_t type = 0;
    CHECK(readValue("", kHkeyLocalMachine, key, L"PATH", type)
        == folder("tools") + "/kinfocenter\0"s);
    CHECK(readValue(entry + "\"PATH\"=\"/opt/x\"\n", kHkeyLocalMachine, key, L"PATH", type)
        == "/opt/x\0"s);
    CHECK(readValue("[-" + entry.substr(1), kHkeyLocalMachine, key, L"PATH", type) == std::nullopt);
}

TEST_CASE("command lines are split as Windows splits them; applets do not start here")
{
    struct Row
    {
        std::wstring line;
        std::vector<std::wstring> arguments;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { L"rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1", { L"rundll32.exe", L"shell32.dll,Control_RunDLL", L"appwiz.cpl,,1" } },
             { L"\"C:\\Program Files\\x.exe\" /a", { L"C:\\Program Files\\x.exe", L"/a" } },
             { L"p \"a b\" c", { L"p", L"a b", L"c" } }, { L"  p \t a  ", { L"p", L"a" } },
             { L"p \"\"", { L"p", L"" } }, { L"p a\\\"b", { L"p", L"a\"b" } },
             { L"p a\\\\\"b c\"", { L"p", L"a\\b c" } }, { L"p C:\\dir\\ x", { L"p", L"C:\\dir\\", L"x" } },
             { L"p \"a\"\"b\"", { L"p", L"a\"b" } }, { L"\"C:\\dir\\\" a", { L"C:\\dir\\", L"a" } },
             { L"   ", {} } })
        // clang-format on
        CHECK(splitCommandLine(row.line) == row.arguments);
    PosixPlatform platform("");
    CHECK(platform.startProcess(L"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", 5)
        == kErrorFileNotFound);
    CHECK(platform.startProcess(L"  ", 1) == kErrorFileNotFound);
    orvClassWindows object(platform);
    bool wait = true;
    CHECK(object.Datei_ausführen(backend().path("missing"), L"", wait));
}

TEST_CASE("the shell: xdg-open in the given folder, no other verb, no windows")
{
    PosixPlatform platform("");
    const std::wstring out = backend().path("shell-folder");
    backend().shellTarget(out);
    fs::create_directories(narrow(backend().path("work")));
    CHECK(
        platform.shellExecute(0, L"Open", L"b.txt", std::nullopt, backend().path("work"), 1) > 32);
    CHECK(waitForFile(out).ends_with("args=b.txt\n"));
    CHECK(platform.shellExecute(0, L"find", L"", std::nullopt, std::nullopt, 1) == 31);
    orvClassWindows object(platform);
    std::int32_t window = 0;
    std::wstring file = L"a.txt";
    CHECK(object.ShowFileProperties(window, &file) == 31);
    CHECK(platform.findWindow(L"Shell_TrayWnd", L"") == 0);
    CHECK_FALSE(platform.setWindowPos(1, 0, 0, 0, 0, 0, 0x80));
}

TEST_CASE("message boxes: the flags choose icon and buttons, the button the answer")
{
    using B = QMessageBox;
    struct Row
    {
        std::uint32_t flags;
        B::Icon icon;
        int buttons;
        B::StandardButton click;
        std::int32_t answer;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { 0, B::NoIcon, B::Ok, B::Ok, 1 }, { 16, B::Critical, B::Ok, B::Ok, 1 },
             { 64, B::Information, B::Ok, B::Ok, 1 },
             { 0x21, B::Question, B::Ok | B::Cancel, B::Cancel, 2 },
             { 0x32, B::Warning, B::Abort | B::Retry | B::Ignore, B::Ignore, 5 },
             { 3, B::NoIcon, B::Yes | B::No | B::Cancel, B::Yes, 6 },
             { 4, B::NoIcon, B::Yes | B::No, B::No, 7 }, { 5, B::NoIcon, B::Retry | B::Cancel, B::Retry, 4 } }) {
        // clang-format on
        CAPTURE(row.flags);
        PosixPlatform platform("");
        int icon = -1, buttons = -1;
        const auto answer = whenShown<QMessageBox>([&](QMessageBox &box) {
            icon = box.icon();
            buttons = int(box.standardButtons());
            box.button(row.click)->click();
        });
        CHECK(platform.messageBox(0, L"Text", L"Titel", row.flags) == row.answer);
        CHECK((icon == row.icon && buttons == row.buttons));
    }
}

TEST_CASE("the trash: its information file, a second name, an existing target kept")
{
    PosixPlatform platform("");
    orvClassWindows object(platform);
    const auto path = [](const char *name) {
        return backend().path(name);
    };
    writeFile(path("t.txt"), "one");
    std::int32_t window = 0;
    object.FileDelete(window, path("t.txt"));
    CHECK(waitForFile(path("data/Trash/info/t.txt.trashinfo"))
              .starts_with("[Trash Info]\nPath=" + narrow(path("t.txt")) + "\nDeletionDate=20"));
    writeFile(path("t.txt"), "two");
    object.FileDelete(window, path("t.txt"));
    CHECK(waitForFile(path("data/Trash/files/t.txt.2")) == "two");
    // Nobody confirms a replacement: an existing target stays.
    writeFile(path("d.txt"), "delta");
    writeFile(path("e.txt"), "echo");
    object.FileCopy(0, path("e.txt"), path("d.txt"));
    CHECK(waitForFile(path("d.txt")) == "delta");
}

TEST_CASE("the clipboard: another program's address list, and text that is none")
{
    PosixPlatform platform("");
    orvClassWindows object(platform);
    auto *other = new QMimeData;
    other->setUrls({ QUrl::fromLocalFile(QStringLiteral("/x/y")) });
    QGuiApplication::clipboard()->setMimeData(other);
    std::vector<std::wstring> pasted;
    CHECK(object.FilePasteClipboard(pasted) == 1);
    CHECK(pasted == std::vector { L"/x/y"s });
    QGuiApplication::clipboard()->setText(QStringLiteral("text"));
    CHECK(object.FilePasteClipboard(pasted) == 0);
}

TEST_CASE("the folder dialog: a choice with its backslash, or nothing")
{
    const std::string chosen = narrow(backend().path("chosen"));
    fs::create_directories(chosen);
    for (const bool accepted : { true, false }) {
        const auto answer = whenShown<QFileDialog>([&](QFileDialog &dialog) {
            if (!accepted)
                return dialog.reject();
            dialog.setDirectory(QString::fromStdString(chosen));
            static_cast<QDialog &>(dialog).accept(); // protected in QFileDialog
        });
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::int32_t window = 0;
        CHECK(narrow(object.GetBrowseDirectory(window)) == (accepted ? chosen + '\\' : ""));
    }
}

TEST_CASE("the version is the kernel release")
{
    PosixPlatform platform("");
    OsVersionInfo record;
    record.size = kOsVersionInfoSize;
    REQUIRE(platform.getVersionEx(record));
    utsname system {};
    ::uname(&system);
    CHECK(std::string(system.release)
              .starts_with(std::to_string(record.majorVersion) + '.'
                  + std::to_string(record.minorVersion) + '.'));
}
