// SPDX-License-Identifier: MIT
// Browsing on the real engine against the local demo site: categories,
// Back and Forward, every command from a real keyboard, links and where
// they open, the context menu, and a page resting out of sight.

#include "Desktop.h"
#include "browser/qt/FindBar.h"

#include <QMenu>

using namespace orv;
using namespace orv::test::desktop;
using Link = std::tuple<QString, QString, QString, QString>;

class TestBrowsing : public BrowserDesktop
{
    Q_OBJECT

private Q_SLOTS:
    void startPageThenSwitchBackAndForward()
    {
        open("4711||Download");
        QCOMPARE(m_site.pageRequests().value(0), "main /download/?produkt=4711");
        QCOMPARE(view()->url().toString(), main("/download/?produkt=4711"));
        QCOMPARE(m_window->windowTitle(), kPrefix + "Download");
        QTRY_COMPARE(status(), "Fertig");
        QVERIFY(!enabled("ID_Stop") && !enabled("ID_Zurück"));
        loadBy([&] { choose("Support"); });
        QCOMPARE(m_site.pageRequests().last(), "main /support");
        QCOMPARE(m_window->windowTitle(), kPrefix + "Support");
        QTRY_VERIFY(enabled("ID_Zurück"));
        QVERIFY(!enabled("ID_Vorwärts"));

        loadBy([&] { clickTool("ID_Zurück"); });
        QCOMPARE(view()->url().toString(), main("/download/?produkt=4711"));
        QTRY_VERIFY(enabled("ID_Vorwärts") && !enabled("ID_Zurück"));

        loadBy([&] { clickTool("ID_Vorwärts"); });
        QCOMPARE(view()->url().toString(), main("/support"));
        QTRY_VERIFY(!enabled("ID_Vorwärts"));

        loadBy([&] { clickTool("ID_Aktualisieren"); });
        QCOMPARE(m_site.pageRequests().last(), "main /support");

        // The pages are silent: a dialog would hold the script until closed.
        QCOMPARE(js("alert('x'); confirm('y') ? 'yes' : 'no'", 10000).toString(), "no");
    }

    // The window from a real keyboard: Enter and the number pad's Enter in
    // the address box, a pick from its list, F5, Esc, the category list,
    // Ctrl+F and F11.
    void theKeyboardReachesEveryCommand()
    {
        if (m_windowManager->state() != QProcess::Running)
            QSKIP("openbox is not installed");
        open("4711||Download");
        xdo({ "windowactivate", "--sync", QString::number(m_window->winId()) });
        QTRY_VERIFY(m_window->isActiveWindow());
        const QString host = m_site.mainHost();
        const auto requested = [this](const QString &path) {
            return m_site.pageRequests().count("main " + path);
        };
        typeAddress(host + "/support");
        QTRY_COMPARE_WITH_TIMEOUT(requested("/support"), 1, kLoadTimeout);
        keys("F6");
        type(host + "/infos");
        keys("KP_Enter");
        QTRY_COMPARE_WITH_TIMEOUT(requested("/infos"), 1, kLoadTimeout);
        QCOMPARE(m_window->history().entries(),
            (std::vector { (host + "/infos").toStdString(), (host + "/support").toStdString() }));
        keys("alt+Down Down Return"); // the list opens on the box's entry
        QTRY_COMPARE_WITH_TIMEOUT(requested("/support"), 2, kLoadTimeout);
        QCOMPARE(m_window->history().entries(),
            (std::vector { (host + "/support").toStdString(), (host + "/infos").toStdString() }));
        QTRY_COMPARE(status(), "Fertig");
        keys("F5");
        QTRY_COMPARE_WITH_TIMEOUT(requested("/support"), 3, kLoadTimeout);

        // Esc stops a load that would take seconds.
        QTRY_COMPARE(status(), "Fertig");
        typeAddress(host + "/langsam?ms=8000");
        QTRY_VERIFY_WITH_TIMEOUT(enabled("ID_Stop"), kLoadTimeout);
        keys("Escape");
        QTRY_VERIFY_WITH_TIMEOUT(!enabled("ID_Stop"), 3000);

        // From the address box back to the category list, then the next entry.
        auto *list = tool("ID_Seite").widget();
        keys("F6");
        for (int i = 0; i < 10 && QApplication::focusWidget() != list; ++i)
            keys("shift+Tab");
        QCOMPARE(QApplication::focusWidget(), list);
        keys("Down");
        QTRY_COMPARE(m_window->windowTitle(), kPrefix + "Programminfo");
        QTRY_COMPARE_WITH_TIMEOUT(requested("/software"), 1, kLoadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(status(), "Fertig", kLoadTimeout); // something to find

        keys("ctrl+f");
        QTRY_VERIFY(m_window->findBar() && m_window->findBar()->isVisible());
        type("Programm");
        QTRY_VERIFY(m_window->findBar()->countLabel()->text().contains(" von "));
        keys("Escape");
        QTRY_VERIFY(!m_window->findBar()->isVisible());
        keys("F11");
        QTRY_VERIFY(m_window->isFullScreen());
        keys("F11");
        QTRY_VERIFY(!m_window->isFullScreen());
    }

    // Links the user follows to other sites, mail links included, and a
    // window.open() there go to the desktop and leave the page alone, still
    // working; the maker's links and the shop's hand-over to the payment
    // provider stay in the window.
    void linksGoWhereTheyBelong_data()
    {
        // commandLine, element, shell, landsOn
        QTest::addColumn<Link>("row");

        // clang-format off
        QTest::newRow("other site") << Link{"0||Events", "foreign", "http://" + m_site.foreignHost() + "/", ""};
        QTest::newRow("other site, new window") << Link{"0||Events", "foreignblank", "http://" + m_site.foreignHost() + "/", ""};
        QTest::newRow("mail") << Link{"0||Events", "mail", "mailto:info@harlund.example", ""};
        QTest::newRow("window.open, other site") << Link{"0||" + main("/fenster") + "|Fenster|" + main("/fenster"), "open", "http://" + m_site.foreignHost() + "/fenster", ""};
        QTest::newRow("maker") << Link{"0||Events", "support", "", "main /support"};
        QTest::newRow("maker, new window") << Link{"0||Events", "blank", "", "main /neuigkeiten"};
        QTest::newRow("checkout redirect") << Link{"0||Shop", "checkout", "", "foreign /bezahlen"};
        // clang-format on
    }

    void linksGoWhereTheyBelong()
    {
        QFETCH(Link, row);
        const auto &[commandLine, element, shell, landsOn] = row;
        open(commandLine);
        const QString before = view()->url().toString();
        if (landsOn.isEmpty()) {
            userClick(element);
            QTRY_COMPARE_WITH_TIMEOUT(m_shell, QStringList { shell }, kLoadTimeout);
            QTest::qWait(500);
            QCOMPARE(view()->url().toString(), before);
            QVERIFY(!m_site.pageRequests().join(' ').contains("foreign"));
            QCOMPARE(status(), "Fertig"); // no failed load reported
            QVERIFY(pageText().contains("Lokale Demo-Seite"));
            m_site.clearRequests();
            loadBy([&] { clickTool("ID_Aktualisieren"); });
            QCOMPARE(m_site.pageRequests().value(0), "main " + QUrl(before).path());
        } else {
            loadBy([&] { userClick(element); });
            QCOMPARE(m_site.pageRequests().last(), landsOn);
            QVERIFY(m_shell.isEmpty());
        }
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(
            std::count_if(windows.begin(), windows.end(), std::mem_fn(&QWidget::isVisible)), 1);
    }

    // What the engine says was clicked reaches the menu, and the menu's
    // entries reach the page and the window. Which entries fit what: the
    // menu's own test.
    void contextMenuFitsWhatWasClicked_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("first");
        // clang-format off
        QTest::newRow("link") << "support" << "Link im Browser öffnen";
        QTest::newRow("text") << "help" << "Zurück";
        QTest::newRow("input field") << "question" << "Ausschneiden";
        // clang-format on
    }

    void contextMenuFitsWhatWasClicked()
    {
        QFETCH(QString, element);
        QFETCH(QString, first);
        open("0||Support");
        userClick(element, Qt::RightButton);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QCOMPARE(menu->actions().first()->text(), first);
        menu->actions().first()->trigger(); // the link goes to the desktop
        QCOMPARE(m_shell, element == "support" ? QStringList { main("/support") } : QStringList {});
        QFile::remove(m_pdfPath);
        for (QAction *entry : menu->actions())
            if (entry->text() == "Als PDF speichern…")
                entry->trigger();
        menu->close();
        // Closed at once: the PDF is finished first, the program carries on.
        m_window->close();
        QVERIFY(run("pdftotext", { m_pdfPath, "-" }).value_or("").contains("Hilfe und Kontakt."));
    }

    // Out of sight the page rests, frozen first, then let go; shown again
    // it is back as it was, history and all. An address given meanwhile
    // wakes it as well.
    void aPageOutOfSightRestsAndComesBack()
    {
        using State = QWebEnginePage::LifecycleState;
        open("0||Support");
        loadBy([&] { choose("News"); });
        QWebEnginePage *page = view()->page();
        const QString window = QString::number(m_window->winId());
        const auto outOfSight = [&] {
            QSignalSpy states(page, &QWebEnginePage::lifecycleStateChanged);
            xdo({ "windowminimize", "--sync", window });
            QTRY_COMPARE_WITH_TIMEOUT(page->lifecycleState(), State::Discarded, kLoadTimeout);
            QCOMPARE(states.first().first().value<State>(), State::Frozen);
        };
        outOfSight();
        loadBy([&] { xdo({ "windowactivate", "--sync", window }); });
        QCOMPARE(page->lifecycleState(), State::Active);
        QVERIFY(pageText().contains("Neuigkeiten."));
        loadBy([&] { clickTool("ID_Zurück"); });
        QVERIFY(pageText().contains("Hilfe und Kontakt."));

        outOfSight();
        loadBy([&] { enter(main("/neuigkeiten")); });
        QCOMPARE(page->lifecycleState(), State::Active);
        xdo({ "windowactivate", "--sync", window });
        QVERIFY(pageText().contains("Neuigkeiten."));
        loadBy([&] { clickTool("ID_Zurück"); });
        QVERIFY(pageText().contains("Hilfe und Kontakt."));
    }
};

int main(int argc, char *argv[])
{
    return runBrowserTests<TestBrowsing>(argc, argv);
}

#include "tst_browsing_e2e.moc"
