// SPDX-License-Identifier: MIT
#pragma once

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
//  - system code page: UTF-8.

#include "platform/Platform.h"
#include "platform/posix/RegistryFile.h"

#include <map>
#include <mutex>

namespace orv::platform {

class PosixPlatform : public Platform
{
public:
    // registryFile: the registry file to read ("" or a missing file: none).
    explicit PosixPlatform(std::string registryFile);

    // ORVEL_REGISTRY_FILE, else <config>/OrvelBrowser/registry.reg
    // ($XDG_CONFIG_HOME, or ~/.config).
    static std::string defaultRegistryFile();
    // The registry every Linux system has before its file is read: the
    // system information tool, if one is found on the search path.
    static RegistryFile builtInRegistry(const std::string &searchPath);

    bool getVersionEx(OsVersionInfo &info) override;
    std::uint32_t regOpenKeyEx(std::uint32_t root, const std::wstring &subKey, std::uint32_t access,
        RegistryKey &key) override;
    std::uint32_t regQueryValueEx(RegistryKey key, const std::wstring &valueName,
        std::uint32_t &type, std::string &data, std::uint32_t &size) override;
    std::uint32_t regCloseKey(RegistryKey key) override;
    std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t show) override;
    std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show) override;
    bool shellExecuteEx(ShellExecuteRecord &record) override;
    WindowHandle findWindow(const std::optional<std::wstring> &className,
        const std::optional<std::wstring> &title) override;
    bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
        std::int32_t width, std::int32_t height, std::uint32_t flags) override;
    bool fileExists(const std::wstring &path) override;
    std::string toSystemText(std::wstring_view text) override;
    std::wstring fromSystemText(std::string_view text) override;

protected:
    std::int32_t showMessageBox(const MessageBoxRequest &request) override;

private:
    struct OpenKey
    {
        std::uint32_t root = 0;
        std::string subKey;
        RegistryFile registry;
    };

    std::intptr_t openWithShell(const std::wstring &verb, const std::wstring &file,
        const std::optional<std::wstring> &directory);

    std::string m_registryFile;
    std::mutex m_keysMutex;
    std::map<RegistryKey, OpenKey> m_openKeys;
    RegistryKey m_nextKey = 1;
};

} // namespace orv::platform
