// SPDX-License-Identifier: MIT
#pragma once

// What the browser area says when the web control cannot show pages: what
// is missing, and where to get it.

#include "components/win32/HostedControl.h"

#include <string>

namespace orv::win32 {

std::wstring missingControlText(ControlProblem problem, HRESULT code);

} // namespace orv::win32
