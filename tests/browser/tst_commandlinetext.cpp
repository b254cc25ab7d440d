// SPDX-License-Identifier: MIT
// A start's arguments become one line: Qt's own options in any of their
// spellings never reach it (a later start hands its arguments on unparsed),
// everything else keeps its place and its quotes.
#include "browser/qt/CommandLineText.h"

#include <QTest>

using namespace orv;

class TestCommandLineText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");

        const QString line = "4711||Download";
        // clang-format off
        QTest::newRow("no options") << QStringList{"orvelbrowser", line} << line;
        QTest::newRow("nothing at all") << QStringList{"orvelbrowser"} << "";
        QTest::newRow("with values, before and after") << QStringList{"orvelbrowser", "-platform", "xcb", line, "--style", "fusion"} << line;
        QTest::newRow("value joined by =") << QStringList{"orvelbrowser", "-style=fusion", line} << line;
        QTest::newRow("flags") << QStringList{"orvelbrowser", "-reverse", line, "-sync"} << line;
        QTest::newRow("blanks and quotes kept") << QStringList{"orvelbrowser", "\"4711||Support", "x\""} << "\"4711||Support x\"";
        QTest::newRow("not an option of Qt") << QStringList{"orvelbrowser", "-platformx", "-"} << "-platformx -";
        // clang-format on
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QCOMPARE(commandLineText(arguments), line);
    }
};

QTEST_APPLESS_MAIN(TestCommandLineText)
#include "tst_commandlinetext.moc"
