// SPDX-License-Identifier: MIT
#include "FakeWebBrowser.h"
#include "MemorySettingsStore.h"
#include "MeterProbe.h"
#include "browser/qt/DownloadsPanel.h"
#include "browser/qt/FindBar.h"
#include "browser/qt/frmBrowser.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/PictureBox.h"
#include "core/Steps.h"
#include "modules/ProgressBar.h"
#include "modules/ZoomByHost.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

const QString kMain = QStringLiteral("http://main.test");
const QString kPrefix = QStringLiteral("Harlund Webbrowser... Kategorie: ");
using Wheres = std::vector<std::string>;
using Load = std::tuple<QString, QString, QString, QString, int>;
using Keys = std::tuple<QStringList, QStringList, bool, QString, int, int, int>;

QString stored(const MemorySettingsStore &store, const QString &section, const char *key)
{
    return QString::fromStdString(store.value(section.toStdString(), key));
}

// A browser window on the fake control and an in-memory store.
struct Fixture
{
    enum Stage { Made, Shown };
    MemorySettingsStore store;
    ZoomByHost zoom { store };
    FakeWebBrowser *control = nullptr;
    QStringList asked; // "info", "shell <path>", "pdf <proposed name>"
    QString pdfChoice;
    std::unique_ptr<frmBrowser> window;
    Wheres unhandled;
    UnhandledFailureHandler previous = setUnhandledFailureHandler(
        [this](std::string_view where, const Failure &) { unhandled.emplace_back(where); });

    explicit Fixture(const QString &commandLine = "4711||Download", Stage stage = Shown,
        MemorySettingsStore *shared = nullptr, ZoomByHost *sharedZoom = nullptr)
    {
        window = std::make_unique<frmBrowser>(frmBrowser::Dependencies {
            .hosts = { "main.test", "shop.test" },
            .commandLine = commandLine,
            .store = shared ? shared : &store,
            .zoom = sharedZoom ? sharedZoom : &zoom,
            .createBrowser = [this](QWidget *box) { return control = new FakeWebBrowser(box); },
            .showInfoWindow = [this](QWidget *) { asked << "info"; },
            .beforeFirstNavigate = {},
            .choosePdfFile =
                [this](const QString &proposed) {
                    asked << "pdf " + proposed;
                    return pdfChoice;
                },
            .openWithShell = [this](const QString &path) { asked << "shell " + path; },
        });
        if (stage == Shown) {
            window->Form_Load();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
    }
    ~Fixture() { setUnhandledFailureHandler(previous); }

    ActiveBarTool &tool(const char *name, const char *band = "Band1")
    {
        return window->toolbar()->Bands(band).Tools(name);
    }
    ActiveBarTool &categories() { return tool("ID_Seite"); }
    // The address box's list, as the user sees it.
    QStringList listed() const
    {
        QStringList entries;
        for (int i = 0; i < window->addressBox()->count(); ++i)
            entries << window->addressBox()->itemText(i);
        return entries;
    }
    // Keys go where the keyboard is; the window's shortcuts need it active.
    static QWidget *focus()
    {
        QWidget *widget = QApplication::focusWidget();
        return widget ? widget : QApplication::activeWindow();
    }
    void press(QKeyCombination key)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(focus(), key.key(), key.keyboardModifiers());
    }
    // Picks an entry as the user does: the list shows it, then reports the choice.
    void choose(const QString &entry)
    {
        auto *box = qobject_cast<QComboBox *>(categories().widget());
        const int index = box->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    // F6 selects the box's text, so typing replaces it; a key then leaves it.
    void typeAndEnter(const QString &text, QKeyCombination enter = Qt::Key_Return)
    {
        press(Qt::Key_F6);
        QTest::keyClick(focus(), Qt::Key_Delete);
        QTest::keyClicks(focus(), text);
        press(enter);
    }
    void click(const char *name) { QTest::mouseClick(tool(name).widget(), Qt::LeftButton); }
};

} // namespace

class TestFrmBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ProgressBar::moduleState() = ProgressBar::State {}; }

    // The meter in the status band, hidden until the first start: each report
    // restarts it over the whole frame; its blocks land on their pixels and
    // stay through hiding and repaints until the next start.
    void meterInTheStatusBand()
    {
        Fixture f;
        PictureBox *frame = f.window->meterFrame(), *area = f.window->meterArea();
        QVERIFY(!frame->isVisible());
        Q_EMIT f.control->ProgressChange(50, 100);
        Q_EMIT f.control->ProgressChange(20, 100);
        QVERIFY(frame->isVisible() && area->isVisible());
        QCOMPARE(area->geometry(), frame->rect());
        QCOMPARE(drawnMeterBlocks(*area), (QList<int> { 0, 1, 2, 3, 4 }));
        Q_EMIT f.control->ProgressChange(-1, 100);
        QVERIFY(frame->isVisible() && !area->isVisible());
        area->repaint();
        area->show();
        QCOMPARE(drawnMeterBlocks(*area), (QList<int> { 0, 1, 2, 3, 4 }));
        // Block 0 covers pixels 1 to 6; the gap after it shows the background.
        const QImage onScreen = area->grab().toImage();
        QCOMPARE(onScreen.pixel(4, 8), qRgb(0, 0, 128));
        QCOMPARE(onScreen.pixel(7, 8), area->palette().color(QPalette::Window).rgb());
        QVERIFY(f.unhandled.empty());
    }

    // What a start opens, shows and places.
    void loadStep_data()
    {
        // command line, address, text shown by the category list, stored
        // state under the caption (null: nothing stored), window state
        QTest::addColumn<Load>("load");
        const int normal = Qt::WindowNoState, max = Qt::WindowMaximized, min = Qt::WindowMinimized;
        // clang-format off
        QTest::newRow("download, first run maximises") << Load{"4711||Download||", kMain + "/download/?produkt=4711", "Download", {}, max};
        QTest::newRow("empty command line, stored normal") << Load{"", kMain, "Startseite", "0", normal};
        QTest::newRow("unreadable state: normal, not reported") << Load{"0||Support", kMain + "/support", "Support", "kaputt", normal};
        QTest::newRow("extra address without entry: nothing selected") << Load{"0||http://x.test/a||http://x.test/a", "http://x.test/a", "", "1", min};
        // clang-format on
    }

    void loadStep()
    {
        QFETCH(Load, load);
        const auto &[commandLine, address, shown, storedState, state] = load;
        Fixture f(commandLine, Fixture::Made);
        if (!storedState.isNull()) {
            f.store.set((kPrefix + shown).toStdString(), "windowstate", storedState.toStdString());
            f.store.set((kPrefix + shown).toStdString(), "left", "1500");
            // Narrower than the bands want: no minimum of our own.
            f.store.set((kPrefix + shown).toStdString(), "width", "2400");
        }
        f.window->Form_Load();
        QCOMPARE(f.control->calls.value(0), "Silent true"); // silenced before anything loads
        QCOMPARE(f.control->callsOf("Navigate"), QStringList { address });
        QCOMPARE(int(f.window->windowState()), state);
        if (storedState == "0")
            QCOMPARE(
                (QList<int> { f.window->frameGeometry().x(), f.window->frameGeometry().width() }),
                (QList<int> { 100, 160 }));
        QCOMPARE(f.categories().Text(), shown);
        QCOMPARE(f.categories().ListCount(), 7);
        QCOMPARE(f.window->windowTitle(), kPrefix + shown);
        QCOMPARE(f.window->addressBox()->currentText(), address);
        QVERIFY(f.unhandled.empty());
    }

    // The category list reached by Tab and changed by a key; F5 reloads.
    void categorySwitch()
    {
        Fixture f("4711||News");
        f.control->calls.clear();
        QWidget *list = f.categories().widget();
        for (int i = 0; i < 20 && Fixture::focus() != list; ++i)
            f.press(Qt::Key_Tab);
        f.press(Qt::Key_Down);
        QCOMPARE(f.window->windowTitle(), kPrefix + "Events");
        f.press(Qt::Key_F5);
        QCOMPARE(f.control->callsOf("Navigate"), QStringList { kMain + "/infos" });
        QCOMPARE(f.control->callsOf("Refresh").size(), 1);
    }

    // Closing is never refused: running downloads are cancelled, the status
    // band says which; a store that cannot file the placement is reported.
    void closeIsNeverRefused()
    {
        // running, finished, whether the store fails
        for (const auto &[running, finished, storeFails] :
            { std::tuple { 2, 1, false }, std::tuple { 0, 1, true } }) {
            Fixture f;
            f.store.failFromWrite = storeFails ? 0 : -1;
            DownloadList *list = f.control->fileDownloads;
            int cancelled = 0;
            QString statusAtCancel;
            for (int i = 0; i < running + finished; ++i) {
                const int id
                    = list->add(QString("f%1").arg(i), QString("/tmp/f%1").arg(i), [&, list] {
                          statusAtCancel
                              = static_cast<QLabel *>(f.tool("Status_Info", "StatusBar").widget())
                                    ->text();
                          ++cancelled;
                          list->finish(list->entries().at(cancelled - 1).id,
                              DownloadEntry::State::Cancelled);
                      });
                if (i >= running)
                    list->finish(id, DownloadEntry::State::Done);
            }
            QVERIFY(f.window->close());
            QVERIFY(!f.window->isVisible());
            QCOMPARE(cancelled, running);
            QCOMPARE(list->runningCount(), 0);
            QCOMPARE(statusAtCancel.contains("f0, f1"), running > 0);
            QCOMPARE(f.store.writes.empty(), storeFails);
            QCOMPARE(f.store.flushes, 1); // one write of the store per close, also after a failure
            QCOMPARE(
                f.unhandled, storeFails ? Wheres { "storing the window placement" } : Wheres {});
        }
    }

    // The list sits behind a button at the right end of the status band, opens
    // by itself for a new download and offers what fits each state.
    void downloadListInTheStatusBand()
    {
        Fixture f;
        DownloadsPanel *panel = f.window->downloadsPanel();
        QToolButton *button = f.window->downloadsButton();
        QVERIFY(panel && button && !panel->isVisible());
        const auto x = [&](QWidget *w) {
            return w->mapTo(f.window.get(), QPoint()).x();
        };
        for (const char *pane : { "Status_Info", "Tool1", "Tool2" })
            QVERIFY(x(f.tool(pane, "StatusBar").widget()) < x(button));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(panel->isVisible() && panel->findChild<QLabel *>()->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!panel->isVisible());

        DownloadList *list = f.control->fileDownloads;
        const int id = list->add("setup.exe", "/home/u/Downloads/setup.exe", {});
        const int failing = list->add("big.iso", "/home/u/Downloads/big.iso", {});
        QVERIFY(panel->isVisible() && f.window->rect().contains(panel->geometry()));
        const auto row = [&](int which, const char *child) {
            return panel->findChild<QWidget *>(QString("download%1").arg(which))
                ->findChild<QWidget *>(child);
        };
        const auto text = [&](int which, const char *child) {
            return static_cast<QLabel *>(row(which, child))->text();
        };
        list->setProgress(id, 1536 * 1024, 4 * 1024 * 1024);
        QCOMPARE(text(id, "name"), "setup.exe");
        QCOMPARE(text(id, "state"), "1,5 MB von 4,0 MB (37 %)");
        QVERIFY(row(id, "cancel")->isVisible() && !row(id, "open")->isVisible());

        list->finish(id, DownloadEntry::State::Done);
        list->finish(failing, DownloadEntry::State::Failed, "Netzwerkfehler");
        QVERIFY(!row(id, "cancel")->isVisible());
        QTest::mouseClick(row(id, "open"), Qt::LeftButton);
        QTest::mouseClick(row(id, "folder"), Qt::LeftButton);
        QCOMPARE(f.asked,
            (QStringList { "shell /home/u/Downloads/setup.exe", "shell /home/u/Downloads" }));
        QCOMPARE(text(failing, "state"), "Fehlgeschlagen: Netzwerkfehler");
        QVERIFY(!row(failing, "open")->isVisible() && !row(failing, "cancel")->isVisible());
    }

    // Enter, on either key and with any modifiers, opens the text exactly as
    // typed: a prefix of an entry is not completed to it. The list follows
    // the history; a pick from it by keyboard opens the entry. Leaving the
    // box with an entry's text is no pick.
    void addressBox()
    {
        Fixture f;
        f.control->calls.clear();
        const QString a = "http://a.test", longer = "http://h.test/abcdef",
                      prefix = "http://h.test/a";
        f.typeAndEnter(a);
        f.typeAndEnter(longer);
        f.typeAndEnter(
            prefix, QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_Enter));
        f.press(Qt::CTRL | Qt::Key_Return);
        QCOMPARE(f.control->callsOf("Navigate"), (QStringList { a, longer, prefix, prefix }));
        QCOMPARE(f.listed(), (QStringList { prefix, longer, a }));
        QCOMPARE(f.window->addressBox()->currentText(), prefix);

        f.control->calls.clear();
        f.press(Qt::Key_F6);
        f.press(Qt::ALT | Qt::Key_Down);
        QTRY_VERIFY(f.window->addressBox()->view()->isVisible());
        for (int i = 0; i < 2; ++i) // from the entry just used
            QTest::keyClick(Fixture::focus(), Qt::Key_Down);
        QTest::keyClick(Fixture::focus(), Qt::Key_Return);
        QCOMPARE(f.control->callsOf("Navigate"), QStringList { a });
        QCOMPARE(f.listed(), (QStringList { a, prefix, longer }));
        QCOMPARE(f.window->addressBox()->currentText(), a);

        f.control->calls.clear();
        f.typeAndEnter(longer, Qt::Key_Tab);
        QVERIFY(f.control->calls.isEmpty());
    }

    // The tools call the control; Info opens the Info window each time. The
    // control's reports show in the tools and the status band; printing and
    // PDF come from keys and from the page.
    void toolsAndNotifications()
    {
        Fixture f;
        QVERIFY(!f.tool("ID_Zurück").Enabled() && !f.tool("ID_Vorwärts").Enabled()
            && !f.tool("ID_Stop").Enabled()); // before the browser's first report
        f.tool("ID_Stop").setEnabled(true);
        f.click("ID_Stop");
        QCOMPARE(f.control->calls.last(), "Stop");
        f.control->calls.clear();
        f.click("ID_Info");
        f.click("ID_Info");
        QCOMPARE(f.asked, (QStringList { "info", "info" }));
        QVERIFY(f.control->calls.isEmpty() && f.window->isVisible());

        Q_EMIT f.control->CommandStateChange(2, true);
        Q_EMIT f.control->DownloadComplete();
        QVERIFY(f.tool("ID_Zurück").Enabled() && !f.tool("ID_Vorwärts").Enabled());
        QVERIFY(!f.tool("ID_Stop").Enabled());
        Q_EMIT f.control->StatusTextChange("http://main.test/support");
        QCOMPARE(static_cast<QLabel *>(f.tool("Status_Info", "StatusBar").widget())->text(),
            "http://main.test/support");

        f.press(Qt::CTRL | Qt::Key_P);
        Q_EMIT f.control->PrintRequested(); // the page's window.print()
        QCOMPARE(f.control->callsOf("Print").size(), 2);
        Q_EMIT f.control->SaveAsPdfRequested(); // the page's menu; the dialog is cancelled
        QVERIFY(f.asked.last().endsWith("/Download.pdf"));
        f.pdfChoice = "/tmp/seite.pdf";
        f.press(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QCOMPARE(f.control->callsOf("PrintToPdf"), QStringList { "/tmp/seite.pdf" });
        QVERIFY(f.unhandled.empty());
    }

    // Steps in turn: a key as written on it ("Ctrl+Num++" on the number pad),
    // a text in quotes typed where the keyboard is, "page+" and "page-" the
    // page entering and leaving full screen, "wheel <angle>" turned with Ctrl
    // over the page.
    void keysAndPageRequests_data()
    {
        // script, finds (texts searched, "<" backward, "" ended), find bar open,
        // full screen's changes ("1" on, "0" off), stops, the page's full screen
        // ended, zoom percent
        QTest::addColumn<Keys>("row");

        using L = QStringList;
        // clang-format off
        QTest::newRow("typing searches anew") << Keys{L{"Ctrl+F", "'ab'"}, L{"a", "ab"}, true, "", 0, 0, 100};
        QTest::newRow("F3 next, Shift+F3 previous") << Keys{L{"Ctrl+F", "'a'", "F3", "Shift+F3"}, L{"a", "a", "a <"}, true, "", 0, 0, 100};
        QTest::newRow("F3 opens the bar") << Keys{L{"F3"}, L{}, true, "", 0, 0, 100};
        QTest::newRow("Esc closes the bar, does not stop") << Keys{L{"Ctrl+F", "'a'", "Esc"}, L{"a", ""}, false, "", 0, 0, 100};
        QTest::newRow("the next Esc stops") << Keys{L{"Ctrl+F", "Esc", "Esc"}, L{""}, false, "", 1, 0, 100};
        QTest::newRow("the bar keeps its text") << Keys{L{"Ctrl+F", "'a'", "Esc", "Ctrl+F", "Shift+Return"}, L{"a", "", "a <"}, true, "", 0, 0, 100};
        QTest::newRow("F11 on and off") << Keys{L{"F11", "F11"}, L{}, false, "10", 0, 0, 100};
        QTest::newRow("Esc stops in F11's full screen") << Keys{L{"F11", "Esc"}, L{}, false, "1", 1, 0, 100};
        QTest::newRow("F11 leaves the page's full screen") << Keys{L{"page+", "F11"}, L{}, false, "10", 0, 1, 100};
        QTest::newRow("the page leaves by itself") << Keys{L{"page+", "page-"}, L{}, false, "10", 0, 0, 100};
        QTest::newRow("other keyboards' plus") << Keys{L{"Ctrl+=", "Ctrl+Shift+=", "Ctrl+Shift++"}, L{}, false, "", 0, 0, 150};
        QTest::newRow("number pad") << Keys{L{"Ctrl+Num++", "Ctrl+Num++", "Ctrl+Num+-"}, L{}, false, "", 0, 0, 110};
        QTest::newRow("no lower than the smallest") << Keys{L(12, "Ctrl+-"), L{}, false, "", 0, 0, 25};
        QTest::newRow("no higher than the largest") << Keys{L(20, "Ctrl++"), L{}, false, "", 0, 0, 500};
        QTest::newRow("Ctrl+0 back to the page's size") << Keys{L{"Ctrl++", "Ctrl++", "Ctrl+0"}, L{}, false, "", 0, 0, 100};
        QTest::newRow("wheel towards the user, then half notches") << Keys{L{"wheel -240", "wheel 60", "wheel 60"}, L{}, false, "", 0, 0, 90};
        // clang-format on
    }

    void keysAndPageRequests()
    {
        QFETCH(Keys, row);
        const auto &[script, finds, open, changes, stops, exits, percent] = row;
        Fixture f;
        f.window->showNormal();
        Q_EMIT f.control->DownloadBegin(); // something to stop
        QString changed;
        for (const QString &step : script) {
            if (step.startsWith('\''))
                QTest::keyClicks(Fixture::focus(), step.mid(1, step.size() - 2));
            else if (step.startsWith("page"))
                Q_EMIT f.control->FullScreenRequested(step == "page+");
            else if (step.startsWith("wheel "))
                Q_EMIT f.control->ZoomWheel(step.mid(6).toInt());
            else
                f.press(QKeySequence(step)[0]);
            if (f.window->isFullScreen() != changed.endsWith('1'))
                changed += f.window->isFullScreen() ? '1' : '0';
            if (step == "page+") // the page covers the bands
                QTRY_COMPARE(f.control->widget()->geometry(), f.window->rect());
        }
        QCOMPARE(changed, changes);
        QCOMPARE(f.control->callsOf("FindText"), finds);
        QCOMPARE(f.window->findBar() && f.window->findBar()->isVisible(), open);
        QCOMPARE(f.control->callsOf("Stop").size(), stops);
        QCOMPARE(f.control->callsOf("ExitFullScreen").size(), exits);
        QCOMPARE(f.window->zoomPercent(), percent);
        QCOMPARE((QStringList { "1" } + f.control->callsOf("Zoom")).last(),
            QString::number(percent / 100.0));
        QCOMPARE(f.window->zoomPane()->isVisible(), percent != 100);
        QVERIFY(f.window->zoomPane()->text().contains(QString::number(percent) + " %"));
        // The page gives the bar its room and gets it back.
        if (open)
            QCOMPARE(f.control->widget()->geometry().bottom() + 1,
                f.window->findBar()->geometry().top());
        else
            QCOMPARE(f.control->lastMove, f.window->toolbar()->clientArea());
        // A close in full screen files it as maximised.
        f.window->close();
        QCOMPARE(stored(f.store, kPrefix + "Download", "windowstate"),
            changed.endsWith('1') ? "2" : "0");
    }

    // A host keeps the zoom last chosen for it, in every window and across
    // categories, in a section of its own; a caption's section holds the
    // placement and nothing else.
    void zoomFollowsTheHost()
    {
        MemorySettingsStore store;
        ZoomByHost zoom(store);
        store.set("ZoomByHost", "shop.test", "kaputt");
        Fixture a("4711||Download", Fixture::Shown, &store, &zoom);
        Fixture b("0||Shop", Fixture::Shown, &store, &zoom);
        Q_EMIT a.control->AddressChange(kMain + "/download/?produkt=4711");
        a.press(Qt::CTRL | Qt::Key_Minus);
        a.choose("Support"); // the same host: the zoom stays
        QCOMPARE(a.window->zoomPercent(), 90);
        // (host, zoom shown) after each page b opens
        for (const auto &[address, percent] :
            { std::pair(QString("http://shop.test/"), 100), std::pair(kMain + "/support", 90),
                std::pair(QString("http://main.test:8080/"), 100),
                std::pair(QString("data:text/html,x"), 100) }) {
            Q_EMIT b.control->AddressChange(address);
            QCOMPARE(b.window->zoomPercent(), percent);
            QCOMPARE(b.window->zoomPane()->isVisible(), percent != 100);
        }
        QCOMPARE(stored(store, "ZoomByHost", "main.test"), "90");
        a.window->close();
        const std::string section
            = MemorySettingsStore::path("OrvelBrowser", (kPrefix + "Support").toStdString(), {});
        QStringList keys;
        for (const auto &[path, value] : store.values)
            if (path.starts_with(section))
                keys << QString::fromStdString(path.substr(section.size()));
        QCOMPARE(keys, (QStringList { "height", "left", "top", "width", "windowstate" }));
    }

    void everyToolIsNamedAndReachedByTab()
    {
        Fixture f;
        QStringList tools { "txtEingabe" };
        for (const char *band : { "Band1", "StatusBar" })
            for (const auto &tool : f.window->toolbar()->Bands(band).tools()) {
                QWidget *w = tool->widget();
                QVERIFY(tool->kind() == ToolKind::Separator
                    || !(w->accessibleName().isEmpty() || w->toolTip().isEmpty()));
                tool->setEnabled(true);
                if (tool->kind() == ToolKind::Button || tool->kind() == ToolKind::ComboBox)
                    tools.append(tool->Name());
            }
        f.window->addressBox()->setFocus();
        for (qsizetype i = 0, presses = 2 * tools.size(); i < presses; ++i) {
            f.press(QKeyCombination(Qt::Key_Tab));
            QWidget *focus = QApplication::focusWidget();
            tools.removeAll(
                (focus->objectName().isEmpty() ? focus->parentWidget() : focus)->objectName());
        }
        QCOMPARE(tools, QStringList {}); // each one reached
        // The window manager's sizes of the window icon are compiled in.
        QCOMPARE(f.window->windowIcon().availableSizes(),
            (QList<QSize> { { 16, 16 }, { 32, 32 }, { 48, 48 } }));
    }
};

QTEST_MAIN(TestFrmBrowser)
#include "tst_frmbrowser.moc"
