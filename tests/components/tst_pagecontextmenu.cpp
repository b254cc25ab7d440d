// SPDX-License-Identifier: MIT
// The page's menu offers what fits what was clicked, greys what cannot be
// done now, and each entry reports its own command.
#include "components/PageContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QTest>

using namespace orv;
using Command = PageContextMenu::Command;
Q_DECLARE_METATYPE(orv::ClickedOn)

class TestPageContextMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Entries joined by '|', "-" a separator, "(...)" a greyed entry; here
    // neither forward nor paste can be done.
    void entriesFitWhatWasClicked_data()
    {
        QTest::addColumn<ClickedOn>("clicked");
        QTest::addColumn<QString>("entries");
        const QString page = "Zurück|(Vorwärts)|Neu laden|-|Drucken…|Als PDF speichern…|-|"
                             "Alles auswählen";
        const QString link = "Link im Browser öffnen|Link-Adresse kopieren|-|";
        const QUrl address("http://www.harlund.example/a");
        QTest::newRow("page") << ClickedOn {} << page;
        QTest::newRow("link") << ClickedOn { address } << link + page;
        QTest::newRow("picture in a link")
            << ClickedOn { address, true } << link + "Bild speichern unter…|-|" + page;
        QTest::newRow("field with a selection")
            << ClickedOn { {}, false, true, true } << "Ausschneiden|Kopieren|(Einfügen)|-|" + page;
        QTest::newRow("selected text")
            << ClickedOn { {}, false, false, true } << "Kopieren|-|" + page;
    }

    void entriesFitWhatWasClicked()
    {
        QFETCH(ClickedOn, clicked);
        QFETCH(QString, entries);
        const PageContextMenu menu(clicked, [](Command command) {
            return command != Command::Forward && command != Command::Paste;
        });
        QStringList texts;
        for (const QAction *action : menu.actions())
            texts.append(action->isSeparator() ? "-"
                    : action->isEnabled()      ? action->text()
                                               : "(" + action->text() + ")");
        QCOMPARE(texts.join('|'), entries);
    }

    // In the order of the entries above; copying a link needs nobody else.
    void entriesReportTheirCommand()
    {
        PageContextMenu menu({ QUrl("http://www.harlund.example/a"), true, true, true },
            [](Command) { return true; });
        QSignalSpy chosen(&menu, &PageContextMenu::chosen);
        for (QAction *action : menu.actions())
            action->trigger();
        QStringList commands;
        for (const QList<QVariant> &signal : chosen)
            commands.append(
                QMetaEnum::fromType<Command>().valueToKey(int(signal.at(0).value<Command>())));
        QCOMPARE(commands,
            QStringList({ "OpenLink", "SaveImage", "Cut", "Copy", "Paste", "Back", "Forward",
                "Reload", "Print", "SaveAsPdf", "SelectAll" }));
        QCOMPARE(QGuiApplication::clipboard()->text(), "http://www.harlund.example/a");
    }
};

QTEST_MAIN(TestPageContextMenu)
#include "tst_pagecontextmenu.moc"
