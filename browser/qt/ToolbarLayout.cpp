// SPDX-License-Identifier: MIT
#include "browser/qt/ToolbarLayout.h"

#include "components/qt/ActiveBar.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

namespace orv {

void buildToolbarLayout(ActiveBar &bar)
{
    using K = ToolKind;
    ActiveBarBand &commands = bar.addBand(toQt(names::band1), QStringLiteral("Band1"), Dock::Top);
    const ToolDefinition commandTools[] = {
        { toQt(names::idBeenden), K::Button, QStringLiteral("Beenden"), true,
            QStringLiteral(":/icons/exit.svg"), QStringLiteral("Beenden"),
            { QKeySequence(QKeySequence::Quit) } },
        { QStringLiteral("Tool5"), K::Separator, {}, false, {}, {}, {} },
        { toQt(names::idZurueck), K::Button, QStringLiteral("Zurück"), true,
            QStringLiteral(":/icons/back.svg"), QStringLiteral("Zurück"),
            { QKeySequence(QKeySequence::Back) } },
        { toQt(names::idVorwaerts), K::Button, QString(), false,
            QStringLiteral(":/icons/forward.svg"), QStringLiteral("Vorwärts"),
            { QKeySequence(QKeySequence::Forward) } },
        { QStringLiteral("Tool8"), K::Separator, {}, false, {}, {}, {} },
        { toQt(names::idStop), K::Button, QStringLiteral("Stop"), true,
            QStringLiteral(":/icons/stop.svg"), QStringLiteral("Stop"),
            { QKeySequence(Qt::Key_Escape) } },
        { toQt(names::idAktualisieren), K::Button, QStringLiteral("Aktualisieren"), true,
            QStringLiteral(":/icons/refresh.svg"), QStringLiteral("Aktualisieren"),
            { QKeySequence(QKeySequence::Refresh), QKeySequence(Qt::CTRL | Qt::Key_R) } },
        { toQt(names::idSeite), K::ComboBox, QStringLiteral("Tool11"), false, {},
            QStringLiteral("Kategorie"), {} },
        { toQt(names::idInfo), K::Button, QStringLiteral("Tool12"), false,
            QStringLiteral(":/icons/info.svg"), QStringLiteral("Info"), {} },
    };
    for (const ToolDefinition &tool : commandTools)
        commands.addTool(tool);

    ActiveBarBand &status
        = bar.addBand(toQt(names::statusBar), QStringLiteral("Band2"), Dock::Bottom);
    status.addTool({ toQt(names::statusInfo), K::TextPane, QString(), false, {},
        QStringLiteral("Status"), {} });
    status.addTool({ QStringLiteral("Tool1"), K::TimePane, QString(), false, {},
        QStringLiteral("Uhrzeit"), {} });
    status.addTool({ QStringLiteral("Tool2"), K::DatePane, QString(), false, {},
        QStringLiteral("Datum"), {} });
}

} // namespace orv
