// SPDX-License-Identifier: MIT
#include "components/qt/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace orv {

QStringList installQtTranslations(const QLocale &locale, const QString &folder)
{
    QStringList installed;
    // "qt" gathers the base module with the others that ship catalogs; the
    // engine's texts come separately.
    for (const QString &catalog : { QStringLiteral("qt"), QStringLiteral("qtwebengine") }) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(locale, catalog, QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator)) {
            installed.append(catalog);
        } else {
            delete translator;
        }
    }
    return installed;
}

} // namespace orv
