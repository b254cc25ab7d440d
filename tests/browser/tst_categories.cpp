// SPDX-License-Identifier: MIT
#include "browser/Categories.h"

#include <QTest>

using namespace orv;

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
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");

        // clang-format off
        QTest::newRow("first") << "4711||Download" << "|" << 1 << "4711";
        QTest::newRow("empty middle") << "4711||Download" << "|" << 2 << "";
        QTest::newRow("last field closed by the appended separator") << "4711||Download" << "|" << 3 << "Download";
        QTest::newRow("beyond the last") << "4711||Download" << "|" << 4 << "";
        QTest::newRow("trailing separators") << "4711||Download||" << "|" << 3 << "Download";
        QTest::newRow("n zero") << "a|b" << "|" << 0 << "";
        QTest::newRow("n negative") << "a|b" << "|" << -3 << "";
        QTest::newRow("empty text") << "" << "|" << 1 << "";
        QTest::newRow("separators only") << "|||" << "|" << 2 << "";
        QTest::newRow("not trimmed") << " a | b " << "|" << 2 << " b ";
        QTest::newRow("quotes kept") << "\"4711||Download\"" << "|" << 3 << "Download\"";
        QTest::newRow("surplus fields") << "1|2|3|4|5|6" << "|" << 5 << "5";
        QTest::newRow("multi-char separator leaves last field open") << "a||b" << "||" << 2 << "";
        QTest::newRow("multi-char separator first field") << "a||b" << "||" << 1 << "a";
        QTest::newRow("empty separator") << "abc" << "" << 2 << "";
        QTest::newRow("umlauts") << QStringLiteral("Grüße|Zürich") << "|" << 2 << QStringLiteral("Zürich");
        // clang-format on
    }

    void getField()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(GetField(text, separator, n), expected);
    }

    void startPage_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<qint32>("product");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("position");

        const QString home = kMain;
        // clang-format off
        QTest::newRow("download") << "" << 4711 << "Download" << "" << "" << kMain + "/download/?produkt=4711" << 1;
        QTest::newRow("download without product") << "" << 0 << "Download" << "" << "" << kMain + "/download/?produkt=0" << 1;
        QTest::newRow("program info short") << "" << 4711 << "Programminfo" << "" << "" << kMain + "/software" << 2;
        QTest::newRow("program info with tag") << "x" << 4711 << "Programminfo" << "" << "" << kMain + "/software/?ProgID=4711" << 2;
        QTest::newRow("news") << "" << 0 << "News" << "" << "" << kMain + "/neuigkeiten" << 4;
        QTest::newRow("events") << "" << 0 << "Events" << "" << "" << kMain + "/infos" << 5;
        QTest::newRow("support") << "" << 0 << "Support" << "" << "" << kMain + "/support" << 3;
        QTest::newRow("shop") << "" << 0 << "Shop" << "" << "" << "http://shop.main.test/" << 6;
        QTest::newRow("shopping AUT") << "" << 0 << "ShoppingAUT" << "" << "" << "http://shop.main.test/" << 6;
        QTest::newRow("startseite has no row") << "" << 0 << "Startseite" << "" << "" << home << 0;
        QTest::newRow("empty") << "" << 0 << "" << "" << "" << home << 0;
        QTest::newRow("wrong case") << "" << 4711 << "download" << "" << "" << home << 0;
        QTest::newRow("extra page by address") << "" << 0 << "http://x.test/a" << "Extra" << "http://x.test/a" << "http://x.test/a" << 7;
        QTest::newRow("extra page, blank address") << "" << 0 << "  " << "Extra" << "  " << home << 0;
        QTest::newRow("extra page by caption is not recognised at start") << "" << 0 << "Extra" << "Extra" << "http://x.test/a" << home << 0;
        QTest::newRow("extra address without caption still opens") << "" << 0 << "http://x.test/a" << "" << "http://x.test/a" << "http://x.test/a" << 7;
        QTest::newRow("category with trailing quote") << "" << 0 << "Download\"" << "" << "" << home << 0;
        // clang-format on
    }

    void startPage()
    {
        QFETCH(QString, tag);
        QFETCH(qint32, product);
        QFETCH(QString, category);
        QFETCH(QString, caption);
        QFETCH(QString, extra);
        QFETCH(QString, address);
        QFETCH(int, position);
        const StartPage page = startPageFor(fields(product, tag, category, caption, extra), kHosts);
        QCOMPARE(page.address, address);
        QCOMPARE(page.position, position);
    }

    void categorySwitch_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("address"); // "-" for no navigation

        // clang-format off
        QTest::newRow("startseite") << "" << "Startseite" << "" << "" << kMain;
        QTest::newRow("download") << "" << "Download" << "" << "" << kMain + "/download/?produkt=4711";
        QTest::newRow("program info short") << "" << "Programminfo" << "" << "" << kMain + "/software";
        QTest::newRow("program info with tag") << "t" << "Programminfo" << "" << "" << kMain + "/software/?ProgID=4711";
        QTest::newRow("support") << "" << "Support" << "" << "" << kMain + "/support";
        QTest::newRow("news") << "" << "News" << "" << "" << kMain + "/neuigkeiten";
        QTest::newRow("events") << "" << "Events" << "" << "" << kMain + "/infos";
        QTest::newRow("shop") << "" << "Shop" << "" << "" << "http://shop.main.test/";
        QTest::newRow("extra by caption") << "" << "Extra" << "Extra" << "http://x.test/a" << "http://x.test/a";
        QTest::newRow("extra by caption, blank address unchecked") << "" << " Extra" << " Extra" << " " << " ";
        QTest::newRow("unknown navigates nothing") << "" << "Sonstiges" << "" << "" << "-";
        QTest::newRow("case matters") << "" << "support" << "" << "" << "-";
        // clang-format on
    }

    void categorySwitch()
    {
        QFETCH(QString, tag);
        QFETCH(QString, entry);
        QFETCH(QString, caption);
        QFETCH(QString, extra);
        QFETCH(QString, address);
        const auto result
            = switchAddressFor(entry, fields(4711, tag, QString(), caption, extra), kHosts);
        QCOMPARE(result.value_or(QStringLiteral("-")), address);
    }

    void categoryList_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("count");

        // clang-format off
        QTest::newRow("no caption") << "" << 7;
        QTest::newRow("spaces only") << "   " << 7;
        QTest::newRow("caption") << "Handbuch" << 8;
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
