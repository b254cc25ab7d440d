// SPDX-License-Identifier: MIT
#pragma once

// The command line as the Qt build receives it.

#include <QString>
#include <QStringList>

namespace orv {

// The arguments after the program's path as one text, joined by single
// blanks, quotes kept. Qt's own options (-platform xcb, -style=fusion,
// -reverse, ...) are the toolkit's, never part of the line, also when a
// later start hands its arguments on unparsed.
QString commandLineText(const QStringList &arguments);

} // namespace orv
