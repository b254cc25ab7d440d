// SPDX-License-Identifier: MIT
#pragma once

// A platform that records what is asked of it and starts, opens and shows
// nothing: no registry values, no files, every call answered as failed.

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace orv::test {

class RecordingPlatform : public platform::Platform
{
public:
    RecordingPlatform()
    {
        setMessageBoxSink([this](const platform::MessageBoxRequest &request) {
            messages.push_back(request.text);
            return 1;
        });
    }

    bool getVersionEx(platform::OsVersionInfo &) override { return false; }
    std::uint32_t regOpenKeyEx(
        std::uint32_t, const std::wstring &, std::uint32_t, platform::RegistryKey &key) override
    {
        key = 0;
        return platform::kErrorFileNotFound;
    }
    std::uint32_t regQueryValueEx(platform::RegistryKey, const std::wstring &, std::uint32_t &,
        std::string &, std::uint32_t &) override
    {
        return platform::kErrorFileNotFound;
    }
    std::uint32_t regCloseKey(platform::RegistryKey) override { return 0; }
    std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t) override
    {
        started.push_back(commandLine);
        return platform::kErrorFileNotFound;
    }
    std::intptr_t shellExecute(platform::WindowHandle, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &,
        const std::optional<std::wstring> &, std::int32_t show) override
    {
        opened.push_back(file);
        verbs.push_back(verb);
        shows.push_back(show);
        return 2; // no program for it: a failure, which callers ignore
    }
    bool shellExecuteEx(platform::ShellExecuteRecord &) override { return false; }
    platform::WindowHandle findWindow(
        const std::optional<std::wstring> &, const std::optional<std::wstring> &) override
    {
        return 0;
    }
    bool setWindowPos(platform::WindowHandle, platform::WindowHandle, std::int32_t, std::int32_t,
        std::int32_t, std::int32_t, std::uint32_t) override
    {
        return false;
    }
    bool fileExists(const std::wstring &) override { return false; }
    std::string toSystemText(std::wstring_view text) override
    {
        return std::string(text.begin(), text.end());
    }
    std::wstring fromSystemText(std::string_view text) override
    {
        return std::wstring(text.begin(), text.end());
    }

    std::vector<std::wstring> opened;
    std::vector<std::wstring> verbs;
    std::vector<std::int32_t> shows;
    std::vector<std::wstring> started;
    std::vector<std::wstring> messages;

protected:
    std::int32_t showMessageBox(const platform::MessageBoxRequest &) override { return 1; }
};

} // namespace orv::test
