// SPDX-License-Identifier: MIT
// Windows as a user meets them: every start has its own window, later starts
// reach the running program however busy it is, each window files its own
// placement, and no stored size makes a window that cannot be seen.

#include "Desktop.h"
#include "app/BrowserWindows.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/EngineSetup.h"
#include "components/qt/WebEngineBrowser.h"
#include "info/qt/frmInfoFenster.h"
#include "modules/ZoomByHost.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QWebEngineProfile>

#include <csignal>

using namespace orv;
using namespace orv::test::desktop;

namespace {

QString xProperty(const QString &window, const char *name)
{
    return run("xprop", { "-id", window, name }).value_or(QString()).section(" = ", 1).trimmed();
}
qint64 pidOf(const QString &window)
{
    return xProperty(window, "_NET_WM_PID").toLongLong();
}
QString geometry(const QString &window)
{
    return run("xdotool", { "getwindowgeometry", "--shell", window }).value_or(QString());
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private:
    demo::DemoSite m_site;
    QProcess *m_windowManager = nullptr;
    QTemporaryDir m_runtime; // where the running program is found

    void start(QProcess &program, const QString &commandLine, const QString &launchId = {})
    {
        startProgram(program, m_site, commandLine,
            { "XDG_RUNTIME_DIR=" + m_runtime.path(), "DESKTOP_STARTUP_ID=" + launchId });
    }
    static void end(QProcess &program)
    {
        program.terminate();
        QVERIFY(program.waitForFinished(kLoadTimeout));
        QCOMPARE(program.exitCode(), 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_windowManager = new QProcess(this);
        m_windowManager->start("openbox", {});
        QVERIFY(m_windowManager->waitForStarted());
        QTest::qWait(500);
        QVERIFY(m_site.start());
    }

    void cleanupTestCase()
    {
        m_windowManager->terminate();
        m_windowManager->waitForFinished();
    }

    // A second start opens a window of its own in the running program; the
    // first keeps its caption, page and place. Each window files its own
    // caption's placement when it closes: Ctrl+Q one, SIGTERM the rest.
    void everyStartHasItsOwnWindow()
    {
        const QMap<QString, QStringList> stored { { "Download",
                                                      { "1500", "1200", "9000", "6000", "0" } },
            { "Support", { "3000", "2400", "7500", "4500", "0" } } };
        file(stored);
        StartupMessages launcher;
        QProcess first, second;
        start(first, "4711||Download", "orvel-first");
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("Download").size(), 1, kLoadTimeout);
        const QString download = windowsOf("Download").value(0);
        xdo({ "windowactivate", "--sync", download });
        typeAddress(m_site.mainHost() + "/software");
        QTRY_VERIFY_WITH_TIMEOUT(m_site.pageRequests().contains("main /software"), kLoadTimeout);
        const QString placed = geometry(download);

        start(second, "0||Support", "orvel-second");
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("Support").size(), 1, kLoadTimeout);
        const QString support = windowsOf("Support").value(0);
        QCOMPARE(pidOf(support), first.processId());
        QVERIFY(m_site.pageRequests().contains("main /support"));
        QCOMPARE(windowsOf("Download"), QStringList { download });
        QCOMPARE(geometry(download), placed);
        QTRY_COMPARE(run("xdotool", { "getactivewindow" }).value_or(QString()).trimmed(), support);
        QTRY_VERIFY(launcher.messages.contains("remove: ID=orvel-first"));
        QTRY_VERIFY(launcher.messages.contains("remove: ID=orvel-second"));

        keys("ctrl+q"); // closes the active window only
        QTRY_COMPARE(windowsOf("Support").size(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(placementOf("Support"), stored["Support"]); // applied, hence filed unchanged
        xdo({ "windowmove", download, "300", "250" });
        end(first);
        // Where it was moved to: xdotool places the client area, the frame
        // lies around it (at most 30 pixels).
        const QStringList filedDownload = placementOf("Download");
        for (const int i : { 0, 1 })
            QVERIFY(qAbs(filedDownload.at(i).toInt() - QList { 4500, 3750 }.at(i)) <= 450);
        QCOMPARE(filedDownload.mid(2), stored["Download"].mid(2));
    }

    // With no placement filed both windows open maximised and a signal files
    // both as maximised, each under its own caption.
    void maximisedWindowsAndASignal()
    {
        QProcess first, second;
        start(first, "0||News");
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("News").size(), 1, kLoadTimeout);
        start(second, "0||Events");
        QVERIFY(second.waitForFinished(10000));
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("Events").size(), 1, kLoadTimeout);
        for (const char *category : { "News", "Events" })
            QTRY_VERIFY(xProperty(windowsOf(category).value(0), "_NET_WM_STATE")
                            .contains("_NET_WM_STATE_MAXIMIZED_VERT"));
        end(first);
        for (const char *category : { "News", "Events" })
            QCOMPARE(filed(category, "windowstate"), "2");
    }

    // A later start waits for a program that does not answer (stopped) and
    // reaches it when it goes on; after a program is killed a start opens
    // its own window.
    void aStartWaitsForABusyProgramNotForADeadOne()
    {
        QProcess first, second, third;
        start(first, "0||News");
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("News").size(), 1, kLoadTimeout);
        ::kill(pid_t(first.processId()), SIGSTOP);
        start(second, "0||Support");
        QVERIFY(!second.waitForFinished(4000));
        QCOMPARE(windowsOf("Support").size(), 0);
        ::kill(pid_t(first.processId()), SIGCONT);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("Support").size(), 1, kLoadTimeout);
        QCOMPARE(pidOf(windowsOf("Support").value(0)), first.processId());

        first.kill();
        QVERIFY(first.waitForFinished(kLoadTimeout));
        start(third, "0||Events");
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("Events").size(), 1, kLoadTimeout);
        QCOMPARE(pidOf(windowsOf("Events").value(0)), third.processId());
        end(third);
    }

    // In the program's own pieces: a window's list and address history are
    // its own, and its Info window blocks it and nothing else.
    void listHistoryAndInfoBelongToTheirWindow()
    {
        QWebEngineProfile *profile = createBrowserProfile(this);
        IniSettingsStore store(IniSettingsStore::fileFor("OrvelBrowser"));
        ZoomByHost zoom(store);
        frmBrowser::Dependencies deps;
        deps.hosts = { m_site.mainHost().toStdString(), m_site.shopHost().toStdString() };
        deps.store = &store;
        deps.zoom = &zoom;
        deps.createBrowser = [profile](QWidget *box) {
            return new WebEngineBrowser(box, profile, {});
        };
        deps.showInfoWindow = [](QWidget *owner) {
            frmInfoFenster::ShowModal({}, owner);
        };
        {
            app::BrowserWindows windows(deps);
            frmBrowser *a = windows.open("4711||Download|Handbuch|http://x.test/");
            QVERIFY(QTest::qWaitForWindowExposed(a));
            xdo({ "windowactivate", "--sync", QString::number(a->winId()) });
            typeAddress(m_site.mainHost() + "/software");
            QTRY_COMPARE(a->history().entries().size(), size_t(1));
            QWidget *info = a->toolbar()->Bands("Band1").Tools("ID_Info").widget();
            const QPoint centre = info->mapToGlobal(info->rect().center());
            xdo({ "mousemove", "--sync", QString::number(centre.x()), QString::number(centre.y()),
                "click", "1" });
            QTRY_VERIFY(frmInfoFenster::instance() && frmInfoFenster::instance()->isVisible());

            frmBrowser *b = windows.open("0||Support");
            QVERIFY(QTest::qWaitForWindowExposed(b));
            xdo({ "windowactivate", "--sync", QString::number(b->winId()) });
            typeAddress(m_site.mainHost() + "/infos");
            QTRY_COMPARE(b->history().entries(),
                std::vector { (m_site.mainHost() + "/infos").toStdString() });
            QCOMPARE(a->history().entries().size(), size_t(1));
            QCOMPARE(a->toolbar()->Bands("Band1").Tools("ID_Seite").ListCount(), 8);
            QCOMPARE(b->toolbar()->Bands("Band1").Tools("ID_Seite").ListCount(), 7);
            QCOMPARE(a->windowTitle(), kPrefix + "Download");
            // Keys for the window with the Info window go to the Info window.
            const QString before = a->addressBox()->currentText();
            xdo({ "windowactivate", QString::number(a->winId()) });
            keys("ctrl+l");
            type("blockiert");
            QCOMPARE(a->addressBox()->currentText(), before);
            keys("Escape");
            QTRY_VERIFY(!frmInfoFenster::instance());
            windows.closeAll();
        }
        delete profile;
    }

    // Stored sizes that no window system shows are held within its limits:
    // the window is mapped and usable, and its close files what it really is.
    void oddStoredSizesGiveAUsableWindow_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("negative and huge") << QStringList { "0", "0", "-1", "99999999", "0" };
        QTest::newRow("zero") << QStringList { "0", "0", "0", "0", "0" };
        QTest::newRow("huge and negative")
            << QStringList { "-99999999", "99999999", "99999999", "-99999999", "0" };
        QTest::newRow("not a number") << QStringList { "1500", "1500", "breit", "hoch", "0" };
        QTest::newRow("NUL") << QStringList { "1500", "1500", QString(QChar(0)), "6000", "0" };
    }

    void oddStoredSizesGiveAUsableWindow()
    {
        QFETCH(QStringList, stored);
        file({ { "Shop", stored } });
        QProcess program;
        start(program, "0||Shop");
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("Shop").size(), 1, kLoadTimeout);
        const QString window = windowsOf("Shop").value(0);
        const QString shell = geometry(window);
        const int width = shell.section("WIDTH=", 1).section('\n', 0, 0).toInt();
        const int height = shell.section("HEIGHT=", 1).section('\n', 0, 0).toInt();
        const QSize screen = QGuiApplication::primaryScreen()->virtualSize();
        // The client area inside the smallest outer window Windows keeps
        // (136 x 39 with title bar and frame): no minimum of the program's own.
        QVERIFY2(
            width >= 100 && height >= 10 && width <= screen.width() && height <= screen.height(),
            qPrintable(shell));
        end(program);
        const QStringList filedShop = placementOf("Shop");
        QVERIFY(
            qAbs(filedShop.at(2).toInt() / 15 - width) <= 30); // the frame around the client area
        QVERIFY(qAbs(filedShop.at(3).toInt() / 15 - height) <= 60);
    }
};

int main(int argc, char *argv[])
{
    return runOnDesktop<TestWindows>(argc, argv);
}

#include "tst_windows_e2e.moc"
