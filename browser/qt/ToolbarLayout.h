// SPDX-License-Identifier: MIT
#pragma once

namespace orv {

class ActiveBar;

// Lays out the browser window's command band "Band1" and status band
// "StatusBar" with their tools, in display order.
void buildToolbarLayout(ActiveBar &bar);

} // namespace orv
