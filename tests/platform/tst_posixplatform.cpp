// SPDX-License-Identifier: MIT
// The Linux backend for real: the contract's preparations (registry files,
// a probe script, an xdg-open of the test's own, Qt surfaces and widgets),
// and what only this backend does: its registry file format, Windows
// command-line splitting, the kernel's version, the freedesktop trash,
// message box kinds, Qt dialogs.
// Its own main: the clipboard, boxes and dialogs need a widgets application.
#define DOCTEST_CONFIG_IMPLEMENT
#include "Contract.h"
#include "Expect.h"
#include "platform/Utf8.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Handles.h"
#include "platform/posix/State.h"
#include "sysutil/controls/SystemControls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <list>
#include <set>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

using namespace orv;
using namespace orv::test;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

using platform::toUtf8;

// The backend reading this registry file ("": none).
std::unique_ptr<Platform> withRegistry(const std::string &file)
{
    return std::make_unique<SystemPlatform>(std::make_unique<SystemPlatform::State>(file));
}

std::string scratch(const std::string &name)
{
    return toUtf8(backend().path(name));
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

// A file written, in a folder made for it, and made executable.
void writeProgram(const std::string &name, const std::string &content, mode_t mode = 0755)
{
    fs::create_directories(fs::path(scratch(name)).parent_path());
    writeFile(backend().path(name), content);
    ::chmod(scratch(name).c_str(), mode);
}

// Qt widgets on a shown window of the offscreen platform.
class QtControls : public Controls
{
public:
    QtControls()
    {
        m_window.setGeometry(100, 80, 400, 300);
        m_window.show();
        REQUIRE(m_window.logicalDpiX() == 96);
    }
    ComboBoxObject &combo(std::int32_t scaleMode, int entries) override
    {
        m_form = std::make_unique<controls::SystemForm>(&m_window, scaleMode);
        delete m_box;
        m_box = new QComboBox(&m_window);
        m_box->setGeometry(10, 20, 4, 24);
        for (int i = 0; i < entries; ++i)
            m_box->addItem(QString(i + 1, QLatin1Char('W')));
        m_combo = std::make_unique<controls::SystemComboBox>(m_box, *m_form);
        return *m_combo;
    }
    std::array<int, 4> comboPlace() override
    {
        return { m_box->x(), m_box->y(), m_box->width(), m_box->height() };
    }
    int listWidth() override { return m_box->view()->minimumWidth(); }
    double textWidth(const std::wstring &text) override
    {
        return QFontMetricsF(m_window.font()).horizontalAdvance(QString::fromStdWString(text));
    }

private:
    QWidget m_window;
    QComboBox *m_box = nullptr;
    std::unique_ptr<controls::SystemForm> m_form;
    std::unique_ptr<controls::SystemComboBox> m_combo;
};

class PosixBackend : public Backend
{
public:
    std::unique_ptr<Platform> make() override { return withRegistry(""); }
    std::unique_ptr<Platform> seededRegistry() override
    {
        writeFile(path("seeded.reg"),
            "[HKEY_CURRENT_USER\\Software\\OrvelBrowserTest]\n\"Text\"=\"Hallo\"\n"
            "\"Number\"=dword:0000011f\n\"Wide\"=\"Gr\u00FC\u00DFe\"\n\"Long\"=\""
                + std::string(1500, 'x') + "\"\n");
        return withRegistry(scratch("seeded.reg"));
    }
    std::wstring probe() override
    {
        writeProgram("probe.sh",
            "#!/bin/sh\nout=$1; shift\n"
            "printf 'show=%s args=%s\\n' \"$ORVEL_SHOW_WINDOW\" \"$*\" > \"$out.tmp\"\n"
            "mv \"$out.tmp\" \"$out\"\n");
        return path("probe.sh");
    }
    std::tuple<std::wstring, std::optional<std::wstring>, std::string> shellTarget(
        const std::wstring &out) override
    {
        // xdg-open of its own, the probe reporting what it was given.
        writeProgram("bin/xdg-open",
            "#!/bin/sh\nexec '" + toUtf8(probe()) + "' '" + toUtf8(out) + "' \"$@\"\n");
        if (!m_path)
            m_path = environment("PATH", scratch("bin") + ':' + std::getenv("PATH"));
        return { L"a.txt", std::nullopt, "a.txt" };
    }
    std::shared_ptr<void> withoutBrowser() override { return environment("PATH", scratch("x")); }
    std::wstring binned(const std::string &name) override
    {
        return path("data/Trash/files/" + name);
    }
    std::shared_ptr<void> holdOpen(const std::wstring &file, bool &refuses) override
    {
        const int fd = ::open(toUtf8(file).c_str(), O_RDONLY);
        // Refusing takes a write lease, which not every file system grants.
        refuses = ::fcntl(fd, F_GETLEASE) >= 0;
        return std::shared_ptr<void>(nullptr, [fd](void *) { ::close(fd); });
    }
    void setWriteTime(const std::wstring &file) override
    {
        std::tm local { 7, 5, 9, 9, 2, 2024 - 1900, 0, 0, -1, 0, nullptr };
        const timespec time { std::mktime(&local), 800000000 }, times[2] { time, time };
        ::utimensat(AT_FDCWD, toUtf8(file).c_str(), times, 0);
    }
    DeviceContext surface(int size, std::uint32_t colour) override
    {
        QImage &image = m_images.emplace_back(size, size, QImage::Format_RGB32);
        image.fill(rgb(colour));
        return posix::registerSurface(&image);
    }
    std::uint32_t pixel(DeviceContext dc, int x, int y) override
    {
        const QRgb shown = posix::imageOf(dc)->pixel(x, y);
        return std::uint32_t(qRed(shown) | qGreen(shown) << 8 | qBlue(shown) << 16);
    }
    std::wstring server() override
    {
        return (QCoreApplication::applicationDirPath() + "/server/wshom.ocx").toStdWString();
    }
    std::wstring documents() override
    {
        m_home = environment("HOME", scratch(""));
        m_config = environment("XDG_CONFIG_HOME", scratch("config"));
        fs::create_directories(scratch("config"));
        writeFile(path("config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
        return path("Papiere");
    }
    std::unique_ptr<Controls> controls() override { return std::make_unique<QtControls>(); }

private:
    static QRgb rgb(std::uint32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

    std::list<QImage> m_images;
    std::shared_ptr<void> m_data = environment("XDG_DATA_HOME", toUtf8(path("data"))), m_path,
                          m_home, m_config;
};

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

TEST_CASE("the registry file: its syntax, names without case, deleted keys and values; the "
          "system information tool's built-in entry, the preferred tool on the search path")
{
    writeProgram("plain/hardinfo", "not executable", 0644);
    for (const char *tool : { "tools/kinfocenter", "tools/cpu-x", "with blank/hardinfo" })
        writeProgram(tool, "#!/bin/sh\n");
    const std::string orvel
        = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvel]\r\n";
    const std::wstring key = L"SOFTWARE\\Orvel",
                       info = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string entry = "[HKEY_LOCAL_MACHINE\\" + toUtf8(info) + "]\n";
    const std::string plain = scratch("plain");
    const std::uint32_t lm = kHkeyLocalMachine;
    // The file, where the value is, what it reads, the search path.
    using Row = std::tuple<std::string, std::uint32_t, std::wstring, std::wstring,
        std::optional<std::string>, std::string>;
    // clang-format off
    for (const auto &[file, root, subKey, name, expected, searchPath] : std::initializer_list<Row> {
             { orvel + "\"Path\"=\"x\"", lm, L"software\\ORVEL", L"PATH", "1:x\0"s, plain },
             { orvel + "\"E\"=\"a\\\\b\\\"c\"", lm, key, L"E", "1:a\\b\"c\0"s, plain },
             { orvel + "\"X\"=hex(2):25,00,41,00", lm, key, L"X", "2:%\0A\0"s, plain },
             { orvel + "\"Bin\"=hex:01,02,\\\n  03", lm, key, L"Bin", "3:\1\2\3"s, plain },
             { orvel + "@=\"standard\"", lm, key, L"", "1:standard\0"s, plain },
             { "[HKCU\\Software\\Orvel]\n\"V\"=\"u\"", kHkeyCurrentUser, L"Software\\Orvel", L"V", "1:u\0"s, plain },
             { "\xEF\xBB\xBF" + orvel + "\"V\"=\"m\"", lm, key, L"V", "1:m\0"s, plain },
             { orvel + "\"V\"=\"a\"\n\"V\"=-", lm, key, L"V", "error 2", plain },
             { orvel + "\"Bad\"=word:1\n\"Good\"=\"ok\"", lm, key, L"Bad", "error 2", plain },
             { orvel + "\"Bad\"=word:1\n\"Good\"=\"ok\"", lm, key, L"Good", "1:ok\0"s, plain },
             { orvel + "\"V\"=\"a\"", lm, L"SOFTWARE", L"V", "error 2", plain }, // a parent key
             { orvel + "\"V\"=\"a\"", lm, L"SOFTWARE\\Orv", L"V", std::nullopt, plain },
             { orvel, kHkeyCurrentUser, key, L"V", std::nullopt, plain },
             { orvel + "\"V\"=\"a\"\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvel]", lm, key, L"V", std::nullopt, plain },
             { "", lm, info, L"PATH", std::nullopt, plain }, // not executable
             { "", lm, info, L"PATH", "1:" + scratch("tools/kinfocenter") + '\0', plain + ':' + scratch("tools") }, // preferred
             { "", lm, info, L"PATH", "1:\"" + scratch("with blank/hardinfo") + "\"\0"s, scratch("with blank") },
             { entry + "\"PATH\"=\"/opt/x\"\n", lm, info, L"PATH", "1:/opt/x\0"s, scratch("tools") }, // the file's first
             { "[-" + entry.substr(1), lm, info, L"PATH", std::nullopt, scratch("tools") } }) {
        // clang-format on
        CAPTURE(file);
        const auto guard = environment("PATH", searchPath);
        writeFile(backend().path("test.reg"), file);
        CHECK(registryValue(*withRegistry(scratch("test.reg")), root, subKey, name) == expected);
    }
}

TEST_CASE_FIXTURE(WithClass,
    "command lines split as Windows does, the kernel's version; "
    "no applets, no other verb than open, no windows")
{
    // clang-format off
    for (const auto &[line, arguments] : std::initializer_list<std::pair<std::wstring, std::vector<std::wstring>>> {
             { L"\"C:\\Program Files\\x.exe\" /a", { L"C:\\Program Files\\x.exe", L"/a" } },
             { L"p \"a b\" c", { L"p", L"a b", L"c" } }, { L"  p \t a  ", { L"p", L"a" } },
             { L"p \"\"", { L"p", L"" } }, { L"p a\\\"b", { L"p", L"a\"b" } },
             { L"p a\\\\\"b c\"", { L"p", L"a\\b c" } }, { L"p C:\\dir\\ x", { L"p", L"C:\\dir\\", L"x" } },
             { L"p \"a\"\"b\"", { L"p", L"a\"b" } }, { L"\"C:\\dir\\\" a", { L"C:\\dir\\", L"a" } },
             { L"   ", {} } })
        // clang-format on
        CHECK(splitCommandLine(line) == arguments);
    // The version is the kernel release's leading numbers (6.1.0-18-amd64: 6.1.0).
    utsname system {};
    unsigned major = 0, minor = 0, build = 0;
    REQUIRE(::uname(&system) == 0);
    std::sscanf(system.release, "%u.%u.%u", &major, &minor, &build);
    OsVersionInfo info { kOsVersionInfoSize }, wrongSize {};
    CHECK((platform->getVersionEx(info) && !platform->getVersionEx(wrongSize)));
    CHECK((info.majorVersion == major && info.minorVersion == minor && info.buildNumber == build));
    CHECK(platform->startProcess(L"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", 5)
        == kErrorFileNotFound);
    // As the Windows shell object: a program that is not there raises, the run
    // fails and the caller's wait flag comes back false.
    bool wait = true;
    CHECK((object.Datei_ausführen(backend().path("missing"), L"", wait) && !wait));
    CHECK(platform->shellExecute(0, L"find", L"", std::nullopt, std::nullopt, 1) == 31);
    std::int32_t window = 0;
    std::wstring file = L"a.txt";
    CHECK(object.ShowFileProperties(window, &file) == 31);
    CHECK(platform->findWindow(L"Shell_TrayWnd", L"") == 0);
}

TEST_CASE_FIXTURE(WithClass, "message boxes: flags choose icon and buttons, the button the answer")
{
    using B = QMessageBox;
    using Row = std::tuple<unsigned, B::Icon, B::StandardButtons, B::StandardButton, int>;
    // clang-format off
    for (const auto &[flags, icon, buttons, click, answer] : std::initializer_list<Row> {
             { 0x10u, B::Critical, B::Ok, B::Ok, 1 }, { 0x21u, B::Question, B::Ok | B::Cancel, B::Cancel, 2 },
             { 0x32u, B::Warning, B::Abort | B::Retry | B::Ignore, B::Ignore, 5 },
             { 0x43u, B::Information, B::Yes | B::No | B::Cancel, B::Yes, 6 }, { 4u, B::NoIcon, B::Yes | B::No, B::No, 7 },
             { 5u, B::NoIcon, B::Retry | B::Cancel, B::Retry, 4 } }) {
        // clang-format on
        CAPTURE(flags);
        QString text;
        const auto guard = whenShown<QMessageBox>([&](QMessageBox &box) {
            text = box.icon() == icon && box.standardButtons() == buttons ? box.text() : "";
            box.button(click)->click();
        });
        CHECK(platform->messageBox(0, L"Gr\u00FC\u00DFe", L"Titel", flags) == answer);
        CHECK(text == QStringLiteral("Gr\u00FC\u00DFe"));
    }
}

TEST_CASE_FIXTURE(WithClass,
    "the trash: its data folder made, information files, own names; "
    "an existing target kept; the folder dialog")
{
    Backend &b = backend();
    const auto data = environment("XDG_DATA_HOME", scratch("new/data")); // not there yet
    std::int32_t window = 0;
    for (const char *content : { "one", "two" }) {
        writeFile(b.path("t.txt"), content);
        object.FileDelete(window, b.path("t.txt"));
    }
    std::set<std::string> kept;
    for (const auto &entry : fs::directory_iterator(scratch("new/data/Trash/files"))) {
        const std::string info = "new/data/Trash/info/" + entry.path().filename().string();
        CHECK(waitForFile(b.path(info + ".trashinfo"))
                  .starts_with("[Trash Info]\nPath=" + scratch("t.txt") + "\nDeletionDate=20"));
        kept.insert(waitForFile(entry.path().wstring()));
    }
    CHECK(kept == std::set<std::string> { "one", "two" });
    // Nobody confirms a replacement: an existing target stays.
    REQUIRE((writeFile(b.path("d.txt"), "delta") && writeFile(b.path("e.txt"), "echo")));
    object.FileCopy(0, b.path("e.txt"), b.path("d.txt"));
    CHECK(waitForFile(b.path("d.txt")) == "delta");
    // The folder dialog: a choice with its backslash, or nothing.
    const std::string chosen = scratch("new"); // made by the trash
    for (const bool accepted : { true, false }) {
        const auto answer = whenShown<QFileDialog>([&](QFileDialog &dialog) {
            if (!accepted)
                return dialog.reject();
            dialog.setDirectory(QString::fromStdString(chosen));
            static_cast<QDialog &>(dialog).accept(); // protected in QFileDialog
        });
        CHECK(toUtf8(object.GetBrowseDirectory(window)) == (accepted ? chosen + '\\' : ""));
    }
}
