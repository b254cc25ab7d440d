// SPDX-License-Identifier: MIT
#pragma once

// Calls an operation of orvClassWindows by name with named arguments, the way
// an automation client would, and reports the result and the in/out
// parameters as "Name=Value" lines:
//
//   ShowControlPanels Index=1 pTab=0   ->   Index=1
//                                           pTab=1
//
// Argument names compare without regard to case. A parameter left out counts
// as 0, false or empty text; an optional one is left out (and, being in/out,
// not reported). A text list is given by repeating its name.

#include "sysutil/orvClassWindows.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv::orvclass {

enum class ExitCode : int {
    Done = 0,
    OperationFailed = 1, // the operation raised a failure: "error=<number> <text>"
    UsageError = 2, // the call could not be made
};

struct Outcome
{
    ExitCode exitCode = ExitCode::Done;
    std::string text; // UTF-8 lines, each ending in '\n'
};

// The controls an operation works on, made for one call by the program that
// calls it. On the command line a combo box takes its entries from repeated
// "Item=" arguments, and a picture box's picture is saved to the file an
// "out=" argument names; after the call the controls' state is reported as
// "<parameter>.<property>=<value>" lines in the parameter's place.
class Controls
{
public:
    virtual ~Controls() = default;
    // A combo box with these entries on a form of its own; nullptr when no
    // control can be made here.
    virtual ComboBoxObject *comboBox(const std::vector<std::wstring> &entries) = 0;
    // The combo box's height as the system reports it, and its list's width,
    // in pixels.
    virtual std::int32_t comboHeight() const = 0;
    virtual std::int32_t comboListWidth() const = 0;
    // A picture box of 32 by 32 pixels; nullptr when none can be made here.
    virtual PictureBoxObject *pictureBox() = 0;
    // Saves the picture box's picture; false when that fails.
    virtual bool savePicture(const std::wstring &file) = 0;
};

// arguments: the operation's name, then Name=Value items. Without controls
// an operation that takes one is a usage error.
Outcome invoke(orvClassWindows &object, const std::vector<std::wstring> &arguments,
    Controls *controls = nullptr);

// Every public operation with its parameters, one per line, in interface order.
std::string operationList();

} // namespace orv::orvclass
