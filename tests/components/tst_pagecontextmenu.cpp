// SPDX-License-Identifier: MIT
// The page's menu offers what fits what was clicked, greys what cannot be
// done now, and each entry reports its own command; the words the user adds
// to the dictionary are kept in the engine's own file.
#include "components/qt/PageContextMenu.h"
#include "components/qt/SpellCheck.h"

#include <QApplication>
#include <QClipboard>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;
using Command = PageContextMenu::Command;

class TestPageContextMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Entries joined by '|', each with the command or the "word" it reports;
    // "-" a separator, "(...)" greyed: here neither forward nor paste can be done.
    void entriesFitWhatWasClicked_data()
    {
        QTest::addColumn<ClickedOn>("clicked");
        QTest::addColumn<QString>("entries");
        const QString page = "Zurück=Back|(Vorwärts)|Neu laden=Reload|"
                             "Seite im Standardbrowser öffnen=OpenPageExternally|-|Drucken…=Print|"
                             "Als PDF speichern…=SaveAsPdf|-|Alles auswählen=SelectAll";
        const QString field = "Ausschneiden=Cut|Kopieren=Copy|(Einfügen)|-|";
        const QString link = "Link im Browser öffnen=OpenLink|Link-Adresse kopieren|-|";
        const QUrl address("http://www.harlund.example/a");
        QTest::newRow("page") << ClickedOn {} << page;
        // clang-format off
        QTest::newRow("picture in a link") << ClickedOn { .link = address, .image = true } << link + "Bild speichern unter…=SaveImage|-|" + page;
        QTest::newRow("field with a selection") << ClickedOn { .editable = true, .selection = true } << field + page;
        QTest::newRow("misspelt word") << ClickedOn { .editable = true, .misspelt = "Fahrad", .suggestions = { "Fahrrad", "Fahrbahn" } } << "Fahrrad=\"Fahrrad\"|Fahrbahn=\"Fahrbahn\"|Zum Wörterbuch hinzufügen=AddToDictionary|-|" + field + page;
        QTest::newRow("word the user added") << ClickedOn { .editable = true, .suggestions = { "Fahrrad" } } << field + page;
        QTest::newRow("selected text") << ClickedOn { .selection = true } << "Kopieren=Copy|-|" + page;
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
        QSignalSpy replaced(&menu, &PageContextMenu::replacementChosen);
        QStringList texts;
        for (QAction *action : menu.actions()) {
            action->trigger();
            QString text = action->isEnabled() ? action->text() : "(" + action->text() + ")";
            if (chosen.size() == 1)
                text += QString("=")
                    + QMetaEnum::fromType<Command>().valueToKey(
                        int(chosen.takeFirst().at(0).value<Command>()));
            if (replaced.size() == 1)
                text += "=\"" + replaced.takeFirst().at(0).toString() + "\"";
            texts.append(action->isSeparator() ? "-" : text);
        }
        QCOMPARE(texts.join('|'), entries);
        // The link's address is copied without anybody's help.
        QCOMPARE(QGuiApplication::clipboard()->text(), clicked.link.toString());
    }

    // The file as the engine writes it (sorted, a checksum over the lines) or
    // edited by hand; a word added goes in, what is no word does not, and a
    // file that cannot be written keeps nothing.
    void userWordsInTheEnginesFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QByteArray>("afterAdding");
        const QByteArray both
            = "Bahnhof\nZug\n\xc3\x84rger\nchecksum_v1 = fd222eaa6e9a395e8573a12ff9a8d446";
        // clang-format off
        QTest::newRow("engine's") << QByteArray("Bahnhof\nZug\nchecksum_v1 = 252e389359de4e7832f06105d9823ed6") << QStringList { "Bahnhof", "Zug" } << both;
        QTest::newRow("by hand") << "Zug\n\n  Bahnhof \nzwei Worte\nZug\n" + QByteArray(100, 'x') + "\nchecksum_v1 = 0" << QStringList { "Zug", "Bahnhof" } << both;
        QTest::newRow("none") << QByteArray() << QStringList() << QByteArray("\xc3\x84rger\nchecksum_v1 = 92ae590019177d62a14414cccf04f12f");
        QTest::newRow("unwritable") << QByteArray() << QStringList() << QByteArray();
        // clang-format on
    }

    void userWordsInTheEnginesFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, words);
        QFETCH(QByteArray, afterAdding);
        QTemporaryDir folder;
        const bool writable = !afterAdding.isEmpty();
        // Where a folder should be, a file stands.
        QFile file(folder.filePath(writable ? "Custom Dictionary.txt" : "profile"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) >= 0);
        file.close();
        UserDictionary dictionary(writable ? file.fileName() : file.fileName() + "/words.txt");
        QCOMPARE(UserDictionary::parse(contents), words);
        for (const QString &word : words)
            QVERIFY(dictionary.contains(word));
        QVERIFY(!dictionary.add("zwei Worte") && !dictionary.add(""));
        QCOMPARE(dictionary.add("Ärger"), writable);
        QCOMPARE(dictionary.contains("Ärger"), writable);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), writable ? afterAdding : contents);
    }
};

QTEST_MAIN(TestPageContextMenu)
#include "tst_pagecontextmenu.moc"
