// SPDX-License-Identifier: MIT
// The browser window on the real web engine against the local demo site.

#include "Desktop.h"
#include "MeterProbe.h"
#include "browser/qt/DownloadsPanel.h"
#include "browser/qt/FindBar.h"
#include "browser/qt/frmBrowser.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/DownloadList.h"
#include "components/qt/EngineSetup.h"
#include "components/qt/PictureBox.h"
#include "components/qt/WebEngineBrowser.h"
#include "demo/DemoSite.h"
#include "modules/posix/IniSettingsStore.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWheelEvent>

#include <csignal>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

using namespace orv;
using namespace orv::test::desktop;
using orv::demo::DemoSite;
using Link = std::tuple<QString, QString, QString, QString>;
using Unreachable = std::tuple<QString, QString, QString>;
using Question = std::tuple<QString, bool, QString, QString>;

namespace {

// Settings, profile and downloads go to a fresh home of the test's own.
QTemporaryDir home;

} // namespace

class TestBrowserEndToEnd : public QObject
{
    Q_OBJECT

private:
    DemoSite m_site;
    QWebEngineProfile *m_profile = nullptr;
    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<frmBrowser> m_window;
    QProcess *m_windowManager = nullptr;
    QString m_pdfPath = home.filePath("seite.pdf");
    QStringList m_shell; // what went to the desktop's default programs

    // The script's result; the answer may arrive after the page is gone, it
    // must find its place.
    QVariant js(const QString &script, int timeoutMs = 5000)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        view()->page()->runJavaScript(script, [result](const QVariant &r) { *result = r; });
        (void)QTest::qWaitFor([&] { return result->has_value(); }, timeoutMs);
        return result->value_or(QVariant());
    }
    QString pageText() { return js("document.body ? document.body.innerText : ''").toString(); }
    // A click with the mouse, as the user gives it: the page sees a gesture.
    // On the link's first line: a link that wraps has its bounding box's
    // centre between its lines, over another link.
    void userClick(const QString &elementId, Qt::MouseButton button = Qt::LeftButton)
    {
        const QVariantList xy
            = js(QString("(function(){var r=document.getElementById('%1').getClientRects()[0];"
                         "return [r.left+r.width/2, r.top+r.height/2];})()")
                     .arg(elementId))
                  .toList();
        QCOMPARE(xy.size(), 2);
        QWidget *surface = view()->focusProxy() ? view()->focusProxy() : view();
        QTest::mouseClick(surface, button, {}, QPoint(xy.at(0).toInt(), xy.at(1).toInt()));
    }
    void screenshot(const char *file)
    {
        QTest::qWait(300);
        const QImage shot = m_window->screen()->grabWindow(m_window->winId()).toImage();
        QDir().mkpath(QStringLiteral(ORVEL_SCREENSHOT_DIR));
        QVERIFY(shot.save(QStringLiteral(ORVEL_SCREENSHOT_DIR) + "/" + QLatin1String(file)));
    }

    QString main(const QString &path) const { return "http://" + m_site.mainHost() + path; }
    QWebEngineView *view() const
    {
        return static_cast<WebEngineBrowser *>(m_window->browser())->view();
    }
    ActiveBarTool &tool(const char *name, const char *band = "Band1") const
    {
        return m_window->toolbar()->Bands(band).Tools(name);
    }
    QString status() const
    {
        return static_cast<QLabel *>(tool("Status_Info", "StatusBar").widget())->text();
    }

    void open(const QString &commandLine)
    {
        // The program's routing: the maker's hosts and, allow-listed as a
        // maker would add a download mirror, the slow host.
        const WebEngineBrowserOptions options { .trusted
            = TrustedHosts::forMaker(m_site.mainHost(), m_site.shopHost(), m_site.slowHost()),
            .openExternally = [this](const QUrl &url) { m_shell.append(url.toString()); },
            .answerTimeoutMs = 3000,
            .firstRetryMs = 500,
            .rest = { .freeze = std::chrono::milliseconds(300),
                .discard = std::chrono::milliseconds(1500) } };
        m_window = std::make_unique<frmBrowser>(frmBrowser::Dependencies {
            .hosts = { m_site.mainHost().toStdString(), m_site.shopHost().toStdString() },
            .commandLine = commandLine,
            .store = m_store.get(),
            .createBrowser
            = [this, options](
                  QWidget *box) { return new WebEngineBrowser(box, m_profile, options); },
            .showInfoWindow = {},
            .beforeFirstNavigate = {},
            .choosePdfFile = [this](const QString &) { return m_pdfPath; },
            .openWithShell = [this](const QString &path) { m_shell.append(path); },
        });
        QSignalSpy loaded(view()->page(), &QWebEnginePage::loadFinished);
        m_window->Form_Load();
        m_window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), kLoadTimeout);
    }

    // Runs an action and waits until the page has finished the load it starts.
    template <typename Action> void loadBy(Action action)
    {
        QSignalSpy loaded(view()->page(), &QWebEnginePage::loadFinished);
        action();
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), kLoadTimeout);
        QVERIFY(loaded.first().first().toBool());
    }

    bool enabled(const char *name) const { return tool(name).Enabled(); }
    void clickTool(const char *name) { QTest::mouseClick(tool(name).widget(), Qt::LeftButton); }
    void choose(const char *entry)
    {
        auto *box = qobject_cast<QComboBox *>(tool("ID_Seite").widget());
        const int index = box->findText(QLatin1String(entry));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    // Return goes to the box, which keeps the focus and hands keys on itself.
    void enter(const QString &address)
    {
        m_window->addressBox()->lineEdit()->setText(address);
        QTest::keyClick(m_window->addressBox(), Qt::Key_Return);
    }
    // Answers every dialog from the keyboard once it has the focus, as a
    // user would, and each one once: a button's shortcut clicks it a moment
    // later. The dialog runs its own event loop meanwhile.
    void answerDialogs(std::function<void(QWidget *)> answer)
    {
        auto *poll = new QTimer(m_window.get());
        connect(poll, &QTimer::timeout, poll, [answer, answered = QPointer<QWidget>()]() mutable {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == answered || !QApplication::focusWidget()
                || QApplication::focusWidget()->window() != dialog)
                return;
            answered = dialog;
            answer(dialog);
        });
        poll->start(50);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Users have a window manager; window frames change what geometry means.
        m_windowManager = new QProcess(this);
        m_windowManager->start("openbox", {});
        m_windowManager->waitForStarted();
        QTest::qWait(500);
        QVERIFY(m_site.start());
        m_profile = createBrowserProfile(this);
        m_store = std::make_unique<IniSettingsStore>(IniSettingsStore::fileFor("OrvelBrowser"));
    }

    void cleanup()
    {
        if (m_window)
            m_window->close();
        m_window.reset();
        m_site.clearRequests();
        m_shell.clear();
    }

    void cleanupTestCase()
    {
        m_store.reset();
        delete m_profile; // after every page that used it
        m_windowManager->terminate();
        m_windowManager->waitForFinished();
    }

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

    // "Beenden" while a page is still loading closes at once, files the
    // placement, and the window goes without waiting for the page.
    void closingWhileAPageLoads()
    {
        open("0||Support");
        m_window->resize(701, 433); // a size of its own, to find in the store
        QTRY_COMPARE(m_window->width(), 701);
        enter("http://" + m_site.slowHost() + "/antwortet-nie");
        QTRY_VERIFY_WITH_TIMEOUT(m_site.requests().contains("slow /antwortet-nie"), kLoadTimeout);
        QVERIFY(enabled("ID_Stop"));
        const QString width = QString::number(m_window->frameGeometry().width() * 15);
        clickTool("ID_Beenden");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(filed("Support", "width"), width);
        m_window.reset();
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

    // What a page asks for reaches the user in German, naming the host, and
    // the page gets the answer given from the keyboard: a login only as
    // given, never an empty or unasked one, even one that takes longer than
    // the window waits for a server; a permission asked once per host and
    // feature.
    void pagesGetTheUsersAnswer_data()
    {
        // path, yes (the answer), asks (what the dialog shows), shows (the page then)
        QTest::addColumn<Question>("row");
        const QString wants = "Die Seite " + m_site.mainHost() + " möchte ";
        // clang-format off
        QTest::newRow("login") << Question{"/intern/kunden/", true, "Bereich: Harlund kunden", "Willkommen im internen Bereich."};
        QTest::newRow("login cancelled") << Question{"/intern/gesperrt/", false, "Bereich: Harlund gesperrt", "Anmeldung erforderlich"};
        QTest::newRow("notifications") << Question{"/erlaubnis?was=mitteilungen", true, wants + "Ihnen Mitteilungen anzeigen.", "Antwort: erlaubt"};
        QTest::newRow("location refused") << Question{"/erlaubnis?was=standort", false, wants + "Ihren Standort verwenden.", "Antwort: abgelehnt"};
        // clang-format on
    }

    void pagesGetTheUsersAnswer()
    {
        QFETCH(Question, row);
        const auto &[path, yes, asks, shows] = row;
        const bool login = path.startsWith("/intern/");
        open("0||Support");
        QList<QStringList> asked; // each dialog's title, texts and buttons
        answerDialogs([&](QWidget *dialog) {
            asked.append(QStringList { dialog->windowTitle() });
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                asked.last().append(label->text());
            for (const QPushButton *button : dialog->findChildren<QPushButton *>())
                asked.last().append(button->text());
            if (login)
                QTest::qWait(3500); // longer than the window waits for a server
            if (!yes) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            } else if (login) {
                QTest::keyClicks(QApplication::focusWidget(), DemoSite::kLoginUser);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClicks(QApplication::focusWidget(), DemoSite::kLoginPassword);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
            }
        });
        m_site.clearRequests();
        enter(main(path));
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains(shows), kLoadTimeout);
        QCOMPARE(asked.size(), 1);
        if (!login) {
            QVERIFY2(asked.first().contains(asks), qPrintable(asked.first().join(" | ")));
            loadBy([&] { clickTool("ID_Aktualisieren"); });
            QTRY_VERIFY(pageText().contains(shows));
            QCOMPARE(asked.size(), 1); // the answer was kept
            return;
        }
        QCOMPARE(asked.first(),
            QStringList({ "Anmeldung bei " + m_site.mainHost(), asks, "Benutzername", "Kennwort",
                "Anmelden", "Abbrechen" }));
        QTest::qWait(500); // time for any further attempt to arrive
        const QString given = QString(DemoSite::kLoginUser) + ":" + DemoSite::kLoginPassword;
        QCOMPARE(m_site.logins(), yes ? QStringList({ "", given }) : QStringList { "" });
        if (yes)
            return;
        QCOMPARE(status(), "Anmeldung abgebrochen, Seite nicht geladen: " + main(path));
        userClick("retry");
        QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 2, kLoadTimeout);
        QTRY_VERIFY(pageText().contains(shows));
    }

    // A termination signal while a dialog is open and a download runs closes
    // the real program as its close button does: status 0, the placement
    // filed, no partial file; a second signal at once changes none of that.
    // Relative XDG paths are invalid and ignored: the settings land under
    // $HOME, nothing in the working folder. Once its page is in, the program
    // and its engine settle to idle.
    void aSignalClosesOverDialogsAndDownloads_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("signals");
        QTest::newRow("SIGTERM") << SIGTERM << 1;
        QTest::newRow("SIGHUP") << SIGHUP << 1;
        QTest::newRow("SIGINT") << SIGINT << 1;
        QTest::newRow("a second SIGTERM during the close") << SIGTERM << 2;
    }

    void aSignalClosesOverDialogsAndDownloads()
    {
        QFETCH(int, signal);
        QFETCH(int, signals);
        if (m_windowManager->state() != QProcess::Running)
            QSKIP("openbox is not installed");
        // Read as no placement at start; a number once the close has filed it.
        file({ { "News", { "not yet", "", "", "", "0" } } });
        QTemporaryDir workingFolder, runtime;
        QProcess program;
        program.setWorkingDirectory(workingFolder.path());
        startProgram(program, m_site, "0||News",
            { "XDG_RUNTIME_DIR=" + runtime.path(), "XDG_CONFIG_HOME=conf", "XDG_DATA_HOME=data",
                "XDG_CACHE_HOME=cache" });
        QTRY_VERIFY_WITH_TIMEOUT(m_site.pageRequests().contains("main /neuigkeiten"), kLoadTimeout);
        QTest::qWait(3000); // the start's own work
        const qint64 before = treeCpuTicks(program.processId());
        QTest::qWait(3000);
        const double cores = double(treeCpuTicks(program.processId()) - before)
            / double(::sysconf(_SC_CLK_TCK)) / 3.0;
        QVERIFY2(cores < 0.2, qPrintable(QString("%1 cores busy").arg(cores)));

        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("News").size(), 1, kLoadTimeout);
        xdo({ "windowactivate", "--sync", windowsOf("News").value(0) });
        typeAddress(m_site.slowHost() + "/gross.bin");
        const QDir downloads(QDir::home().filePath("Downloads"));
        const auto partials = [&] {
            return downloads.entryList({ "Harlund-Gross*" }, QDir::Files | QDir::Hidden);
        };
        QTRY_VERIFY_WITH_TIMEOUT(!partials().isEmpty(), kLoadTimeout);
        keys("ctrl+shift+s");
        QTRY_VERIFY_WITH_TIMEOUT(
            run("xdotool", { "search", "--onlyvisible", "--name", "Als PDF speichern" }),
            kLoadTimeout);
        ::kill(pid_t(program.processId()), signal);
        if (signals == 2) { // while the first one's close runs
            QTest::qWait(30);
            ::kill(pid_t(program.processId()), signal);
        }
        QVERIFY(program.waitForFinished(kLoadTimeout));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        bool number = false;
        filed("News", "left").toInt(&number);
        QVERIFY(number);
        QCOMPARE(partials(), QStringList());
        QCOMPARE(QDir(workingFolder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList());
    }

    // What the window does with a page: find counts and wraps around,
    // Ctrl+Shift+S saves the page as PDF, its text included. A file arrives
    // in the download folder; a running download shows with its progress,
    // and cancelling it ends it; the page stays throughout. Ctrl and the
    // wheel zoom, and a page may go full screen.
    void findPdfDownloadsZoomAndFullScreen()
    {
        open("4711||Download");
        // What the page's own text holds.
        const int expected = js("document.body.innerText.match(/download/gi).length").toInt();
        QVERIFY(expected > 1);
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        QLineEdit *edit = m_window->findBar()->edit();
        QTRY_VERIFY(edit->hasFocus());
        auto count = [this] {
            return m_window->findBar()->countLabel()->text();
        };
        QTest::keyClicks(edit, "DownLoad");
        QTRY_COMPARE_WITH_TIMEOUT(count(), QString("1 von %1").arg(expected), kLoadTimeout);
        for (int match = 2; match <= expected + 1; ++match) { // the last Enter wraps to the first
            QTest::keyClick(edit, Qt::Key_Return);
            QTRY_COMPARE(
                count(), QString("%1 von %2").arg((match - 1) % expected + 1).arg(expected));
        }
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // and back round to the last
        QTRY_COMPARE(count(), QString("%1 von %1").arg(expected));
        QTest::keyClicks(edit, "xyz");
        QTRY_COMPARE(count(), "Keine Treffer");
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(m_window->findBar()->isHidden());
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE_WITH_TIMEOUT(status(), "PDF gespeichert: " + m_pdfPath, kLoadTimeout);

        // Free names: the download handler's test.
        userClick("file");
        const QString path = QDir::home().filePath("Downloads/Harlund-Setup-4711.exe");
        QTRY_COMPARE_WITH_TIMEOUT(status(), "Download abgeschlossen: " + path, kLoadTimeout);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), DemoSite::downloadBody());
        userClick("large");
        DownloadList *list = m_window->browser()->downloads();
        QTRY_VERIFY_WITH_TIMEOUT(
            list->entries().size() == 2 && list->entries().last().received > 0, kLoadTimeout);
        const DownloadEntry entry = list->entries().last();
        QCOMPARE(entry.fileName, "Harlund-Gross.bin");
        auto *row
            = m_window->downloadsPanel()->findChild<QWidget *>(QString("download%1").arg(entry.id));
        QTRY_VERIFY(row->findChild<QLabel *>("state")->text().contains("%"));
        screenshot("downloads.png");

        QTest::mouseClick(row->findChild<QPushButton *>("cancel"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            int(list->entries().last().state), int(DownloadEntry::State::Cancelled), kLoadTimeout);
        // The partial file's removal: the handler's test and, on the engine,
        // aSignalClosesOverDialogsAndDownloads.
        QCOMPARE(row->findChild<QLabel *>("state")->text(), "Abgebrochen");
        QCOMPARE(view()->url().toString(), main("/download/?produkt=4711"));

        loadBy([&] {
            view()->setHtml(
                "<html style='height:100%'><body style='height:100%' "
                "onclick='document.documentElement.requestFullscreen()'>x</body></html>",
                QUrl(main("/")));
        });
        QWidget *page = view()->focusProxy();
        QWheelEvent wheel(QPointF(20, 20), page->mapToGlobal(QPointF(20, 20)), {}, { 0, 120 },
            Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &wheel);
        QCOMPARE(m_window->zoomPercent(), 110);
        QTRY_COMPARE(view()->zoomFactor(), 1.1);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20)); // full screen needs a click
        QTRY_VERIFY_WITH_TIMEOUT(
            m_window->isFullScreen() && m_window->pageFullScreen(), kLoadTimeout);
        QTRY_COMPARE(view()->geometry(), m_window->rect());
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!m_window->isFullScreen());

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(run(pdftotext, { m_pdfPath, "-" })
                    .value_or(QString())
                    .simplified()
                    .contains("Downloads für Produkt 4711"));
    }

    // The user starts a large download, goes on to another category, and
    // the server cuts the file off: the window carries on, the download
    // ends as failed, in German, without its partial file. It was that
    // window's, not the one opened later on the same profile.
    void aDownloadCutOffAfterItsPageWasLeftFails()
    {
        open("4711||Download");
        auto later = std::move(m_window);
        open("0||News");
        std::swap(m_window, later);
        const QDir downloads(QDir::home().filePath("Downloads"));
        const auto partials = [&] {
            return downloads.entryList({ "Harlund-Gross*" }, QDir::Files | QDir::Hidden);
        };
        userClick("large");
        DownloadList *list = m_window->browser()->downloads();
        QTRY_VERIFY_WITH_TIMEOUT(
            !list->entries().isEmpty() && list->entries().last().received > 0, kLoadTimeout);
        QVERIFY(!partials().isEmpty());
        loadBy([&] { choose("Support"); });
        m_site.cutDownloads();
        const DownloadEntry &entry = list->entries().last();
        QTRY_COMPARE_WITH_TIMEOUT(
            int(entry.state), int(DownloadEntry::State::Failed), kLoadTimeout);
        QCOMPARE(m_window->downloadsPanel()
                     ->findChild<QWidget *>(QString("download%1").arg(entry.id))
                     ->findChild<QLabel *>("state")
                     ->text(),
            "Fehlgeschlagen: Verbindung zum Server abgebrochen");
        QCOMPARE(status(),
            "Download fehlgeschlagen: Harlund-Gross.bin (Verbindung zum Server abgebrochen)");
        QCOMPARE(partials(), QStringList());
        QCOMPARE(later->browser()->downloads()->entries().size(), 0);
        loadBy([&] { choose("Events"); });
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
    useHome(home);
    // Little memory for a page's scripts: a page that eats it dies soon.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--js-flags=--max-old-space-size=128");
    applyEngineSetup(); // render as the program does on this machine
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("OrvelBrowser");
    QApplication::setOrganizationName("OrvelBrowser");
    TestBrowserEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browser_e2e.moc"
