// SPDX-License-Identifier: MIT
#pragma once

// The controls orvclass makes for an operation that takes one: hidden, on a
// form of their own, made on first use (Qt widgets on Linux, which need a
// display or the offscreen platform; windows on Windows).

#include "sysutil/orvclass/Invocation.h"

#include <memory>

namespace orv::orvclass {

std::unique_ptr<Controls> createToolControls();

} // namespace orv::orvclass
