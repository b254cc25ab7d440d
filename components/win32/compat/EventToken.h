// SPDX-License-Identifier: MIT
#pragma once

// WebView2.h includes "EventToken.h"; mingw-w64 ships the same declarations
// under the lower-case name only, which a case-sensitive file system does
// not find.
#include <eventtoken.h>
