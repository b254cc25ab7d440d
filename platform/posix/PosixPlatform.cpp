// SPDX-License-Identifier: MIT
#include "platform/posix/PosixPlatform.h"

#include "core/Application.h"
#include "platform/Utf8.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Objects.h"
#include "platform/posix/Services.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>

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

// Leading decimal number of text, and the text after it and one separator.
std::uint32_t takeNumber(std::string_view &text)
{
    std::uint32_t number = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = number * 10 + static_cast<std::uint32_t>(text[i] - '0');
    text.remove_prefix(i);
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    else
        text = {};
    return number;
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

PosixPlatform::PosixPlatform(std::string registryFile) : m_registryFile(std::move(registryFile))
{
}

std::string PosixPlatform::defaultRegistryFile()
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

RegistryFile PosixPlatform::builtInRegistry(const std::string &searchPath)
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

bool PosixPlatform::getVersionEx(OsVersionInfo &info)
{
    utsname system {};
    if (info.size != kOsVersionInfoSize || ::uname(&system) != 0)
        return false;
    std::string_view release = system.release; // e.g. 6.1.0-18-amd64
    info.majorVersion = takeNumber(release);
    info.minorVersion = takeNumber(release);
    info.buildNumber = takeNumber(release);
    info.platformId = 0;
    info.servicePack.fill('\0');
    return true;
}

std::uint32_t PosixPlatform::regOpenKeyEx(
    std::uint32_t root, const std::wstring &subKey, std::uint32_t /*access*/, RegistryKey &key)
{
    key = 0;
    RegistryFile registry = builtInRegistry(environment("PATH"));
    if (!m_registryFile.empty()) {
        std::ifstream file(m_registryFile, std::ios::binary);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            registry.load(text.str());
        }
    }
    const std::string path = toUtf8(subKey);
    if (!registry.keyExists(root, path))
        return kErrorFileNotFound;
    const std::lock_guard lock(m_keysMutex);
    key = m_nextKey++;
    m_openKeys.emplace(key, OpenKey { root, path, std::move(registry) });
    return kErrorSuccess;
}

std::uint32_t PosixPlatform::regQueryValueEx(RegistryKey key, const std::wstring &valueName,
    std::uint32_t &type, std::string &data, std::uint32_t &size)
{
    const std::lock_guard lock(m_keysMutex);
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
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

std::uint32_t PosixPlatform::regCloseKey(RegistryKey key)
{
    const std::lock_guard lock(m_keysMutex);
    return m_openKeys.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

std::uint32_t PosixPlatform::startProcess(const std::wstring &commandLine, std::int32_t show)
{
    const std::vector<std::wstring> arguments = splitCommandLine(commandLine);
    if (arguments.empty() || arguments.front().empty())
        return kErrorFileNotFound;
    QProcess process;
    prepareProcess(process, toQString(arguments.front()), {}, arguments, show);
    return process.startDetached() ? kErrorSuccess : kErrorFileNotFound;
}

std::intptr_t PosixPlatform::openWithShell(const std::wstring &verb, const std::wstring &file,
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

std::intptr_t PosixPlatform::shellExecute(WindowHandle /*owner*/, const std::wstring &verb,
    const std::wstring &file, const std::optional<std::wstring> & /*parameters*/,
    const std::optional<std::wstring> &directory, std::int32_t /*show*/)
{
    return openWithShell(verb, file, directory);
}

bool PosixPlatform::shellExecuteEx(ShellExecuteRecord &record)
{
    const std::intptr_t result = openWithShell(record.verb.value_or(std::wstring()),
        record.file.value_or(std::wstring()), record.directory);
    record.instanceResult = static_cast<std::int32_t>(result);
    return result > 32;
}

WindowHandle PosixPlatform::findWindow(const std::optional<std::wstring> & /*className*/,
    const std::optional<std::wstring> & /*title*/)
{
    return 0;
}

bool PosixPlatform::setWindowPos(WindowHandle /*window*/, WindowHandle /*insertAfter*/,
    std::int32_t /*x*/, std::int32_t /*y*/, std::int32_t /*width*/, std::int32_t /*height*/,
    std::uint32_t /*flags*/)
{
    return false;
}

bool PosixPlatform::fileExists(const std::wstring &path)
{
    // A backslash separates folders here too: the class joins paths with it.
    std::string native = toUtf8(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    std::error_code error;
    const auto status = std::filesystem::status(native, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string PosixPlatform::toSystemText(std::wstring_view text)
{
    return toUtf8(text);
}

std::wstring PosixPlatform::fromSystemText(std::string_view text)
{
    return fromUtf8(text);
}

std::int32_t PosixPlatform::showMessageBox(const MessageBoxRequest &request)
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

std::unique_ptr<Platform> createSystemPlatform()
{
    return std::make_unique<PosixPlatform>(PosixPlatform::defaultRegistryFile());
}

} // namespace orv::platform
