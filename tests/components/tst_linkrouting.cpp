// SPDX-License-Identifier: MIT
// Where navigations go, and the German page for a page that cannot be reached.
#include "components/LinkRouting.h"
#include "components/OwnPages.h"

#include <QTest>

using namespace orv;

Q_DECLARE_METATYPE(orv::NavigationKind)
Q_DECLARE_METATYPE(orv::Route)

namespace {

TrustedHosts maker()
{
    return TrustedHosts(
        { "www.harlund.example", "shop.harlund.example", "127.0.0.1:8080", "pay.partner.example" });
}

} // namespace

class TestLinkRouting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void route_data()
    {
        using K = NavigationKind;
        QTest::addColumn<NavigationKind>("kind");
        QTest::addColumn<bool>("user");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("target");
        QTest::addColumn<Route>("route");

        const QString www = "www.harlund.example";
        // clang-format off
        QTest::newRow("maker link") << K::Link << true << www << "http://www.harlund.example/support" << Route::Stay;
        QTest::newRow("bare domain") << K::Link << true << www << "https://harlund.example/" << Route::Stay;
        QTest::newRow("subdomain") << K::Link << true << www << "https://dl.harlund.example/a.exe" << Route::Stay;
        QTest::newRow("shop, any case") << K::Link << true << www << "http://SHOP.Harlund.example/" << Route::Stay;
        QTest::newRow("allow-listed") << K::Link << true << www << "https://pay.partner.example/x" << Route::Stay;
        QTest::newRow("script on the maker's site") << K::Other << false << www << "http://www.harlund.example/n" << Route::Stay;
        QTest::newRow("foreign link") << K::Link << true << www << "https://example.org/" << Route::Shell;
        QTest::newRow("foreign form") << K::Form << true << www << "https://example.org/post" << Route::Shell;
        QTest::newRow("foreign, no gesture") << K::Other << false << www << "https://example.org/" << Route::Ignore;
        QTest::newRow("name ending like the maker's") << K::Link << true << www << "http://evilharlund.example/" << Route::Shell;
        QTest::newRow("maker's name in front") << K::Link << true << www << "http://harlund.example.evil.test/" << Route::Shell;
        QTest::newRow("trusted port") << K::Link << true << "127.0.0.1:8080" << "http://127.0.0.1:8080/a" << Route::Stay;
        QTest::newRow("other port, same address") << K::Link << true << "127.0.0.1:8080" << "http://127.0.0.1:9090/" << Route::Shell;
        QTest::newRow("redirect from the shop") << K::Redirect << false << "shop.harlund.example" << "https://payment.example/" << Route::Stay;
        QTest::newRow("redirect of the window's own load") << K::Redirect << false << "" << "https://example.org/" << Route::Stay;
        QTest::newRow("redirect begun elsewhere") << K::Redirect << false << "tracker.example" << "https://ads.example/" << Route::Ignore;
        QTest::newRow("provider keeps its pages") << K::Form << true << "payment.example" << "https://payment.example/ok" << Route::Stay;
        QTest::newRow("provider links away") << K::Link << true << "payment.example" << "https://bank.example/" << Route::Shell;
        QTest::newRow("provider back to the shop") << K::Link << true << "payment.example" << "http://shop.harlund.example/" << Route::Stay;
        QTest::newRow("typed foreign") << K::Typed << true << www << "https://example.org/" << Route::Stay;
        QTest::newRow("history to foreign") << K::BackForward << true << www << "https://example.org/" << Route::Stay;
        QTest::newRow("reload of foreign") << K::Reload << true << "example.org" << "https://example.org/" << Route::Stay;
        QTest::newRow("mail") << K::Link << true << www << "mailto:info@harlund.example" << Route::Shell;
        QTest::newRow("phone") << K::Link << true << www << "tel:+43123456" << Route::Shell;
        QTest::newRow("mail, no gesture") << K::Other << false << www << "mailto:x@example.org" << Route::Ignore;
        QTest::newRow("local file") << K::Link << true << www << "file:///etc/passwd" << Route::Ignore;
        QTest::newRow("other program") << K::Link << true << www << "steam://run/1" << Route::Ignore;
        QTest::newRow("inline data") << K::Other << false << www << "data:text/html,x" << Route::Stay;
        // clang-format on
    }

    void route()
    {
        QFETCH(NavigationKind, kind);
        QFETCH(bool, user);
        QFETCH(QString, current);
        QFETCH(QString, target);
        QFETCH(Route, route);
        const NavigationRequest request { kind, user, current, QUrl(target),
            kind == NavigationKind::Redirect };
        QCOMPARE(routeNavigation(request, maker()), route);
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
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("certificate");
        QTest::addColumn<QString>("words");
        QTest::newRow("refused") << -102 << false << "abgelehnt";
        QTest::newRow("name not found") << -105 << false << "nicht gefunden";
        QTest::newRow("no network") << -106 << false << "keinem Netzwerk";
        QTest::newRow("timeout") << -118 << false << "nicht rechtzeitig";
        QTest::newRow("certificate by code") << -202 << false << "Zertifikat";
        QTest::newRow("certificate refused") << 0 << true << "Zertifikat";
        QTest::newRow("anything else") << -324 << false << "nicht erreicht";
    }

    void unreachablePageSaysWhatHappened()
    {
        QFETCH(int, code);
        QFETCH(bool, certificate);
        QFETCH(QString, words);
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
