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

// arguments: the operation's name, then Name=Value items.
Outcome invoke(orvClassWindows &object, const std::vector<std::wstring> &arguments);

// Every public operation with its parameters, one per line, in interface order.
std::string operationList();

} // namespace orv::orvclass
