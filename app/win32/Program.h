// SPDX-License-Identifier: MIT
#pragma once

// One start of the Windows program: the browser window on the given web
// control, its load step with the command line, and the message loop until
// the window closes.

#include "components/LinkRouting.h"
#include "components/win32/HostedControl.h"

#include <string>

namespace orv::win32 {

int runProgram(const WebControlFactory &makeControl, int showCommand);

// The hosts whose pages stay in the window: the maker's (built in, or from
// the environment), the build's additions and the environment's.
TrustedHosts programTrustedHosts();

// The program's command line after its own name, as the program received it.
std::string commandLineArguments();

// Tells the user a failure that ends the start.
void reportStartFailure(const std::string &text);

} // namespace orv::win32
