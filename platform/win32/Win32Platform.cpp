// SPDX-License-Identifier: MIT
#include "platform/win32/Win32Platform.h"

// windows.h comes first: the shell's header builds on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <tuple>

namespace orv::platform {

namespace {

// Window handles are 32-bit values sign-extended to the pointer's width;
// registry roots like 0x80000002 likewise.
HWND toHwnd(WindowHandle handle)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

WindowHandle fromHwnd(HWND window)
{
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

HKEY toHkey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<INT_PTR>(static_cast<LONG>(root)));
}

// An 8-bit text kept alive for the call; nullopt passes a null pointer.
class CallText
{
public:
    CallText(Platform &platform, const std::optional<std::wstring> &text)
    {
        if (text) {
            m_text = platform.toSystemText(*text);
            m_present = true;
        }
    }
    const char *get() const { return m_present ? m_text.c_str() : nullptr; }

private:
    std::string m_text;
    bool m_present = false;
};

} // namespace

bool Win32Platform::getVersionEx(OsVersionInfo &info)
{
    OSVERSIONINFOA record {};
    record.dwOSVersionInfoSize = info.size;
    if (!GetVersionExA(&record))
        return false;
    info.majorVersion = record.dwMajorVersion;
    info.minorVersion = record.dwMinorVersion;
    info.buildNumber = record.dwBuildNumber;
    info.platformId = record.dwPlatformId;
    static_assert(sizeof(record.szCSDVersion) == std::tuple_size_v<decltype(info.servicePack)>);
    std::memcpy(info.servicePack.data(), record.szCSDVersion, info.servicePack.size());
    return true;
}

std::uint32_t Win32Platform::regOpenKeyEx(
    std::uint32_t root, const std::wstring &subKey, std::uint32_t access, RegistryKey &key)
{
    HKEY opened = nullptr;
    const LONG result
        = RegOpenKeyExA(toHkey(root), toSystemText(subKey).c_str(), 0, access, &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
    return static_cast<std::uint32_t>(result);
}

std::uint32_t Win32Platform::regQueryValueEx(RegistryKey key, const std::wstring &valueName,
    std::uint32_t &type, std::string &data, std::uint32_t &size)
{
    DWORD valueType = 0;
    // Never offer the call more room than the buffer has.
    DWORD byteCount = static_cast<DWORD>(std::min<std::size_t>(size, data.size()));
    const LONG result
        = RegQueryValueExA(reinterpret_cast<HKEY>(key), toSystemText(valueName).c_str(), nullptr,
            &valueType, reinterpret_cast<BYTE *>(data.data()), &byteCount);
    type = valueType;
    size = byteCount;
    return static_cast<std::uint32_t>(result);
}

std::uint32_t Win32Platform::regCloseKey(RegistryKey key)
{
    return static_cast<std::uint32_t>(RegCloseKey(reinterpret_cast<HKEY>(key)));
}

std::uint32_t Win32Platform::startProcess(const std::wstring &commandLine, std::int32_t show)
{
    // CreateProcessA may write into the command line: give it its own buffer.
    std::string buffer = toSystemText(commandLine);
    buffer.push_back('\0');
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
            &startup, &process))
        return static_cast<std::uint32_t>(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return kErrorSuccess;
}

std::intptr_t Win32Platform::shellExecute(WindowHandle owner, const std::wstring &verb,
    const std::wstring &file, const std::optional<std::wstring> &parameters,
    const std::optional<std::wstring> &directory, std::int32_t show)
{
    const CallText verbText(*this, verb);
    const CallText fileText(*this, file);
    const CallText parameterText(*this, parameters);
    const CallText directoryText(*this, directory);
    const HINSTANCE result = ShellExecuteA(toHwnd(owner), verbText.get(), fileText.get(),
        parameterText.get(), directoryText.get(), show);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Platform::shellExecuteEx(ShellExecuteRecord &record)
{
    const CallText verbText(*this, record.verb);
    const CallText fileText(*this, record.file);
    const CallText parameterText(*this, record.parameters);
    const CallText directoryText(*this, record.directory);
    SHELLEXECUTEINFOA info {};
    // The record's size names its 32-bit layout; this build's layout is wider.
    info.cbSize = record.size == 60 ? sizeof info : record.size;
    info.fMask = record.mask;
    info.hwnd = toHwnd(record.window);
    info.lpVerb = verbText.get();
    info.lpFile = fileText.get();
    info.lpParameters = parameterText.get();
    info.lpDirectory = directoryText.get();
    info.nShow = record.show;
    const BOOL result = ShellExecuteExA(&info);
    record.instanceResult = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(info.hInstApp));
    // Nothing in the class waits on the process it asked to keep.
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return result != FALSE;
}

WindowHandle Win32Platform::findWindow(
    const std::optional<std::wstring> &className, const std::optional<std::wstring> &title)
{
    const CallText classText(*this, className);
    const CallText titleText(*this, title);
    return fromHwnd(FindWindowA(classText.get(), titleText.get()));
}

bool Win32Platform::setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
    std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t flags)
{
    return SetWindowPos(toHwnd(window), toHwnd(insertAfter), x, y, width, height, flags) != FALSE;
}

bool Win32Platform::fileExists(const std::wstring &path)
{
    WIN32_FIND_DATAA found {};
    const HANDLE search = FindFirstFileA(toSystemText(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32Platform::toSystemText(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed
        = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), needed, nullptr, nullptr);
    return result;
}

std::wstring Win32Platform::fromSystemText(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), needed);
    return result;
}

std::int32_t Win32Platform::showMessageBox(const MessageBoxRequest &request)
{
    return MessageBoxA(toHwnd(request.owner), toSystemText(request.text).c_str(),
        toSystemText(request.caption).c_str(), request.flags);
}

std::unique_ptr<Platform> createSystemPlatform()
{
    return std::make_unique<Win32Platform>();
}

} // namespace orv::platform
