// SPDX-License-Identifier: MIT
#pragma once

// The Win32 backend: each primitive is the named call in its 8-bit ("A")
// form, texts converted with the system code page (CP_ACP) at the call.

#include "platform/Platform.h"

namespace orv::platform {

class Win32Platform : public Platform
{
public:
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
};

} // namespace orv::platform
