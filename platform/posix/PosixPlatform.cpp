// SPDX-License-Identifier: MIT
// The Linux backend: the closest freedesktop mechanism for each primitive.
//  - version: the kernel release from uname, platform id 0;
//  - registry: a registry file of our own (see RegistryFile.h), read afresh
//    at every key opening; by default it names the first system-information
//    tool found on PATH as the system information tool;
//  - process start: the command line split as Windows would split it and
//    started detached; the show value travels in ORVEL_SHOW_WINDOW;
//  - shell execute: the "open" verb through xdg-open; no other verb exists;
//  - window lookup and positioning: no counterpart, nothing is ever found;
//  - message box: a Qt message box when a display is there, else one line
//    on standard error;
//  - system code page: UTF-8;
//  - paths: a backslash separates folders as a slash does;
//  - shell file operations: copy and move in the file system, the recycle bin
//    is the freedesktop trash (FileOperations.cpp);
//  - clipboard: Qt's, a file list as text/uri-list and as the raw block under
//    a private type; on X11 a command-line program's list outlives it;
//  - file information: Qt's file icons and MIME type names, no short names
//    and no version resources, the documents folder from QStandardPaths;
//  - "no sharing" on opening: refused while the file is open elsewhere (a
//    write lease cannot be taken), where the file system supports leases;
//  - the folder dialog: QFileDialog;
//  - the script shell object: a process runner (documents through xdg-open);
//  - libraries: dlopen, the export run on a thread of its own;
//  - windows and device contexts: Qt widgets and images (see Objects.h).
#include "core/Application.h"
#include "platform/Utf8.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Objects.h"
#include "platform/posix/Services.h"
#include "platform/posix/State.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QVersionNumber>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/utsname.h>
#include <unistd.h>
#include <utility>

namespace orv::platform {

using posix::prepareProcess;
using posix::toQString;

namespace {

// Shell-execute results as Windows gives them.
constexpr std::intptr_t kShellStarted = 42;
constexpr std::intptr_t kShellFileNotFound = 2;
constexpr std::intptr_t kShellNoAssociation = 31;

constexpr std::string_view kSystemInformationKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// Graphical system-information tools, in the order they are preferred.
constexpr std::array<std::string_view, 5> kSystemInformationTools {
    "hardinfo",
    "hardinfo2",
    "kinfocenter",
    "cpu-x",
    "lshw-gtk",
};

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool isExecutableFile(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

bool displayAvailable()
{
    return !environment("DISPLAY").empty() || !environment("WAYLAND_DISPLAY").empty()
        || !environment("QT_QPA_PLATFORM").empty();
}

bool g_applicationIsOurs = false;

struct ButtonId
{
    QMessageBox::StandardButton button;
    std::int32_t id;
};

constexpr std::array<ButtonId, 7> kButtonIds { {
    { QMessageBox::Ok, 1 },
    { QMessageBox::Cancel, 2 },
    { QMessageBox::Abort, 3 },
    { QMessageBox::Retry, 4 },
    { QMessageBox::Ignore, 5 },
    { QMessageBox::Yes, 6 },
    { QMessageBox::No, 7 },
} };

QMessageBox::StandardButtons buttonsOf(std::uint32_t flags)
{
    switch (flags & 0xF) {
    case 1:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case 2:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case 3:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case 4:
        return QMessageBox::Yes | QMessageBox::No;
    case 5:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconOf(std::uint32_t flags)
{
    switch (flags & 0xF0) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// ORVEL_REGISTRY_FILE, else <config>/OrvelBrowser/registry.reg
// ($XDG_CONFIG_HOME, or ~/.config).
std::string defaultRegistryFile()
{
    if (std::string file = environment("ORVEL_REGISTRY_FILE"); !file.empty())
        return file;
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty()) {
        const std::string home = environment("HOME");
        if (home.empty())
            return {};
        config = home + "/.config";
    }
    return config + "/OrvelBrowser/registry.reg";
}

// The registry every Linux system has before its file is read: the system
// information tool, if one is found on the search path.
RegistryFile builtInRegistry(const std::string &searchPath)
{
    RegistryFile registry;
    for (const std::string_view tool : kSystemInformationTools) {
        std::istringstream folders(searchPath);
        for (std::string folder; std::getline(folders, folder, ':');) {
            if (folder.empty())
                continue;
            const std::filesystem::path candidate = std::filesystem::path(folder) / tool;
            if (!isExecutableFile(candidate))
                continue;
            // The value is a command line: a path with blanks needs quotes.
            std::string commandLine = candidate.string();
            if (commandLine.find_first_of(" \t") != std::string::npos)
                commandLine = '"' + commandLine + '"';
            registry.setValue(
                kHkeyLocalMachine, kSystemInformationKey, "PATH", { kRegText, commandLine + '\0' });
            return registry;
        }
    }
    return registry;
}

// The shell's "open" verb (the only one here) through xdg-open.
std::intptr_t openWithShell(const std::wstring &verb, const std::wstring &file,
    const std::optional<std::wstring> &directory)
{
    const QString verbText = toQString(verb).toLower();
    if (!verbText.isEmpty() && verbText != QStringLiteral("open"))
        return kShellNoAssociation;
    if (file.empty())
        return kShellFileNotFound;
    QProcess process;
    process.setProgram(QStringLiteral("xdg-open"));
    process.setArguments({ toQString(file) });
    // Windows passes on a working folder that does not exist; so do we, by
    // not asking for it.
    std::error_code error;
    if (directory && std::filesystem::is_directory(toUtf8(*directory), error))
        process.setWorkingDirectory(toQString(*directory));
    return process.startDetached() ? kShellStarted : kShellFileNotFound;
}

} // namespace

namespace posix {

// A program without an application (the command-line tool) gets one on first
// use. It is never destroyed: it must outlive every widget, up to the
// process's end.
QApplication *widgetApplication()
{
    if (auto *application = qobject_cast<QApplication *>(QCoreApplication::instance()))
        return application;
    if (QCoreApplication::instance() || !displayAvailable())
        return nullptr;
    static int argc = 1;
    static char name[std::size(application::title)];
    std::copy(std::begin(application::title), std::end(application::title), name);
    static char *argv[] = { name, nullptr };
    g_applicationIsOurs = true;
    return new QApplication(argc, argv);
}

bool applicationIsOurs()
{
    return g_applicationIsOurs;
}

} // namespace posix

SystemPlatform::SystemPlatform() : SystemPlatform(std::make_unique<State>(defaultRegistryFile()))
{
}

SystemPlatform::SystemPlatform(std::unique_ptr<State> state) : m_state(std::move(state))
{
}

SystemPlatform::~SystemPlatform() = default;

bool SystemPlatform::getVersionEx(OsVersionInfo &info)
{
    utsname system {};
    if (info.size != kOsVersionInfoSize || ::uname(&system) != 0)
        return false;
    // e.g. 6.1.0-18-amd64: 6.1.0, the rest a suffix.
    const QVersionNumber release = QVersionNumber::fromString(QLatin1String(system.release));
    info.majorVersion = static_cast<std::uint32_t>(release.majorVersion());
    info.minorVersion = static_cast<std::uint32_t>(release.minorVersion());
    info.buildNumber = static_cast<std::uint32_t>(release.microVersion());
    info.platformId = 0;
    info.servicePack.fill('\0');
    return true;
}

std::uint32_t SystemPlatform::regOpenKeyEx(
    std::uint32_t root, const std::wstring &subKey, std::uint32_t /*access*/, RegistryKey &key)
{
    key = 0;
    RegistryFile registry = builtInRegistry(environment("PATH"));
    if (!m_state->registryFile.empty()) {
        std::ifstream file(m_state->registryFile, std::ios::binary);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            registry.load(text.str());
        }
    }
    const std::string path = toUtf8(subKey);
    if (!registry.keyExists(root, path))
        return kErrorFileNotFound;
    const std::lock_guard lock(m_state->keysMutex);
    key = m_state->nextKey++;
    m_state->openKeys.emplace(key, State::OpenKey { root, path, std::move(registry) });
    return kErrorSuccess;
}

std::uint32_t SystemPlatform::regQueryValueEx(RegistryKey key, const std::wstring &valueName,
    std::uint32_t &type, std::string &data, std::uint32_t &size)
{
    const std::lock_guard lock(m_state->keysMutex);
    const auto open = m_state->openKeys.find(key);
    if (open == m_state->openKeys.end())
        return kErrorInvalidHandle;
    const auto value
        = open->second.registry.value(open->second.root, open->second.subKey, toUtf8(valueName));
    if (!value)
        return kErrorFileNotFound;
    type = value->type;
    const std::size_t room = std::min<std::size_t>(size, data.size());
    size = static_cast<std::uint32_t>(value->data.size());
    if (value->data.size() > room)
        return kErrorMoreData;
    std::copy(value->data.begin(), value->data.end(), data.begin());
    return kErrorSuccess;
}

std::uint32_t SystemPlatform::regCloseKey(RegistryKey key)
{
    const std::lock_guard lock(m_state->keysMutex);
    return m_state->openKeys.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

std::uint32_t SystemPlatform::startProcess(const std::wstring &commandLine, std::int32_t show)
{
    const std::vector<std::wstring> arguments = splitCommandLine(commandLine);
    if (arguments.empty() || arguments.front().empty())
        return kErrorFileNotFound;
    QProcess process;
    prepareProcess(process, toQString(arguments.front()), {}, arguments, show);
    return process.startDetached() ? kErrorSuccess : kErrorFileNotFound;
}

std::intptr_t SystemPlatform::shellExecute(WindowHandle /*owner*/, const std::wstring &verb,
    const std::wstring &file, const std::optional<std::wstring> & /*parameters*/,
    const std::optional<std::wstring> &directory, std::int32_t /*show*/)
{
    return openWithShell(verb, file, directory);
}

bool SystemPlatform::shellExecuteEx(ShellExecuteRecord &record)
{
    const std::intptr_t result = openWithShell(record.verb.value_or(std::wstring()),
        record.file.value_or(std::wstring()), record.directory);
    record.instanceResult = static_cast<std::int32_t>(result);
    return result > 32;
}

WindowHandle SystemPlatform::findWindow(const std::optional<std::wstring> & /*className*/,
    const std::optional<std::wstring> & /*title*/)
{
    return 0;
}

bool SystemPlatform::setWindowPos(WindowHandle /*window*/, WindowHandle /*insertAfter*/,
    std::int32_t /*x*/, std::int32_t /*y*/, std::int32_t /*width*/, std::int32_t /*height*/,
    std::uint32_t /*flags*/)
{
    return false;
}

bool SystemPlatform::fileExists(const std::wstring &path)
{
    std::error_code error;
    const auto status = std::filesystem::status(posix::nativePath(path), error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string SystemPlatform::toSystemText(std::wstring_view text)
{
    return toUtf8(text);
}

std::wstring SystemPlatform::fromSystemText(std::string_view text)
{
    return fromUtf8(text);
}

std::int32_t SystemPlatform::showMessageBox(const MessageBoxRequest &request)
{
    if (!posix::widgetApplication()) {
        const std::string line = toUtf8(request.caption) + ": " + toUtf8(request.text) + "\n";
        std::fputs(line.c_str(), stderr);
        return 1;
    }
    QMessageBox box(iconOf(request.flags), toQString(request.caption), toQString(request.text),
        buttonsOf(request.flags));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonId &entry : kButtonIds) {
        if (entry.button == clicked)
            return entry.id;
    }
    return 2; // closed without a button: as Cancel
}

} // namespace orv::platform
