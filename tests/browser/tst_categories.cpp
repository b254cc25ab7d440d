// SPDX-License-Identifier: MIT
#include "browser/Categories.h"

#include <QTest>

using namespace orv;
using Field = std::tuple<QString, QString, int, QString>;
using Entry = std::tuple<QString, QString, QString, QString, QString, int, QString>;

const Hosts kHosts { QStringLiteral("www.main.test"), QStringLiteral("shop.main.test") };
const QString kMain = QStringLiteral("http://www.main.test");

class TestCategories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void getField_data()
    {
        // text, separator, n, expected
        QTest::addColumn<Field>("row");

        // clang-format off
        QTest::newRow("first") << Field{"4711||Download", "|", 1, "4711"};
        QTest::newRow("empty middle") << Field{"4711||Download", "|", 2, ""};
        QTest::newRow("last field closed by the appended separator") << Field{"4711||Download", "|", 3, "Download"};
        QTest::newRow("beyond the last") << Field{"4711||Download", "|", 4, ""};
        QTest::newRow("trailing separators") << Field{"4711||Download||", "|", 3, "Download"};
        QTest::newRow("n zero") << Field{"a|b", "|", 0, ""};
        QTest::newRow("not trimmed") << Field{" a | b ", "|", 2, " b "};
        QTest::newRow("multi-char separator leaves last field open") << Field{"a||b", "||", 2, ""};
        QTest::newRow("multi-char separator first field") << Field{"a||b", "||", 1, "a"};
        QTest::newRow("empty separator") << Field{"abc", "", 2, ""};
        // clang-format on
    }

    void getField()
    {
        QFETCH(Field, row);
        const auto &[text, separator, n, expected] = row;
        QCOMPARE(GetField(text, separator, n), expected);
    }

    // A start's arguments become one line: Qt's own options in any of their
    // spellings never reach it (a later start hands its arguments on
    // unparsed), everything else keeps its place and its quotes. One pass
    // then reads the fields GetField reads one by one.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("product");

        const QString line = "4711||Download";
        // clang-format off
        QTest::newRow("no options") << QStringList{"orvelbrowser", line} << line << 4711;
        QTest::newRow("nothing at all") << QStringList{"orvelbrowser"} << "" << 0;
        QTest::newRow("with values, before and after") << QStringList{"orvelbrowser", "-platform", "xcb", line, "--style", "fusion"} << line << 4711;
        QTest::newRow("value joined by =") << QStringList{"orvelbrowser", "-style=fusion", line} << line << 4711;
        QTest::newRow("flags") << QStringList{"orvelbrowser", "-reverse", line, "-sync"} << line << 4711;
        QTest::newRow("blanks and quotes kept") << QStringList{"orvelbrowser", "\"4711||Support", "x\""} << "\"4711||Support x\"" << 0;
        QTest::newRow("not an option of Qt") << QStringList{"orvelbrowser", "-platformx", "-"} << "-platformx -" << 0;
        QTest::newRow("trailing separators") << QStringList{"orvelbrowser", "4711||Download||"} << "4711||Download||" << 4711;
        QTest::newRow("separators only") << QStringList{"orvelbrowser", "|||"} << "|||" << 0;
        QTest::newRow("surplus fields, negative") << QStringList{"orvelbrowser", "-12|t|c|d|e|f|g"} << "-12|t|c|d|e|f|g" << -12;
        QTest::newRow("beyond 32 bits") << QStringList{"orvelbrowser", "2147483648|x"} << "2147483648|x" << 0;
        // clang-format on
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QFETCH(int, product);
        QCOMPARE(commandLineText(arguments), line);
        const CommandLineFields fields = parseCommandLine(line);
        QCOMPARE(fields.ProductNumber, product);
        QCOMPARE((QStringList { fields.ProgramTag, fields.Category, fields.ExtraPageCaption,
                     fields.ExtraPageAddress }),
            (QStringList { GetField(line, "|", 2), GetField(line, "|", 3), GetField(line, "|", 4),
                GetField(line, "|", 5) }));
    }

    // Each entry as the command line's category at start and as the user's
    // later choice; "-": the choice opens nothing.
    void startAndSwitch_data()
    {
        // tag, entry, caption, extra, start address, start position, switch address
        QTest::addColumn<Entry>("row");

        const QString home = kMain, extra = "http://x.test/a";
        // clang-format off
        QTest::newRow("startseite has no row") << Entry{"", "Startseite", "", "", home, 0, home};
        QTest::newRow("download") << Entry{"", "Download", "", "", kMain + "/download/?produkt=4711", 1, kMain + "/download/?produkt=4711"};
        QTest::newRow("program info short") << Entry{"", "Programminfo", "", "", kMain + "/software", 2, kMain + "/software"};
        QTest::newRow("program info with tag") << Entry{"x", "Programminfo", "", "", kMain + "/software/?ProgID=4711", 2, kMain + "/software/?ProgID=4711"};
        QTest::newRow("news") << Entry{"", "News", "", "", kMain + "/neuigkeiten", 4, kMain + "/neuigkeiten"};
        QTest::newRow("events") << Entry{"", "Events", "", "", kMain + "/infos", 5, kMain + "/infos"};
        QTest::newRow("support") << Entry{"", "Support", "", "", kMain + "/support", 3, kMain + "/support"};
        QTest::newRow("shop") << Entry{"", "Shop", "", "", "http://shop.main.test/", 6, "http://shop.main.test/"};
        QTest::newRow("shopping AUT") << Entry{"", "ShoppingAUT", "", "", "http://shop.main.test/", 6, "http://shop.main.test/"};
        QTest::newRow("case matters") << Entry{"", "download", "", "", home, 0, "-"};
        QTest::newRow("unknown") << Entry{"", "Sonstiges", "", "", home, 0, "-"};
        QTest::newRow("extra page by address, at start only") << Entry{"", extra, "Extra", extra, extra, 7, "-"};
        QTest::newRow("extra page, blank address") << Entry{"", "  ", "Extra", "  ", home, 0, "-"};
        QTest::newRow("extra page by caption, on a switch only") << Entry{"", "Extra", "Extra", extra, home, 0, extra};
        QTest::newRow("extra by caption, blank address unchecked") << Entry{"", " Extra", " Extra", " ", home, 0, " "};
        // clang-format on
    }

    void startAndSwitch()
    {
        QFETCH(Entry, row);
        const auto &[tag, entry, caption, extra, address, position, switched] = row;
        const CommandLineFields fields { 4711, tag, entry, caption, extra };
        const StartPage page = startPageFor(fields, kHosts);
        QCOMPARE(page.address, address);
        QCOMPARE(page.position, position);
        QCOMPARE(switchAddressFor(entry, fields, kHosts).value_or("-"), switched);
    }

    void categoryList_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("count");

        // clang-format off
        QTest::newRow("no caption") << "" << 7;
        QTest::newRow("spaces only") << "   " << 7;
        QTest::newRow("leading space kept") << " Handbuch" << 8;
        QTest::newRow("tab is not blank") << "\t" << 8;
        // clang-format on
    }

    void categoryList()
    {
        QFETCH(QString, caption);
        QFETCH(int, count);
        const QStringList entries = categoryEntries({ 0, {}, {}, caption, {} });
        QCOMPARE(entries.size(), count);
        QCOMPARE(entries.mid(0, 7),
            (QStringList {
                "Startseite", "Download", "Programminfo", "Support", "News", "Events", "Shop" }));
        if (count == 8)
            QCOMPARE(entries.at(7), caption); // untrimmed
    }

    void hostsFromEnvironment()
    {
        qunsetenv("ORVEL_MAIN_HOST");
        qputenv("ORVEL_SHOP_HOST", "127.0.0.1:8081");
        const Hosts hosts = Hosts::fromEnvironment("main.default", "shop.default");
        QCOMPARE(hosts.MainHost, "main.default");
        QCOMPARE(hosts.ShopHost, "127.0.0.1:8081");
        qputenv("ORVEL_MAIN_HOST", "");
        QCOMPARE(Hosts::fromEnvironment("d", "s").MainHost, "d");
    }
};

QTEST_APPLESS_MAIN(TestCategories)
#include "tst_categories.moc"
