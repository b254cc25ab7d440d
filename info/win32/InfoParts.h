// SPDX-License-Identifier: MIT
#pragma once

// The Info window's controls as the Windows program keeps them: one part per
// control of the design (InfoLayout) and per piece of an office block, with
// its look of the moment and, where it reacts or shows and hides, its window.
// The design's data is turned into parts once, when the window is made.

#include "info/InfoLayout.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace orv::win32 {

enum class PartKind { Picture, Label, Line, Panel, Frame, OutlinedFrame, TextBox, CopyButton };

// One control of the design, with its window if it has one.
struct Part
{
    std::string name {}; // array members as name_index
    std::string container {}; // empty: the window
    PartKind kind = PartKind::Frame;
    RECT place {}; // twips: left, top, width, height
    std::wstring text {};
    info::Font font {};
    std::uint32_t back = info::kUnset, fore = info::kUnset;
    info::Role role = info::Role::None;
    bool dragSurface = false;
    std::string target {}; // where a link goes; a copy button's text
    int picture = 0; // resource
    bool underline = false;
    bool hand = false;
    HWND window = nullptr;
    HBITMAP bitmap = nullptr; // the picture at the window's DPI
    bool tracking = false;
    bool pressed = false;
};

class InfoParts
{
public:
    struct Version
    {
        int major = 0, minor = 0, revision = 0;
    };

    // The design with this program's version and its links on mainHost.
    InfoParts(std::string_view mainHost, Version version);
    ~InfoParts();
    InfoParts(const InfoParts &) = delete;
    InfoParts &operator=(const InfoParts &) = delete;

    auto begin() const { return m_parts.begin(); }
    auto end() const { return m_parts.end(); }
    Part *find(std::string_view name) const;
    Part *partOf(HWND window) const;
    // The window a part's window is made in.
    HWND container(const Part &part, HWND window) const;
    // The page or country a panel stands for, if it stands for one.
    static std::optional<info::Page> pageOf(const Part &panel);
    static std::optional<info::Country> countryOf(const Part &panel);

private:
    void add(Part part);
    void addOffice(const info::OfficeBlock &block);

    std::vector<std::unique_ptr<Part>> m_parts;
};

// Gives a part a look and has its window drawn again.
void applyLook(Part &part, const info::Look &look);

} // namespace orv::win32
