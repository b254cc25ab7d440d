// SPDX-License-Identifier: MIT
#pragma once

// A platform that records every call the utility class makes and answers as
// the test scripts it: version record, registry contents, which command lines
// fail to start, the shell's results, the taskbar window. Its system code page
// is Latin-1 (one byte per character, like the Western Windows code page for
// the texts used here). Standard library only, for both builds.

#include "core/Failure.h"
#include "platform/Platform.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class FakePlatform : public orv::platform::Platform
{
public:
    using WindowHandle = orv::platform::WindowHandle;
    using RegistryKey = orv::platform::RegistryKey;

    struct Value
    {
        std::uint32_t type = orv::platform::kRegText;
        std::string bytes;
    };

    // --- answers ---
    std::optional<orv::platform::OsVersionInfo> version; // nullopt: the query fails
    bool versionRaises = false;
    // (root, key path) -> value name -> value; a key with no values exists too.
    std::map<std::pair<std::uint32_t, std::wstring>, std::map<std::wstring, Value>> registry;
    std::set<std::wstring> unreadableValues; // exist, but the query fails
    std::set<std::wstring> files;
    std::set<std::wstring> unstartable; // command lines whose start fails
    bool startRaises = false;
    std::intptr_t shellResult = 42;
    bool shellRaises = false;
    bool shellExResult = true;
    std::int32_t shellExInstance = 42;
    WindowHandle taskbar = 0;

    // --- records ---
    struct Started
    {
        std::wstring commandLine;
        std::int32_t show;
    };
    struct ShellCall
    {
        WindowHandle owner;
        std::wstring verb;
        std::wstring file;
        std::optional<std::wstring> parameters;
        std::optional<std::wstring> directory;
        std::int32_t show;
    };
    struct WindowPosition
    {
        WindowHandle window;
        WindowHandle insertAfter;
        std::int32_t x, y, width, height;
        std::uint32_t flags;
    };
    std::vector<std::uint32_t> versionSizes;
    std::vector<std::uint32_t> openedAccess;
    std::vector<std::uint32_t> openedRoots;
    std::vector<RegistryKey> closedKeys;
    std::vector<Started> started;
    std::vector<ShellCall> shellCalls;
    std::vector<orv::platform::ShellExecuteRecord> shellExRecords;
    std::vector<std::pair<std::optional<std::wstring>, std::optional<std::wstring>>> windowLookups;
    std::vector<WindowPosition> positions;
    std::vector<orv::platform::MessageBoxRequest> messages;

    std::size_t openKeyCount() const { return m_open.size(); }

    bool getVersionEx(orv::platform::OsVersionInfo &info) override
    {
        versionSizes.push_back(info.size);
        if (versionRaises)
            orv::fail(orv::FailureCode::ControlFailed, "version query raised");
        if (!version || info.size != orv::platform::kOsVersionInfoSize)
            return false;
        info = *version;
        info.size = orv::platform::kOsVersionInfoSize;
        return true;
    }

    std::uint32_t regOpenKeyEx(std::uint32_t root, const std::wstring &subKey, std::uint32_t access,
        RegistryKey &key) override
    {
        openedRoots.push_back(root);
        openedAccess.push_back(access);
        key = 0;
        if (!registry.contains({ root, subKey }))
            return orv::platform::kErrorFileNotFound;
        key = m_nextKey++;
        m_open[key] = { root, subKey };
        return orv::platform::kErrorSuccess;
    }

    std::uint32_t regQueryValueEx(RegistryKey key, const std::wstring &valueName,
        std::uint32_t &type, std::string &data, std::uint32_t &size) override
    {
        const auto open = m_open.find(key);
        if (open == m_open.end())
            return orv::platform::kErrorInvalidHandle;
        const auto &values = registry[open->second];
        const auto value = values.find(valueName);
        if (value == values.end() || unreadableValues.contains(valueName))
            return orv::platform::kErrorFileNotFound;
        type = value->second.type;
        const std::size_t room = std::min<std::size_t>(size, data.size());
        size = static_cast<std::uint32_t>(value->second.bytes.size());
        if (value->second.bytes.size() > room)
            return orv::platform::kErrorMoreData;
        std::copy(value->second.bytes.begin(), value->second.bytes.end(), data.begin());
        return orv::platform::kErrorSuccess;
    }

    std::uint32_t regCloseKey(RegistryKey key) override
    {
        closedKeys.push_back(key);
        return m_open.erase(key) == 1 ? orv::platform::kErrorSuccess
                                      : orv::platform::kErrorInvalidHandle;
    }

    std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t show) override
    {
        started.push_back({ commandLine, show });
        if (startRaises)
            orv::fail(orv::FailureCode::ControlFailed, "start raised");
        if (commandLine.empty() || unstartable.contains(commandLine))
            return orv::platform::kErrorFileNotFound;
        return orv::platform::kErrorSuccess;
    }

    std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show) override
    {
        shellCalls.push_back({ owner, verb, file, parameters, directory, show });
        if (shellRaises)
            orv::fail(orv::FailureCode::ControlFailed, "shell raised");
        return shellResult;
    }

    bool shellExecuteEx(orv::platform::ShellExecuteRecord &record) override
    {
        shellExRecords.push_back(record);
        record.instanceResult = shellExInstance;
        return shellExResult;
    }

    WindowHandle findWindow(const std::optional<std::wstring> &className,
        const std::optional<std::wstring> &title) override
    {
        windowLookups.emplace_back(className, title);
        return taskbar;
    }

    bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
        std::int32_t width, std::int32_t height, std::uint32_t flags) override
    {
        positions.push_back({ window, insertAfter, x, y, width, height, flags });
        return window != 0;
    }

    bool fileExists(const std::wstring &path) override { return files.contains(path); }

    std::string toSystemText(std::wstring_view text) override
    {
        std::string result;
        for (const wchar_t c : text)
            result += static_cast<char>(static_cast<unsigned>(c) <= 0xFF ? c : L'?');
        return result;
    }

    std::wstring fromSystemText(std::string_view text) override
    {
        std::wstring result;
        for (const char c : text)
            result += static_cast<wchar_t>(static_cast<unsigned char>(c));
        return result;
    }

protected:
    std::int32_t showMessageBox(const orv::platform::MessageBoxRequest &request) override
    {
        messages.push_back(request);
        return 1;
    }

private:
    std::map<RegistryKey, std::pair<std::uint32_t, std::wstring>> m_open;
    RegistryKey m_nextKey = 0x100;
};
