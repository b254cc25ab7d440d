// SPDX-License-Identifier: MIT
// When the server or the page fails, on the real engine: error statuses, a
// cut connection, a redirect loop, a huge page and no answer; hosts that
// cannot be reached, and the last copy of a category page standing in for it;
// a page's display process dying, a page that hangs or eats its memory. The
// window stays usable throughout.

#include "Desktop.h"
#include "MeterProbe.h"
#include "components/qt/PictureBox.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QWebEngineScript>

#include <csignal>

using namespace orv;
using namespace orv::test::desktop;
using orv::demo::DemoSite;
using Unreachable = std::tuple<QString, QString, QString>;

// Where the program keeps the last copies of the windows' pages.
static QString lastSeenFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/zuletzt-gesehen";
}

class TestServerFaults : public BrowserDesktop
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever a server does wrong, the window stays usable: Stop works, the
    // meter ends, another category loads, and closing files the placement.
    void serverFaultsLeaveTheWindowUsable_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *path : { "/fehler/404", "/fehler/500", "/fehler/abbruch",
                 "/fehler/schleife", "/fehler/gross", "/antwortet-nie" })
            QTest::newRow(path) << path;
    }

    void serverFaultsLeaveTheWindowUsable()
    {
        QFETCH(QString, path);
        open("0||Support");
        enter("http://" + m_site.slowHost() + path);
        QTRY_VERIFY_WITH_TIMEOUT(m_site.requests().contains("slow " + path), kLoadTimeout);
        QTest::qWait(1000);
        clickTool("ID_Stop"); // ends what is still loading; a disabled tool ignores it
        QTRY_VERIFY_WITH_TIMEOUT(!enabled("ID_Stop"), kLoadTimeout);
        QTRY_VERIFY(!m_window->meterArea()->isVisible());
        loadBy([&] { choose("Events"); });
        clickTool("ID_Beenden");
        QVERIFY(!m_window->isVisible());
        QVERIFY(filed("Events", "left").toInt() != 0);
    }

    // A host that refuses, never answers or shows an untrusted certificate
    // gets our German page, and the status names the page, not a picture or
    // icon of it. The refusing one's page comes back by itself once the host
    // listens again. Back and Forward never lead to our page.
    void unreachablePagesRecover_data()
    {
        // address, sentence, status
        QTest::addColumn<Unreachable>("row");
        const QString failed = "Die Seite konnte nicht geladen werden: ";
        // clang-format off
        QTest::newRow("refused") << Unreachable{main("/neuigkeiten"), "Der Server hat die Verbindung abgelehnt.", failed};
        QTest::newRow("never answers") << Unreachable{"http://" + m_site.slowHost() + "/stumm", "Der Server hat nicht rechtzeitig geantwortet.", failed};
        QTest::newRow("certificate") << Unreachable{"https://" + m_site.secureHost() + "/", "Zertifikat des Servers ist nicht", "Unsicheres Zertifikat, Seite nicht geladen: "};
        // clang-format on
    }

    void unreachablePagesRecover()
    {
        QFETCH(Unreachable, row);
        const auto &[address, sentence, status] = row;
        open("0||Support");
        const bool refused = address == main("/neuigkeiten");
        QDir(lastSeenFolder()).removeRecursively(); // no copy of the page: our bare page
        if (refused)
            m_site.stop(DemoSite::Host::Main);
        auto restart = qScopeGuard([&] {
            if (refused)
                m_site.restart(DemoSite::Host::Main);
        });
        enter(address);
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Erneut versuchen"), kLoadTimeout);
        const QString text = pageText();
        QVERIFY2(text.contains(sentence) && text.contains(address), qPrintable(text));
        QTest::qWait(1000); // what our page loads itself must not speak
        QCOMPARE(this->status(), status + address);
        QVERIFY(!enabled("ID_Stop") && enabled("ID_Zurück") && !enabled("ID_Vorwärts"));
        if (!refused) { // back to the page before, as it was
            clickTool("ID_Zurück");
            QTRY_VERIFY(pageText().contains("Hilfe und Kontakt."));
            QTRY_VERIFY(!enabled("ID_Zurück") && !enabled("ID_Vorwärts"));
            return;
        }
        screenshot("fehlerseite.png");

        restart.dismiss();
        QVERIFY(m_site.restart(DemoSite::Host::Main));
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Neuigkeiten."), kLoadTimeout);
        QCOMPARE(view()->url().toString(), address);
        QTRY_COMPARE(this->status(), "Fertig");
        loadBy([&] { clickTool("ID_Zurück"); });
        QVERIFY(pageText().contains("Hilfe und Kontakt."));
        QTRY_VERIFY(!enabled("ID_Zurück") && enabled("ID_Vorwärts"));
        loadBy([&] { clickTool("ID_Vorwärts"); });
        QVERIFY(pageText().contains("Neuigkeiten."));
        QTRY_VERIFY(enabled("ID_Zurück") && !enabled("ID_Vorwärts"));
    }

    // A category page seen before shows as it was while its host is down,
    // marked at the top with the time it was saved, under its live address;
    // its links lead to the copies of their pages; the live page replaces the
    // copy shown as soon as the host answers again.
    void theLastSeenCopyStandsInWhileTheHostIsDown()
    {
        QDir folder(lastSeenFolder());
        folder.removeRecursively();
        const QString before = QDateTime::currentDateTime().toString("dd.MM.yyyy, HH:mm");
        open("0||Events");
        loadBy([&] { choose("Support"); });
        loadBy([&] { choose("News"); });
        loadBy([&] { choose("Events"); });
        QTRY_COMPARE_WITH_TIMEOUT(
            folder.entryList({ "*.mhtml" }, QDir::Files).size(), 3, kLoadTimeout);
        const QString after = QDateTime::currentDateTime().toString("dd.MM.yyyy, HH:mm");
        xdo({ "windowactivate", "--sync", QString::number(m_window->winId()) });
        keys("alt+F4");
        QTRY_VERIFY(!m_window->isVisible());

        m_site.stop(DemoSite::Host::Main);
        auto restart = qScopeGuard([&] { m_site.restart(DemoSite::Host::Main); });
        open("0||Events");
        // The copy runs no scripts of its own; ours reads it apart from them.
        const auto shown = [this] {
            auto text = std::make_shared<QString>();
            view()->page()->runJavaScript("document.body ? document.body.innerText : ''",
                QWebEngineScript::ApplicationWorld,
                [text](const QVariant &result) { *text = result.toString(); });
            QTest::qWait(100);
            return *text;
        };
        QTRY_VERIFY_WITH_TIMEOUT(shown().contains("Termine und Veranstaltungen."), kLoadTimeout);
        const QString text = shown();
        const QRegularExpression banner("^Gespeicherte Fassung vom (\\d\\d\\.\\d\\d\\.\\d{4}, "
                                        "\\d\\d:\\d\\d) — keine Verbindung zum Server");
        const QString saved = banner.match(text).captured(1);
        QVERIFY2(saved == before || saved == after, qPrintable(text));
        QCOMPARE(m_window->addressBox()->currentText(), main("/infos"));
        QCOMPARE(m_window->windowTitle(), kPrefix + "Events");
        QTRY_COMPARE(status(), "Die Seite konnte nicht geladen werden: " + main("/infos"));
        screenshot("zuletzt-gesehen.png");

        // The copy's links, clicked as a user does (the copy's own scripts are
        // off), a plain one and one with a target, lead to their pages' copies.
        const auto clickInCopy = [&](const char *id) {
            auto centre = std::make_shared<QVariantList>();
            view()->page()->runJavaScript(
                QString("(function(){var r=document.getElementById('%1').getClientRects()[0];"
                        "return [r.left+r.width/2, r.top+r.height/2];})()")
                    .arg(id),
                QWebEngineScript::ApplicationWorld,
                [centre](const QVariant &r) { *centre = r.toList(); });
            QTRY_COMPARE(centre->size(), 2);
            const QPoint link
                = view()->mapToGlobal(QPoint(centre->at(0).toInt(), centre->at(1).toInt()));
            xdo({ "mousemove", "--sync", QString::number(link.x()), QString::number(link.y()),
                "click", "1" });
        };
        for (const auto &[id, path, content] :
            { std::tuple { "support", "/support", "Hilfe und Kontakt." },
                std::tuple { "blank", "/neuigkeiten", "Neuigkeiten." } }) {
            clickInCopy(id);
            QTRY_VERIFY_WITH_TIMEOUT(shown().contains(content), kLoadTimeout);
            QVERIFY(banner.match(shown()).hasMatch());
            QTRY_COMPARE(status(), "Die Seite konnte nicht geladen werden: " + main(path));
        }

        restart.dismiss();
        QVERIFY(m_site.restart(DemoSite::Host::Main));
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Neuigkeiten."), kLoadTimeout);
        QVERIFY(!pageText().contains("Gespeicherte Fassung"));
        QCOMPARE(view()->url().toString(), main("/neuigkeiten"));
        QTRY_COMPARE(status(), "Fertig");
        QVERIFY(!enabled("ID_Zurück")); // the copy left no entry behind
    }

    // The display process dies: the page comes back once; dying again within
    // a minute leaves a page with a button, and the window keeps working: the
    // toolbar, and the meter, Stop and Back following a slow load.
    void aDyingPageComesBackOnce()
    {
        open("0||Support");
        const auto killRenderer = [this] {
            const qint64 pid = view()->page()->renderProcessPid();
            QVERIFY(pid > 0);
            QSignalSpy gone(view()->page(), &QWebEnginePage::renderProcessTerminated);
            ::kill(pid_t(pid), SIGKILL);
            QTRY_VERIFY_WITH_TIMEOUT(!gone.isEmpty(), kLoadTimeout);
        };
        killRenderer();
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Hilfe und Kontakt."), kLoadTimeout);
        QCOMPARE(view()->url().toString(), main("/support"));

        killRenderer();
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Neu laden"), kLoadTimeout);
        screenshot("absturzseite.png");
        QVERIFY(m_window->isVisible());

        userClick("retry");
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Hilfe und Kontakt."), kLoadTimeout);
        QTRY_VERIFY(!enabled("ID_Zurück")); // our page left no entry behind
        loadBy([&] { clickTool("ID_Aktualisieren"); });

        QSignalSpy loaded(view()->page(), &QWebEnginePage::loadFinished);
        enter(main("/langsam?ms=2000"));
        PictureBox *area = m_window->meterArea();
        QTRY_VERIFY_WITH_TIMEOUT(
            area->isVisible() && !orv::test::drawnMeterBlocks(*area).isEmpty(), kLoadTimeout);
        // All of this while the picture is still arriving.
        QVERIFY(m_window->meterFrame()->isVisible() && loaded.isEmpty() && enabled("ID_Stop"));
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), kLoadTimeout);
        QTRY_VERIFY(!area->isVisible());
        // The frame stays once shown.
        QVERIFY(!enabled("ID_Stop") && enabled("ID_Zurück") && m_window->meterFrame()->isVisible());
        QVERIFY(m_site.pageRequests().contains("main /late.png?ms=2000"));
    }

    // A page whose script never ends, after the user's F5: the status band
    // says so, and the page offers to reload; that ends the page's display
    // process and loads the page anew. Another category chosen on a hung
    // page shows at once. A page that eats its memory still ends in the
    // page of a crash.
    void aPageThatHangsOrEatsMemory()
    {
        open("0||Download");
        xdo({ "windowactivate", "--sync", QString::number(m_window->winId()) });
        QTRY_VERIFY(m_window->isActiveWindow());
        typeAddress(m_site.mainHost() + "/haengt");
        const QString title
            = "Hängt - Harlund (Demo)"; // the engine keeps it, no need to ask the page
        QTRY_COMPARE_WITH_TIMEOUT(view()->page()->title(), title, kLoadTimeout);
        const qint64 hung = view()->page()->renderProcessPid();
        QTest::qWait(1000); // the script holds the page by now
        keys("F5");
        QTRY_COMPARE_WITH_TIMEOUT(
            status(), "Seite reagiert nicht: " + main("/haengt"), kLoadTimeout);
        QTRY_VERIFY(pageText().contains("Seite reagiert nicht"));
        const int loads = m_site.pageRequests().count("main /haengt");
        const QVariantList xy
            = js("(function(){var r=document.getElementById('retry').getBoundingClientRect();"
                 "return [r.left+r.width/2, r.top+r.height/2];})()")
                  .toList();
        const QPoint button = view()->mapToGlobal(QPoint(xy.value(0).toInt(), xy.value(1).toInt()));
        xdo({ "mousemove", "--sync", QString::number(button.x()), QString::number(button.y()),
            "click", "1" });
        QTRY_COMPARE_WITH_TIMEOUT(
            m_site.pageRequests().count("main /haengt"), loads + 1, kLoadTimeout);
        QTRY_VERIFY(!QDir("/proc/" + QString::number(hung)).exists());
        QTRY_COMPARE_WITH_TIMEOUT(view()->page()->title(), title, kLoadTimeout);

        QTest::qWait(1000); // hung again
        QWidget *list = tool("ID_Seite").widget();
        keys("F6");
        for (int i = 0; i < 10 && QApplication::focusWidget() != list; ++i)
            keys("shift+Tab");
        keys("Down");
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Alle Programme."), kLoadTimeout);
        QTRY_COMPARE(status(), "Fertig");

        typeAddress(m_site.mainHost() + "/speicher");
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Seite abgestürzt"), kLoadTimeout);
        QCOMPARE(m_site.pageRequests().count("main /speicher"), 2); // reloaded once
    }
};

int main(int argc, char *argv[])
{
    return runBrowserTests<TestServerFaults>(argc, argv);
}

#include "tst_serverfaults_e2e.moc"
