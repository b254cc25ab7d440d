// SPDX-License-Identifier: MIT
#pragma once

// The operating-system services the utility class builds on, one primitive per
// system call it makes. The primitives keep the calls' shapes: the 8-bit
// records, the numeric flags and show values, and system error numbers as
// results, so that the class's decisions (what to pass, how to read what comes
// back) stay in the class and a test can replay any answer the system gives.
// Texts cross this interface as wide strings; each backend converts them to and
// from its system code page at the call.
//
// Standard library only: the same interface is built for Windows (mingw-w64)
// and for Linux. Exactly one backend is compiled into a build.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orv::platform {

// A window handle as the class's interface carries it: 32 bits, 0 for none.
using WindowHandle = std::int32_t;
// An open registry key; 0 for none.
using RegistryKey = std::uintptr_t;

// System error numbers the backends report (Win32's numbering).
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorMoreData = 234;

// Predefined registry roots.
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003;
inline constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005;

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegText = 1;
inline constexpr std::uint32_t kRegExpandText = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegNumber = 4;

// The version record in its 8-bit form (148 bytes: five 32-bit fields and the
// 128-character service-pack text). The query fails unless size is 148.
struct OsVersionInfo
{
    std::uint32_t size = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::array<char, 128> servicePack {};
};
inline constexpr std::uint32_t kOsVersionInfoSize = 148;

// The shell's extended execute record as the class fills it. size is the
// record's 32-bit size (60); a backend of another width passes its own.
// instanceResult receives the shell's instance result after the call.
struct ShellExecuteRecord
{
    std::uint32_t size = 0;
    std::uint32_t mask = 0;
    WindowHandle window = 0;
    std::optional<std::wstring> verb;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
    std::int32_t show = 0;
    std::int32_t instanceResult = 0;
};

struct MessageBoxRequest
{
    WindowHandle owner = 0;
    std::wstring text;
    std::wstring caption;
    std::uint32_t flags = 0;
};

// Receives a message box instead of the screen and answers with the button's
// number (1 = OK), as the real box would.
using MessageBoxSink = std::function<std::int32_t(const MessageBoxRequest &)>;

class Platform
{
public:
    virtual ~Platform() = default;

    // GetVersionExA. On failure the record is left as it was.
    virtual bool getVersionEx(OsVersionInfo &info) = 0;

    // RegOpenKeyExA: key receives the open key, or 0 on failure.
    virtual std::uint32_t regOpenKeyEx(
        std::uint32_t root, const std::wstring &subKey, std::uint32_t access, RegistryKey &key)
        = 0;
    // RegQueryValueExA into data, whose length is the buffer's capacity; size
    // goes in as that capacity and comes back as the number of bytes written
    // (or needed, with kErrorMoreData).
    virtual std::uint32_t regQueryValueEx(RegistryKey key, const std::wstring &valueName,
        std::uint32_t &type, std::string &data, std::uint32_t &size)
        = 0;
    virtual std::uint32_t regCloseKey(RegistryKey key) = 0;

    // Starts a command line as a new process whose first window takes the show
    // value (1 normal and activated, 5 as it is); does not wait for it.
    virtual std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t show) = 0;

    // ShellExecuteA; a result from 0 to 32 is a failure.
    virtual std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show)
        = 0;
    // ShellExecuteExA; fills record.instanceResult.
    virtual bool shellExecuteEx(ShellExecuteRecord &record) = 0;

    // FindWindowA: a top-level window by class and title (nullopt: any).
    virtual WindowHandle findWindow(
        const std::optional<std::wstring> &className, const std::optional<std::wstring> &title)
        = 0;
    // SetWindowPos.
    virtual bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
        std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t flags)
        = 0;

    // A directory lookup (FindFirstFileA) of the exact path finds a file
    // that is not a folder.
    virtual bool fileExists(const std::wstring &path) = 0;

    // The system code page: how texts look in the 8-bit calls.
    virtual std::string toSystemText(std::wstring_view text) = 0;
    virtual std::wstring fromSystemText(std::string_view text) = 0;

    // MessageBoxA; with a sink installed the sink answers and nothing shows.
    std::int32_t messageBox(WindowHandle owner, const std::wstring &text,
        const std::wstring &caption, std::uint32_t flags);
    // Installs a sink (an empty one restores the real box); returns the previous.
    MessageBoxSink setMessageBoxSink(MessageBoxSink sink);

protected:
    virtual std::int32_t showMessageBox(const MessageBoxRequest &request) = 0;

private:
    MessageBoxSink m_messageBoxSink;
};

// The backend this build carries.
std::unique_ptr<Platform> createSystemPlatform();
// One shared instance of it for the process.
Platform &systemPlatform();

} // namespace orv::platform
