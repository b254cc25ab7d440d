// SPDX-License-Identifier: MIT
#pragma once

// What every backend promises the utility class, checked once for all of
// them (Contract.cpp) on the real system. Each backend's test supplies
// backend(): the system-specific preparation the checks need.

#include "platform/Platform.h"

#include <memory>
#include <optional>
#include <string>

namespace orv::test {

using namespace orv::platform;

class Backend
{
public:
    virtual ~Backend() = default;

    // A fresh real backend.
    virtual std::unique_ptr<Platform> make() = 0;
    // The path of a name in the test's scratch folder.
    virtual std::wstring path(const std::string &name) = 0;
    virtual std::uint32_t platformId() = 0;
    // A backend whose registry holds, under HKCU\Software\OrvelBrowserTest,
    // Text = "Hallo", Number = 0x11F, Long = 1500 times 'x' and
    // Wide = "Grüße" (written in its wide form where the system has one).
    virtual std::unique_ptr<Platform> seededRegistry() = 0;
    // A command line of the probe program: it writes "show=<show value> ...
    // args=<arguments>" to out.
    virtual std::wstring probe(const std::wstring &out, const std::wstring &arguments) = 0;
    // What the shell's "open" opens so that the probe reports "args=<expected>" to out.
    struct ShellTarget
    {
        std::wstring file;
        std::optional<std::wstring> parameters;
        std::string expected;
    };
    virtual ShellTarget shellTarget(const std::wstring &out) = 0;
    // A program and its parameters that write "ran" to out.
    virtual std::pair<std::wstring, std::wstring> writer(const std::wstring &out) = 0;
    // Makes the system's browser unavailable while the guard lives.
    virtual std::shared_ptr<void> withoutBrowser() { return nullptr; }
    // Answers the shell's confirmation dialogs while the guard lives.
    virtual std::shared_ptr<void> confirmDialogs() { return nullptr; }
    // Where the recycle bin keeps a deleted file of this name.
    virtual std::wstring binned(const std::string &name) = 0;
    // The file open elsewhere as another program holds it, while the guard
    // lives; false when this file system cannot refuse sharing.
    virtual std::shared_ptr<void> holdOpen(const std::wstring &file, bool &refuses) = 0;
    // Last written on 2024-03-09 at 09:05:07.8, local time.
    virtual void setWriteTime(const std::wstring &file) = 0;
    // A hidden file in the folder; its name.
    virtual std::wstring writeHidden(const std::wstring &folder) = 0;
    // A drawing surface of size by size points, filled with colour (0x00BBGGRR).
    virtual DeviceContext surface(int size, std::uint32_t colour) = 0;
    virtual void setPixel(DeviceContext dc, int x, int y, std::uint32_t colour) = 0;
    virtual std::uint32_t pixel(DeviceContext dc, int x, int y) = 0;
    // The backend without a script shell object, its system folder the one of
    // the test's self-registering library; attempts counts the creations.
    virtual std::unique_ptr<Platform> withoutScriptShell(int *&attempts) = 0;
    virtual void setEnvironment(const char *name, const std::string &value) = 0;
    // The documents folder as the system names it to any program.
    virtual std::wstring documents() = 0;
    // Presses OK on the next box with this caption, keeping its text.
    virtual std::shared_ptr<void> answerBox(const std::wstring &caption, std::wstring &text) = 0;
};

Backend &backend();

// A backend without a script shell object (see withoutScriptShell).
template <typename System> class NoScriptShell : public System
{
public:
    using System::System;
    ScriptShell createScriptShell(ScriptError &) override
    {
        ++attempts;
        return 0;
    }
    std::wstring getSystemDirectory() override { return systemFolder; }

    int attempts = 0;
    std::wstring systemFolder;
};

// A file's content once it is there (another process may write it); empty
// after 15 s.
std::string waitForFile(const std::wstring &path);
bool writeFile(const std::wstring &path, const std::string &content);

} // namespace orv::test
