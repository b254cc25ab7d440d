// SPDX-License-Identifier: MIT
#pragma once

// What the control adapters promise on real controls, checked once for both
// (the Qt widgets' test under QtTest, the Windows one under doctest). Each
// check returns what it found wrong, so that either framework reports it.

#include "sysutil/orvClassWindows.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {

class Controls
{
public:
    virtual ~Controls() = default;
    // A combo box at 10, 20 of 4 by 24 pixels (narrower than any list width asked for: Windows
    // never makes a list narrower than its box) on a form of this scale mode, with entries "W",
    // "WW", ...
    virtual ComboBoxObject &combo(std::int32_t scaleMode, int entries) = 0;
    virtual int comboHeight() = 0; // how far the box with its list reaches down
    virtual bool comboKeptPlace() = 0; // at 10, 20 and 4 wide
    virtual int listWidth() = 0;
    // The pixels of a text in the form's font.
    virtual double textWidth(const std::wstring &text) = 0;
    // A picture box of 40 by 40 and how many of its points are drawn.
    virtual PictureBoxObject &picture() = 0;
    virtual int drawnPoints() = 0;
    // A file with an icon on this system.
    virtual std::wstring iconFile() = 0;
};

inline std::vector<std::string> controlsContract(Controls &controls, platform::Platform &platform)
{
    std::vector<std::string> wrong;
    const auto expect = [&](bool holds, const std::string &what) {
        if (!holds)
            wrong.push_back(what);
    };
    orvClassWindows object(platform);
    ComboBoxObject &combo = controls.combo(3, 0);
    const int before = controls.comboHeight();
    object.SetComboBoxHeight(combo, 150);
    expect(controls.comboHeight() - before == 150 - 24, "the combo box takes the height asked for");
    expect(controls.comboKeptPlace(), "the combo box keeps its place and width");
    // Fixed widths in the given scale or the form's (96 dots per inch), ties
    // to even; without one, the longest entry in the form's font decides.
    const std::optional<double> none;
    struct Row
    {
        std::int32_t formMode;
        int entries;
        std::optional<double> fixWidth, scaleMode;
        int expected; // -1: measured
    };
    // clang-format off
    for (const Row &row : { Row { 1, 0, 1500, 1, 100 }, Row { 5, 0, 2, 5, 192 }, Row { 3, 0, 100.5, 3, 100 },
             Row { 3, 0, 101.5, 3, 102 }, Row { 1, 0, 1500, none, 100 }, Row { 3, 0, none, none, 5 },
             Row { 3, 8, none, none, -1 }, Row { 1, 9, none, none, -1 }, Row { 3, 3, none, 1, -1 } }) {
        // clang-format on
        ComboBoxObject &box = controls.combo(row.formMode, row.entries);
        object.ComboSetListWidth(box, row.fixWidth, row.scaleMode);
        const double longest = controls.textWidth(std::wstring(std::size_t(row.entries), L'W'));
        const int expected = row.expected >= 0
            ? row.expected
            : int(std::nearbyint(longest + 5 + (row.entries > 8 ? 15 : 0)));
        expect(controls.listWidth() == expected,
            "list width in mode " + std::to_string(row.formMode) + ": "
                + std::to_string(controls.listWidth()) + " for " + std::to_string(expected));
    }
    PictureBoxObject &picture = controls.picture();
    std::wstring file = controls.iconFile();
    object.GetFileIcon(picture, file);
    expect(controls.drawnPoints() > 0, "the file's icon is drawn");
    std::wstring missing = file + L".missing";
    expect(!object.GetFileIconEx(picture, missing), "a missing file has no icon");
    expect(controls.drawnPoints() == 0, "the picture of a missing file is cleared");
    return wrong;
}

} // namespace orv::test
