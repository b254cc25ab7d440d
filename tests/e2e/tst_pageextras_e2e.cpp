// SPDX-License-Identifier: MIT
// What the page offers beside browsing, met the way a user meets it on the
// desktop: German spell checking in a text field, a page's notification
// shown by the desktop's notification service, and the context menu's
// entries for a link's address and the page in the default browser.

#include "Desktop.h"
#include "components/qt/EngineSetup.h"
#include "components/qt/SpellCheck.h"
#include "components/qt/WebEngineBrowser.h"
#include "demo/DemoSite.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <signal.h>

using namespace orv;
using namespace orv::test::desktop;

namespace {

QTemporaryDir home;

} // namespace

// The desktop's notification service, on a connection of its own, keeping
// what it was asked to show.
class RecordingNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList shown; // application, icon, summary, body, first action
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "desktop");
    const QString path = "/org/freedesktop/Notifications", name = "org.freedesktop.Notifications";
    QDBusMessage signal(const QString &which)
    {
        return QDBusMessage::createSignal(path, name, which);
    }

public Q_SLOTS:
    uint Notify(const QString &application, uint, const QString &icon, const QString &summary,
        const QString &body, const QStringList &actions, const QVariantMap &, int)
    {
        shown = QStringList { application, icon, summary, body, actions.value(0) };
        return 7;
    }
};

class TestPageExtrasEndToEnd : public QObject
{
    Q_OBJECT

private:
    demo::DemoSite m_site;
    QProcess m_windowManager;
    QWebEngineProfile *m_profile = nullptr;
    std::unique_ptr<QWidget> m_window;
    WebEngineBrowser *m_control = nullptr;
    QStringList m_shell; // what went to the desktop's default programs

    QString main(const QString &path) const { return "http://" + m_site.mainHost() + path; }
    QVariant js(const QString &script)
    {
        std::optional<QVariant> result;
        m_control->view()->page()->runJavaScript(
            script, [&result](const QVariant &r) { result = r; });
        (void)QTest::qWaitFor([&] { return result.has_value(); }, 5000);
        return result.value_or(QVariant());
    }
    void open(const QString &path)
    {
        m_window = std::make_unique<QWidget>();
        m_window->setWindowTitle("Seitenextras");
        WebEngineBrowserOptions options;
        options.openExternally = [this](const QUrl &url) {
            m_shell.append(url.toString());
        };
        options.askPermission = [](QWidget *, const QString &, QWebEnginePage::Feature) {
            return true; // the user allows
        };
        m_control = new WebEngineBrowser(m_window.get(), m_profile, options);
        (new QVBoxLayout(m_window.get()))->addWidget(m_control->widget());
        m_window->resize(900, 600);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QSignalSpy loaded(m_control->view()->page(), &QWebEnginePage::loadFinished);
        m_control->Navigate(main(path));
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), kLoadTimeout);
    }
    // A real click of the mouse on the element's first line; in a field, on
    // the word at that index of its text.
    void click(const QString &id, const char *button, int word = -1)
    {
        const QVariantList xy = js(QString(R"((function(){
            var e=document.getElementById('%1'), r=e.getClientRects()[0], s=getComputedStyle(e);
            if(%2<0) return [r.left+r.width/2, r.top+r.height/2];
            var c=document.createElement('canvas').getContext('2d'); c.font=s.font;
            var before=e.value.split(' ').slice(0,%2).join(' ')+(%2?' ':'');
            return [r.left+parseFloat(s.paddingLeft)+parseFloat(s.borderLeftWidth)
                +c.measureText(before).width+4, r.top+r.height/2];})())")
                                       .arg(id)
                                       .arg(word))
                                    .toList();
        QCOMPARE(xy.size(), 2);
        const QPoint at = m_control->view()->mapToGlobal(QPoint(xy[0].toInt(), xy[1].toInt()));
        xdo({ "mousemove", QString::number(at.x()), QString::number(at.y()) });
        xdo({ "click", button });
    }
    // The menu a right click opens there, as its entries ("-" a separator).
    QStringList menuAt(const QString &id, int word = -1)
    {
        click(id, "3", word);
        QMenu *menu = nullptr;
        if (!QTest::qWaitFor(
                [&] { return menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()); }))
            return {};
        QStringList entries;
        for (const QAction *action : menu->actions())
            entries.append(action->isSeparator() ? "-" : action->text());
        return entries;
    }
    // As a click on the entry: the menu closes, the entry acts.
    void choose(const QString &entry)
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->close();
        for (QAction *action : menu->actions())
            if (action->text() == entry)
                return action->trigger();
        QFAIL(qPrintable("no entry " + entry));
    }
    QString misspeltAsTheEngineSaw()
    {
        return m_control->view()->lastContextMenuRequest()->misspelledWord();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_windowManager.start("openbox", {});
        QVERIFY(m_windowManager.waitForStarted());
        QTest::qWait(500);
        QVERIFY(m_site.start());
        // A word the user added at an earlier start, in the profile's folder.
        const QString profileFolder
            = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + "/QtWebEngine/OrvelBrowser";
        QVERIFY(UserDictionary(profileFolder + "/Custom Dictionary.txt").add("Harlundwort"));
        m_profile = createBrowserProfile(this);
        QCOMPARE(
            UserDictionary::of(m_profile)->filePath(), profileFolder + "/Custom Dictionary.txt");
    }

    void cleanup() { m_window.reset(); }

    void cleanupTestCase()
    {
        delete m_profile; // after every page that used it
        m_windowManager.terminate();
        m_windowManager.waitForFinished();
    }

    // A misspelt word offers the dictionary's suggestions first, then adding
    // it. A word added at an earlier start is known to the engine; one added
    // now the menu leaves alone, while the engine knows it from the next start.
    void germanSpellCheckInTextFields()
    {
        open("/support");
        click("question", "1");
        type("Harlundwort Fahrad Orvelwort ");
        QStringList menu; // once the checker has been through the text
        for (int i = 0; i < 20 && !menu.contains("Zum Wörterbuch hinzufügen"); ++i) {
            if (QWidget *shown = QApplication::activePopupWidget())
                shown->close();
            QTest::qWait(500);
            menu = menuAt("question", 1);
        }
        const qsizetype add = menu.indexOf("Zum Wörterbuch hinzufügen");
        QVERIFY2(add > 0 && menu.mid(0, add).contains("Fahrrad"), qPrintable(menu.join('|')));
        QCOMPARE(menu.mid(add + 1, 2), QStringList({ "-", "Ausschneiden" }));
        QCOMPARE(misspeltAsTheEngineSaw(), "Fahrad");
        choose("Fahrrad");
        QTRY_COMPARE(js("document.getElementById('question').value").toString(),
            "Harlundwort Fahrrad Orvelwort ");

        QCOMPARE(menuAt("question", 0).value(0), "Ausschneiden");
        QCOMPARE(misspeltAsTheEngineSaw(), "");
        QApplication::activePopupWidget()->close();

        QVERIFY(menuAt("question", 2).contains("Zum Wörterbuch hinzufügen"));
        choose("Zum Wörterbuch hinzufügen");
        QFile words(UserDictionary::of(m_profile)->filePath());
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(
            UserDictionary::parse(words.readAll()), QStringList({ "Harlundwort", "Orvelwort" }));
        QCOMPARE(menuAt("question", 2).value(0), "Ausschneiden");
        QCOMPARE(misspeltAsTheEngineSaw(), "Orvelwort");
        QApplication::activePopupWidget()->close();
    }

    // Shown by the desktop under the program's name and icon; its click
    // brings the window forward and tells the page, as its close does.
    // Without the service the page hears at once that it was shown and closed.
    void notificationsOnTheDesktop()
    {
        RecordingNotifications desktop;
        QVERIFY(
            desktop.bus.registerObject(desktop.path, &desktop, QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.bus.registerService(desktop.name));
        open("/erlaubnis?was=nachricht");
        const auto result = [this] {
            return js("document.getElementById('result').textContent").toString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(result(), "erlaubt gezeigt", kLoadTimeout);
        QCOMPARE(desktop.shown,
            QStringList({ "OrvelBrowser", "orvelbrowser", "Neue Nachricht",
                "Ihr Download ist bereit.", "default" }));

        QWidget other;
        other.setWindowTitle("Anderes Fenster");
        other.show();
        xdo({ "windowactivate", "--sync", QString::number(other.winId()) });
        QTRY_VERIFY(other.isActiveWindow());
        QVERIFY(desktop.bus.send(desktop.signal("ActionInvoked") << 7u << QString("default")));
        QTRY_COMPARE(result(), "erlaubt gezeigt geklickt");
        QTRY_COMPARE(run("xdotool", { "getactivewindow" }).value_or("").trimmed(),
            QString::number(m_window->winId()));
        QVERIFY(desktop.bus.send(desktop.signal("NotificationClosed") << 7u << 2u));
        QTRY_COMPARE(result(), "erlaubt gezeigt geklickt geschlossen");

        QVERIFY(desktop.bus.unregisterService(desktop.name));
        m_control->Refresh();
        QTRY_COMPARE_WITH_TIMEOUT(result(), "erlaubt gezeigt geschlossen", kLoadTimeout);
    }

    // The link's address to the clipboard; the page to the desktop's default
    // browser, the route foreign links take.
    void linkAndPageEntries()
    {
        open("/support");
        menuAt("support");
        choose("Link-Adresse kopieren");
        QCOMPARE(QGuiApplication::clipboard()->text(), main("/support"));
        QVERIFY(m_shell.isEmpty());
        menuAt("help");
        choose("Seite im Standardbrowser öffnen");
        QCOMPARE(m_shell, QStringList { main("/support") });
    }
};

int main(int argc, char *argv[])
{
    useHome(home);
    // A session bus of the test's own, for the program and the recording service.
    FILE *daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    char address[512] = {}, pid[32] = {};
    if (!daemon || !fgets(address, sizeof address, daemon) || !fgets(pid, sizeof pid, daemon)) {
        std::fputs("tst_pageextras_e2e: dbus-daemon did not start\n", stderr);
        return 1;
    }
    pclose(daemon);
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray(address).trimmed());
    applyEngineSetup(); // as the program: the system's dictionaries
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("OrvelBrowser");
    QApplication::setOrganizationName("OrvelBrowser");
    TestPageExtrasEndToEnd test;
    const int status = QTest::qExec(&test, argc, argv);
    ::kill(QByteArray(pid).trimmed().toInt(), SIGTERM);
    return status;
}

#include "tst_pageextras_e2e.moc"
