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
#include <tuple>
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
    // The form's scale mode, entries, fixed width and its scale mode, the width (-1: measured).
    using Row = std::tuple<std::int32_t, int, std::optional<double>, std::optional<double>, int>;
    // clang-format off
    for (const auto &[formMode, entries, fixWidth, scaleMode, width] : std::initializer_list<Row> {
             { 1, 0, 1500, 1, 100 }, { 5, 0, 2, 5, 192 }, { 3, 0, 100.5, 3, 100 }, { 3, 0, 101.5, 3, 102 },
             { 1, 0, 1500, none, 100 }, { 3, 0, none, none, 5 }, { 3, 8, none, none, -1 }, { 1, 9, none, none, -1 },
             { 3, 3, none, 1, -1 } }) {
        // clang-format on
        ComboBoxObject &box = controls.combo(formMode, entries);
        object.ComboSetListWidth(box, fixWidth, scaleMode);
        const double longest = controls.textWidth(std::wstring(std::size_t(entries), L'W'));
        const int expected
            = width >= 0 ? width : int(std::nearbyint(longest + 5 + (entries > 8 ? 15 : 0)));
        expect(controls.listWidth() == expected,
            "list width in mode " + std::to_string(formMode) + ": "
                + std::to_string(controls.listWidth()) + " for " + std::to_string(expected));
    }
    return wrong;
}

} // namespace orv::test
