// SPDX-License-Identifier: MIT
#pragma once

// Qt's own texts (print, file and message dialogs, the engine's context
// texts) in the program's language, from the catalogs the system ships.

#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>

namespace orv {

// Loads Qt's catalogs for the locale from the folder and installs them on
// the application, which keeps them. Call it before any window is built.
// Returns the catalogs found ("qt", "qtwebengine"); none is no failure:
// the dialogs then stay English.
QStringList installQtTranslations(const QLocale &locale,
    const QString &folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

} // namespace orv
