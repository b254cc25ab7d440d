// SPDX-License-Identifier: MIT
#pragma once

// What every backend and the system's control adapters promise the utility
// class, checked once for all of them (Contract.cpp) on the real system. Each
// backend's test supplies backend(): the system-specific preparation the
// checks need.

#include "platform/Platform.h"
#include "sysutil/ClassTypes.h"
#include "sysutil/orvClassWindows.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace orv::test {

using namespace orv::platform;

// Real controls on a form of the system, for the control adapters.
class Controls
{
public:
    virtual ~Controls() = default;
    // A combo box at 10, 20 of 4 by 24 pixels (narrower than any list width asked for: Windows
    // never makes a list narrower than its box) on a form of this scale mode, with entries "W",
    // "WW", ...
    virtual ComboBoxObject &combo(std::int32_t scaleMode, int entries) = 0;
    // The box's place on the form: x, y, width, and how far it reaches down with its list.
    virtual std::array<int, 4> comboPlace() = 0;
    virtual int listWidth() = 0;
    // The pixels of a text in the form's font.
    virtual double textWidth(const std::wstring &text) = 0;
};

class Backend
{
public:
    virtual ~Backend() = default;

    // A fresh real backend.
    virtual std::unique_ptr<Platform> make() = 0;
    // The path of a name in the test's scratch folder (Contract.cpp).
    std::wstring path(const std::string &name);
    // A backend whose registry holds, under HKCU\Software\OrvelBrowserTest,
    // Text = "Hallo", Number = 0x11F, Long = 1500 times 'x' and
    // Wide = "Grüße" (written in its wide form where the system has one).
    virtual std::unique_ptr<Platform> seededRegistry() = 0;
    // The probe program: started with an output file and arguments, it
    // writes "show=<show value> ... args=<arguments>" to the file.
    virtual std::wstring probe() = 0;
    // What the shell's "open" opens (file, parameters) so that the probe
    // reports "args=<third>" to out.
    virtual std::tuple<std::wstring, std::optional<std::wstring>, std::string> shellTarget(
        const std::wstring &out)
        = 0;
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
    // Hides a file where its leading dot does not.
    virtual void hide(const std::wstring &) { }
    // A drawing surface of size by size points, filled with colour (0x00BBGGRR).
    virtual DeviceContext surface(int size, std::uint32_t colour) = 0;
    virtual std::uint32_t pixel(DeviceContext dc, int x, int y) = 0;
    // The self-registering test library (testserver.cpp).
    virtual std::wstring server() = 0;
    // The documents folder as the system names it to any program.
    virtual std::wstring documents() = 0;
    // A shown form of 96 dots per inch for combo boxes.
    virtual std::unique_ptr<Controls> controls() = 0;
};

Backend &backend();

// A fresh backend and the class on it.
struct WithClass
{
    std::unique_ptr<Platform> platform = backend().make();
    orvClassWindows object { *platform };
};

// A file's content once it is there (another process may write it); empty
// after 15 s.
std::string waitForFile(const std::wstring &path);
bool writeFile(const std::wstring &path, const std::string &content);
// A registry value as "<type>:<bytes>", as "error <number>" for a failed query
// (with the size needed after it for kErrorMoreData), nullopt for no key.
std::optional<std::string> registryValue(
    Platform &platform, std::uint32_t root, const std::wstring &key, const std::wstring &name);

} // namespace orv::test
