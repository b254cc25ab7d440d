// SPDX-License-Identifier: MIT
#pragma once

// Where the program's texts, UTF-8 everywhere else, become Qt's. The other
// way is QString::toStdString(), which gives UTF-8.

#include <QString>

#include <string_view>

namespace orv {

inline QString toQt(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace orv
