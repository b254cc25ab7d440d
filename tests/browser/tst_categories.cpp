// SPDX-License-Identifier: MIT
#include "browser/Categories.h"

#include <QTest>

using namespace orv;
using Field = std::tuple<QString, QString, int, QString>;
using Start = std::tuple<QString, qint32, QString, QString, QString, QString, int>;
using Switch = std::tuple<QString, QString, QString, QString>;

namespace {

const Hosts kHosts { QStringLiteral("www.main.test"), QStringLiteral("shop.main.test") };
const QString kMain = QStringLiteral("http://www.main.test");

CommandLineFields fields(qint32 product, const QString &tag, const QString &category,
    const QString &caption = {}, const QString &address = {})
{
    return { product, tag, category, caption, address };
}

} // namespace

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

    // One pass reads what GetField reads field by field.
    void commandLineInOnePass_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("product");
        // clang-format off
        QTest::newRow("download, trailing separators") << "4711||Download||" << 4711;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("separators only") << "|||" << 0;
        QTest::newRow("quoted") << "\"4711||Download\"" << 0;
        QTest::newRow("surplus fields, negative") << "-12|t|c|d|e|f|g" << -12;
        QTest::newRow("beyond 32 bits") << "2147483648|x" << 0;
        // clang-format on
    }

    void commandLineInOnePass()
    {
        QFETCH(QString, line);
        QFETCH(int, product);
        const CommandLineFields fields = parseCommandLine(line);
        QCOMPARE(fields.ProductNumber, product);
        QCOMPARE((QStringList { fields.ProgramTag, fields.Category, fields.ExtraPageCaption,
                     fields.ExtraPageAddress }),
            (QStringList { GetField(line, "|", 2), GetField(line, "|", 3), GetField(line, "|", 4),
                GetField(line, "|", 5) }));
    }

    void startPage_data()
    {
        // tag, product, category, caption, extra, address, position
        QTest::addColumn<Start>("row");

        const QString home = kMain;
        // clang-format off
        QTest::newRow("download") << Start{"", 4711, "Download", "", "", kMain + "/download/?produkt=4711", 1};
        QTest::newRow("program info short") << Start{"", 4711, "Programminfo", "", "", kMain + "/software", 2};
        QTest::newRow("program info with tag") << Start{"x", 4711, "Programminfo", "", "", kMain + "/software/?ProgID=4711", 2};
        QTest::newRow("news") << Start{"", 0, "News", "", "", kMain + "/neuigkeiten", 4};
        QTest::newRow("events") << Start{"", 0, "Events", "", "", kMain + "/infos", 5};
        QTest::newRow("support") << Start{"", 0, "Support", "", "", kMain + "/support", 3};
        QTest::newRow("shop") << Start{"", 0, "Shop", "", "", "http://shop.main.test/", 6};
        QTest::newRow("shopping AUT") << Start{"", 0, "ShoppingAUT", "", "", "http://shop.main.test/", 6};
        QTest::newRow("startseite has no row") << Start{"", 0, "Startseite", "", "", home, 0};
        QTest::newRow("wrong case") << Start{"", 4711, "download", "", "", home, 0};
        QTest::newRow("extra page by address") << Start{"", 0, "http://x.test/a", "Extra", "http://x.test/a", "http://x.test/a", 7};
        QTest::newRow("extra page, blank address") << Start{"", 0, "  ", "Extra", "  ", home, 0};
        QTest::newRow("extra page by caption is not recognised at start") << Start{"", 0, "Extra", "Extra", "http://x.test/a", home, 0};
        // clang-format on
    }

    void startPage()
    {
        QFETCH(Start, row);
        const auto &[tag, product, category, caption, extra, address, position] = row;
        const StartPage page = startPageFor(fields(product, tag, category, caption, extra), kHosts);
        QCOMPARE(page.address, address);
        QCOMPARE(page.position, position);
    }

    void categorySwitch_data()
    {
        // entry, caption, extra, address ("-" for no navigation)
        QTest::addColumn<Switch>("row");

        // clang-format off
        QTest::newRow("startseite") << Switch{"Startseite", "", "", kMain};
        QTest::newRow("download") << Switch{"Download", "", "", kMain + "/download/?produkt=4711"};
        QTest::newRow("program info short") << Switch{"Programminfo", "", "", kMain + "/software"};
        QTest::newRow("support") << Switch{"Support", "", "", kMain + "/support"};
        QTest::newRow("news") << Switch{"News", "", "", kMain + "/neuigkeiten"};
        QTest::newRow("events") << Switch{"Events", "", "", kMain + "/infos"};
        QTest::newRow("shop") << Switch{"Shop", "", "", "http://shop.main.test/"};
        QTest::newRow("extra by caption") << Switch{"Extra", "Extra", "http://x.test/a", "http://x.test/a"};
        QTest::newRow("extra by caption, blank address unchecked") << Switch{" Extra", " Extra", " ", " "};
        QTest::newRow("unknown navigates nothing") << Switch{"Sonstiges", "", "", "-"};
        QTest::newRow("case matters") << Switch{"support", "", "", "-"};
        // clang-format on
    }

    void categorySwitch()
    {
        QFETCH(Switch, row);
        const auto &[entry, caption, extra, address] = row;
        const auto result = switchAddressFor(entry, fields(4711, {}, {}, caption, extra), kHosts);
        QCOMPARE(result.value_or(QStringLiteral("-")), address);
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
        const QStringList entries = categoryEntries(fields(0, {}, {}, caption));
        QCOMPARE(entries.size(), count);
        QCOMPARE(entries.mid(0, 7),
            (QStringList {
                "Startseite", "Download", "Programminfo", "Support", "News", "Events", "Shop" }));
        if (count == 8)
            QCOMPARE(entries.at(7), caption); // untrimmed
    }

    // A later start hands its arguments on unparsed: Qt's own options in
    // any of their spellings never reach the line, everything else keeps
    // its place and its quotes.
    void commandLineWithoutToolkitOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");

        const QString line = "4711||Download";
        // clang-format off
        QTest::newRow("none") << QStringList{"orvelbrowser", line} << line;
        QTest::newRow("nothing at all") << QStringList{"orvelbrowser"} << "";
        QTest::newRow("with values, before and after") << QStringList{"orvelbrowser", "-platform", "xcb", line, "--style", "fusion"} << line;
        QTest::newRow("value joined by =") << QStringList{"orvelbrowser", "-style=fusion", line} << line;
        QTest::newRow("flags") << QStringList{"orvelbrowser", "-reverse", line, "-sync"} << line;
        QTest::newRow("blanks and quotes kept") << QStringList{"orvelbrowser", "\"0||Support", "x\""} << "\"0||Support x\"";
        QTest::newRow("not an option of Qt") << QStringList{"orvelbrowser", "-platformx", "-"} << "-platformx -";
        // clang-format on
    }

    void commandLineWithoutToolkitOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QCOMPARE(commandLineText(arguments), line);
    }

    void hostsFromEnvironment()
    {
        qunsetenv("ORVEL_MAIN_HOST");
        qputenv("ORVEL_SHOP_HOST", "127.0.0.1:8081");
        const Hosts hosts = Hosts::fromEnvironment(
            QStringLiteral("main.default"), QStringLiteral("shop.default"));
        QCOMPARE(hosts.MainHost, QStringLiteral("main.default"));
        QCOMPARE(hosts.ShopHost, QStringLiteral("127.0.0.1:8081"));
        qputenv("ORVEL_MAIN_HOST", "");
        QCOMPARE(Hosts::fromEnvironment(QStringLiteral("d"), QStringLiteral("s")).MainHost,
            QStringLiteral("d"));
    }
};

QTEST_APPLESS_MAIN(TestCategories)
#include "tst_categories.moc"
