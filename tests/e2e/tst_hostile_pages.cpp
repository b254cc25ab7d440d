// SPDX-License-Identifier: MIT
// The browser window on the real engine against servers and pages that turn
// hostile: a download cut off after the user left its page, a page whose
// script never ends, a page that eats memory. Where a user acts, his input
// comes through the X server.

#include "Desktop.h"
#include "browser/qt/DownloadsPanel.h"
#include "browser/qt/frmBrowser.h"
#include "components/ActiveBar.h"
#include "components/DownloadList.h"
#include "components/EngineSetup.h"
#include "components/Translations.h"
#include "components/WebEngineBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace orv;
using namespace orv::test::desktop;
using orv::demo::DemoSite;

namespace {

QTemporaryDir home;

} // namespace

class TestHostilePages : public QObject
{
    Q_OBJECT

private:
    DemoSite m_site;
    QWebEngineProfile *m_profile = nullptr;
    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<frmBrowser> m_window; // where the user acts
    std::unique_ptr<frmBrowser> m_other; // a second window on the same profile
    QProcess m_windowManager;

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
    QVariant js(const QString &script)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        view()->page()->runJavaScript(script, [result](const QVariant &r) { *result = r; });
        (void)QTest::qWaitFor([&] { return result->has_value(); }, 5000);
        return result->value_or(QVariant());
    }
    QString pageText() { return js("document.body ? document.body.innerText : ''").toString(); }
    int requested(const QString &path) const { return m_site.pageRequests().count(path); }

    void open(const QString &commandLine)
    {
        WebEngineBrowserOptions options;
        options.trusted
            = TrustedHosts::forMaker(m_site.mainHost(), m_site.shopHost(), m_site.slowHost());
        frmBrowser::Dependencies dependencies;
        dependencies.hosts = { m_site.mainHost().toStdString(), m_site.shopHost().toStdString() };
        dependencies.commandLine = commandLine;
        dependencies.store = m_store.get();
        dependencies.createBrowser = [this, options](QWidget *box) {
            return new WebEngineBrowser(box, m_profile, options);
        };
        m_other = std::exchange(m_window, std::make_unique<frmBrowser>(dependencies));
        m_window->Form_Load();
        m_window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        activate();
        QTRY_COMPARE_WITH_TIMEOUT(status(), "Fertig", kLoadTimeout);
    }
    void activate()
    {
        xdo({ "windowactivate", "--sync", QString::number(m_window->winId()) });
        QTRY_VERIFY(m_window->isActiveWindow());
    }
    static void click(const QPoint &global)
    {
        xdo({ "mousemove", "--sync", QString::number(global.x()), QString::number(global.y()),
            "click", "1" });
    }
    // A click on the page's element, on its first line.
    void userClick(const QString &elementId)
    {
        const QVariantList xy
            = js(QString("(function(){var r=document.getElementById('%1').getClientRects()[0];"
                         "return [r.left+r.width/2, r.top+r.height/2];})()")
                     .arg(elementId))
                  .toList();
        QCOMPARE(xy.size(), 2);
        click(view()->mapToGlobal(QPoint(xy.at(0).toInt(), xy.at(1).toInt())));
    }
    // The next category of the list, chosen from the keyboard.
    void nextCategory()
    {
        QWidget *list = tool("ID_Seite").widget();
        keys("F6");
        for (int i = 0; i < 10 && QApplication::focusWidget() != list; ++i)
            keys("shift+Tab");
        QCOMPARE(QApplication::focusWidget(), list);
        keys("Down");
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_windowManager.start("openbox", {});
        if (!m_windowManager.waitForStarted())
            QSKIP("openbox is not installed");
        QTest::qWait(500);
        QVERIFY(m_site.start());
        m_profile = createBrowserProfile(this);
        m_store = std::make_unique<IniSettingsStore>(IniSettingsStore::fileFor("OrvelBrowser"));
    }

    void cleanup()
    {
        m_window.reset();
        m_other.reset();
        m_site.clearRequests();
    }

    void cleanupTestCase()
    {
        m_store.reset();
        delete m_profile;
        m_windowManager.terminate();
        m_windowManager.waitForFinished();
    }

    // The user starts a large download, goes on to the next category, and
    // the server cuts the file off: the window carries on, the download
    // ends as failed, in German, and no part of the file stays behind. It
    // was the window's own, not the newer window's on the same profile.
    void aDownloadCutOffAfterItsPageWasLeftFails()
    {
        open("4711||Download");
        open("0||News");
        std::swap(m_window, m_other);
        activate();
        const QDir downloads(QDir::home().filePath("Downloads"));
        const auto partials = [&] {
            return downloads.entryList({ "Harlund-Gross*" }, QDir::Files | QDir::Hidden);
        };
        userClick("large");
        DownloadList *list = m_window->browser()->downloads();
        QTRY_VERIFY_WITH_TIMEOUT(
            !list->entries().isEmpty() && list->entries().last().received > 0, kLoadTimeout);
        QVERIFY(!partials().isEmpty());
        nextCategory();
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Alle Programme."), kLoadTimeout);

        m_site.cutDownloads();
        const DownloadEntry &entry = list->entries().last();
        QTRY_COMPARE_WITH_TIMEOUT(
            int(entry.state), int(DownloadEntry::State::Failed), kLoadTimeout);
        auto *row
            = m_window->downloadsPanel()->findChild<QWidget *>(QString("download%1").arg(entry.id));
        QCOMPARE(row->findChild<QLabel *>("state")->text(), "Fehlgeschlagen: " + entry.failure);
        QVERIFY2(status().startsWith("Download fehlgeschlagen: Harlund-Gross.bin ("),
            qPrintable(status()));
        QCOMPARE(partials(), QStringList());
        QCOMPARE(m_other->browser()->downloads()->entries().size(), 0);
        nextCategory();
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Hilfe und Kontakt."), kLoadTimeout);
    }

    // A page whose script never ends, after the user's F5: the status band
    // says so and the page offers to reload; that ends the page's display
    // process and loads the page anew. Going to another category from a
    // hung page shows the new page.
    void aHungPageIsOfferedAReloadAndLeftForTheNextCategory()
    {
        open("0||Download");
        typeAddress(m_site.mainHost() + "/haengt");
        const QString title
            = "Hängt - Harlund (Demo)"; // the engine keeps it, the page need not answer
        QTRY_COMPARE_WITH_TIMEOUT(view()->page()->title(), title, kLoadTimeout);
        const QString address = "http://" + m_site.mainHost() + "/haengt";
        const qint64 hung = view()->page()->renderProcessPid();
        QTest::qWait(1000); // the script now holds the page
        keys("F5");
        QTRY_COMPARE_WITH_TIMEOUT(status(), "Seite reagiert nicht: " + address, kLoadTimeout);
        QTRY_VERIFY(pageText().contains("Seite reagiert nicht"));
        const int loads = requested("main /haengt");
        userClick("retry");
        QTRY_COMPARE_WITH_TIMEOUT(requested("main /haengt"), loads + 1, kLoadTimeout);
        QTRY_VERIFY(!QDir("/proc/" + QString::number(hung)).exists());
        QTRY_COMPARE_WITH_TIMEOUT(view()->page()->title(), title, kLoadTimeout);
        QVERIFY(view()->page()->renderProcessPid() != hung);

        QTest::qWait(1000); // hung again
        nextCategory();
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Alle Programme."), kLoadTimeout);
        QTRY_COMPARE(status(), "Fertig");
    }

    // A page that eats memory until its display process dies comes back
    // once, then ends in the page that says so.
    void aPageEatingMemoryEndsInTheCrashPage()
    {
        open("0||Support");
        typeAddress(m_site.mainHost() + "/speicher");
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains("Seite abgestürzt"), kLoadTimeout);
        QCOMPARE(requested("main /speicher"), 2);
    }
};

int main(int argc, char *argv[])
{
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_CACHE_HOME", root + "/.cache");
    // A page's scripts get little memory, so that a page that eats it dies soon.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--js-flags=--max-old-space-size=64");
    applyEngineSetup();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("OrvelBrowser");
    QApplication::setOrganizationName("OrvelBrowser");
    // The engine's own texts (why a download failed) as the program shows them.
    installQtTranslations(QLocale("de_DE"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    TestHostilePages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostile_pages.moc"
