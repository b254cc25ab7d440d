// SPDX-License-Identifier: MIT
#pragma once

// Wide texts in test failure reports, as UTF-8.

#include "platform/Utf8.h"

#include <QTest>

#include <cstring>
#include <string>

namespace QTest {

template <> inline char *toString(const std::wstring &text)
{
    const std::string utf8 = '"' + orv::platform::toUtf8(text) + '"';
    char *copy = new char[utf8.size() + 1];
    std::memcpy(copy, utf8.c_str(), utf8.size() + 1);
    return copy;
}

} // namespace QTest
