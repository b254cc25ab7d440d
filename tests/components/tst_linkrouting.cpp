// SPDX-License-Identifier: MIT
// Where navigations go, and the German page for a page that cannot be reached.
#include "components/qt/LinkRouting.h"
#include "components/qt/OwnPages.h"

#include <QTest>

using namespace orv;

using Row = std::tuple<NavigationKind, bool, QString, QString, Route>;
using Unreachable = std::tuple<int, bool, QString>;

class TestLinkRouting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void route_data()
    {
        using K = NavigationKind;
        // kind, user, current, target, route
        QTest::addColumn<Row>("row");

        const QString www = "www.harlund.example";
        // clang-format off
        QTest::newRow("bare domain") << Row{K::Link, true, www, "https://harlund.example/", Route::Stay};
        QTest::newRow("subdomain") << Row{K::Link, true, www, "https://dl.harlund.example/a.exe", Route::Stay};
        QTest::newRow("shop, any case") << Row{K::Link, true, www, "http://SHOP.Harlund.example/", Route::Stay};
        QTest::newRow("allow-listed") << Row{K::Link, true, www, "https://pay.partner.example/x", Route::Stay};
        QTest::newRow("script on the maker's site") << Row{K::Other, false, www, "http://www.harlund.example/n", Route::Stay};
        QTest::newRow("foreign form") << Row{K::Form, true, www, "https://example.org/post", Route::Shell};
        QTest::newRow("foreign, no gesture") << Row{K::Other, false, www, "https://example.org/", Route::Ignore};
        QTest::newRow("name ending like the maker's") << Row{K::Link, true, www, "http://evilharlund.example/", Route::Shell};
        QTest::newRow("maker's name in front") << Row{K::Link, true, www, "http://harlund.example.evil.test/", Route::Shell};
        QTest::newRow("trusted port") << Row{K::Link, true, "127.0.0.1:8080", "http://127.0.0.1:8080/a", Route::Stay};
        QTest::newRow("other port, same address") << Row{K::Link, true, "127.0.0.1:8080", "http://127.0.0.1:9090/", Route::Shell};
        QTest::newRow("redirect of the window's own load") << Row{K::Redirect, false, "", "https://example.org/", Route::Stay};
        QTest::newRow("redirect begun elsewhere") << Row{K::Redirect, false, "tracker.example", "https://ads.example/", Route::Ignore};
        QTest::newRow("provider keeps its pages") << Row{K::Form, true, "payment.example", "https://payment.example/ok", Route::Stay};
        QTest::newRow("provider links away") << Row{K::Link, true, "payment.example", "https://bank.example/", Route::Shell};
        QTest::newRow("provider back to the shop") << Row{K::Link, true, "payment.example", "http://shop.harlund.example/", Route::Stay};
        QTest::newRow("typed foreign") << Row{K::Typed, true, www, "https://example.org/", Route::Stay};
        QTest::newRow("history to foreign") << Row{K::BackForward, true, www, "https://example.org/", Route::Stay};
        QTest::newRow("reload of foreign") << Row{K::Reload, true, "example.org", "https://example.org/", Route::Stay};
        QTest::newRow("phone") << Row{K::Link, true, www, "tel:+43123456", Route::Shell};
        QTest::newRow("mail, no gesture") << Row{K::Other, false, www, "mailto:x@example.org", Route::Ignore};
        QTest::newRow("local file") << Row{K::Link, true, www, "file:///etc/passwd", Route::Ignore};
        QTest::newRow("other program") << Row{K::Link, true, www, "steam://run/1", Route::Ignore};
        QTest::newRow("inline data") << Row{K::Other, false, www, "data:text/html,x", Route::Stay};
        // clang-format on
    }

    void route()
    {
        QFETCH(Row, row);
        const auto &[kind, user, current, target, route] = row;
        const NavigationRequest request { kind, user, current, QUrl(target),
            kind == NavigationKind::Redirect };
        const TrustedHosts maker({ "www.harlund.example", "shop.harlund.example", "127.0.0.1:8080",
            "pay.partner.example" });
        QCOMPARE(routeNavigation(request, maker), route);
    }

    void makerHostsWithBuildAndEnvironmentAdditions()
    {
        qputenv("ORVEL_TRUSTED_HOSTS", "bank.example, 10.0.0.1:81");
        const TrustedHosts hosts = TrustedHosts::forMaker(
            "www.harlund.example", "127.0.0.1:4000", "pay.example;cdn.test");
        qunsetenv("ORVEL_TRUSTED_HOSTS");
        for (const char *host : { "harlund.example", "a.harlund.example", "127.0.0.1:4000",
                 "pay.example", "x.cdn.test", "bank.example", "10.0.0.1:81" })
            QVERIFY2(hosts.contains(QLatin1String(host)), host);
        for (const char *host : { "127.0.0.1:4001", "127.0.0.1", "10.0.0.1:82", "example.org", "" })
            QVERIFY2(!hosts.contains(QLatin1String(host)), host);
        QVERIFY(TrustedHosts().isEmpty());
    }

    void unreachablePageSaysWhatHappened_data()
    {
        // code, certificate, words
        QTest::addColumn<Unreachable>("row");
        QTest::newRow("name not found") << Unreachable { -105, false, "nicht gefunden" };
        QTest::newRow("no network") << Unreachable { -106, false, "keinem Netzwerk" };
        QTest::newRow("certificate by code") << Unreachable { -202, false, "Zertifikat" };
        QTest::newRow("certificate refused") << Unreachable { 0, true, "Zertifikat" };
        QTest::newRow("anything else") << Unreachable { -324, false, "nicht erreicht" };
    }

    void unreachablePageSaysWhatHappened()
    {
        QFETCH(Unreachable, row);
        const auto &[code, certificate, words] = row;
        const QUrl address("http://www.harlund.example/a?b=<c>&d");
        const QString html = unreachablePageHtml(classifyReachFailure(code, certificate), address);
        QVERIFY2(html.contains(words), qPrintable(html));
        QVERIFY(html.contains("Erneut versuchen"));
        // The address appears, escaped, and the button leads back to it.
        QVERIFY(!html.contains("<c>"));
        QVERIFY(html.contains("href=\"http://www.harlund.example/a?b=%3Cc%3E&amp;d\""));
        QVERIFY(crashedPageHtml(address).contains("Neu laden"));
    }
};

QTEST_GUILESS_MAIN(TestLinkRouting)
#include "tst_linkrouting.moc"
