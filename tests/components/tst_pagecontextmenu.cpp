// SPDX-License-Identifier: MIT
// The page's menu offers what fits what was clicked, greys what cannot be
// done now, and each entry reports its own command.
#include "components/qt/PageContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QTest>

using namespace orv;
using Command = PageContextMenu::Command;

class TestPageContextMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Entries joined by '|', each with the command it reports; "-" a
    // separator, "(...)" greyed: here neither forward nor paste can be done.
    void entriesFitWhatWasClicked_data()
    {
        QTest::addColumn<ClickedOn>("clicked");
        QTest::addColumn<QString>("entries");
        const QString page = "Zurück=Back|(Vorwärts)|Neu laden=Reload|-|Drucken…=Print|"
                             "Als PDF speichern…=SaveAsPdf|-|Alles auswählen=SelectAll";
        const QString link = "Link im Browser öffnen=OpenLink|Link-Adresse kopieren|-|";
        const QUrl address("http://www.harlund.example/a");
        QTest::newRow("page") << ClickedOn {} << page;
        // clang-format off
        QTest::newRow("picture in a link") << ClickedOn { address, true } << link + "Bild speichern unter…=SaveImage|-|" + page;
        QTest::newRow("field with a selection") << ClickedOn { {}, false, true, true } << "Ausschneiden=Cut|Kopieren=Copy|(Einfügen)|-|" + page;
        QTest::newRow("selected text") << ClickedOn { {}, false, false, true } << "Kopieren=Copy|-|" + page;
        // clang-format on
    }

    void entriesFitWhatWasClicked()
    {
        QFETCH(ClickedOn, clicked);
        QFETCH(QString, entries);
        QGuiApplication::clipboard()->clear();
        PageContextMenu menu(clicked, [](Command command) {
            return command != Command::Forward && command != Command::Paste;
        });
        QSignalSpy chosen(&menu, &PageContextMenu::chosen);
        QStringList texts;
        for (QAction *action : menu.actions()) {
            action->trigger();
            QString text = action->isEnabled() ? action->text() : "(" + action->text() + ")";
            if (chosen.size() == 1)
                text += QString("=")
                    + QMetaEnum::fromType<Command>().valueToKey(
                        int(chosen.takeFirst().at(0).value<Command>()));
            texts.append(action->isSeparator() ? "-" : text);
        }
        QCOMPARE(texts.join('|'), entries);
        // The link's address is copied without anybody's help.
        QCOMPARE(QGuiApplication::clipboard()->text(), clicked.link.toString());
    }
};

QTEST_MAIN(TestPageContextMenu)
#include "tst_pagecontextmenu.moc"
