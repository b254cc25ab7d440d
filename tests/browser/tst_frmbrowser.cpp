// SPDX-License-Identifier: MIT
#include "FakeWebBrowser.h"
#include "MemorySettingsStore.h"
#include "MeterProbe.h"
#include "browser/DownloadsPanel.h"
#include "browser/FindBar.h"
#include "browser/frmBrowser.h"
#include "components/ActiveBar.h"
#include "components/PictureBox.h"
#include "core/Steps.h"
#include "modules/ProgressBar.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace orv;
using orv::test::blockRange;
using orv::test::drawnMeterBlocks;
using orv::test::FakeWebBrowser;
using orv::test::MemorySettingsStore;

namespace {

const QString kMain = QStringLiteral("http://main.test");
const QString kPrefix = QStringLiteral("Harlund Webbrowser... Kategorie: ");

// A browser window on the fake control and an in-memory store.
struct Fixture
{
    MemorySettingsStore store;
    FakeWebBrowser *control = nullptr;
    int infoShown = 0;
    QStringList questions;
    bool answer = false;
    QStringList shell;
    std::unique_ptr<frmBrowser> window;
    std::vector<std::string> unhandled;
    UnhandledFailureHandler previous;
    QString pdfProposed, pdfChoice;

    explicit Fixture(
        const QString &commandLine, bool load = true, MemorySettingsStore *shared = nullptr)
    {
        previous = setUnhandledFailureHandler(
            [this](std::string_view where, const Failure &) { unhandled.emplace_back(where); });
        frmBrowser::Dependencies deps;
        deps.hosts = { QStringLiteral("main.test"), QStringLiteral("shop.test") };
        deps.commandLine = commandLine;
        deps.store = shared ? shared : &store;
        deps.createBrowser = [this](QWidget *container) {
            return control = new FakeWebBrowser(container);
        };
        deps.choosePdfFile = [this](const QString &proposed) {
            pdfProposed = proposed;
            return pdfChoice;
        };
        deps.showInfoWindow = [this] {
            ++infoShown;
        };
        deps.confirm = [this](const QString &question) {
            questions.append(question);
            return answer;
        };
        deps.openWithShell = [this](const QString &path) {
            shell.append(path);
        };
        window = std::make_unique<frmBrowser>(std::move(deps));
        if (load)
            window->Form_Load();
    }
    ~Fixture() { setUnhandledFailureHandler(previous); }

    ActiveBarTool &tool(const char *band, const char *name)
    {
        return window->toolbar()->Bands(band).Tools(name);
    }
    ActiveBarTool &categories() { return tool("Band1", "ID_Seite"); }
    QString status()
    {
        return static_cast<QLabel *>(tool("StatusBar", "Status_Info").widget())->text();
    }

    void showAndWait()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Keys go where the keyboard is; the window's shortcuts need it active.
    void press(QKeyCombination key)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
    }
    QStringList callsOf(const QString &operation) const
    {
        return control->calls.filter(QRegularExpression("^" + operation + "( |$)"));
    }

    // Picks a category as the user does: the list shows it, then reports the choice.
    void choose(const QString &entry)
    {
        auto *box = qobject_cast<QComboBox *>(categories().widget());
        const int index = box->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    void typeAndEnter(const QString &text)
    {
        QLineEdit *edit = window->addressBox()->lineEdit();
        edit->clear();
        window->activateWindow();
        edit->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void clickTool(const char *name)
    {
        auto *button = qobject_cast<QToolButton *>(tool("Band1", name).widget());
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

class TestFrmBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ProgressBar::moduleState() = ProgressBar::State {}; }

    void progressDrivesTheMeter_data()
    {
        QTest::addColumn<QList<QPoint>>("reports"); // (Progress, ProgressMax)
        QTest::addColumn<bool>("areaVisible");
        QTest::addColumn<bool>("frameVisible");
        QTest::addColumn<int>("meterMax");
        QTest::addColumn<QList<int>>("drawn");

        using P = QList<QPoint>;
        // clang-format off
        QTest::newRow("-1: hidden, no start") << P{{-1, 100}} << false << false << 0 << QList<int>{};
        QTest::newRow("0: hidden, no start") << P{{0, 100}} << false << false << 0 << QList<int>{};
        QTest::newRow("progress starts and draws") << P{{50, 100}} << true << true << 100 << blockRange(0, 10);
        QTest::newRow("every report restarts") << P{{50, 100}, {20, 100}} << true << true << 100 << blockRange(0, 4);
        QTest::newRow("the hidden area keeps its blocks") << P{{50, 100}, {-1, 100}} << false << true << 100 << blockRange(0, 10);
        QTest::newRow("maximum above 16 bits: update on the last start") << P{{20, 100}, {50, 100000}} << true << true << 100 << blockRange(0, 10);
        QTest::newRow("maximum above 16 bits before any start") << P{{50, 100000}} << true << false << 0 << QList<int>{};
        // clang-format on
    }

    void progressDrivesTheMeter()
    {
        QFETCH(QList<QPoint>, reports);
        QFETCH(bool, areaVisible);
        QFETCH(bool, frameVisible);
        QFETCH(int, meterMax);
        QFETCH(QList<int>, drawn);
        Fixture f("4711||Download");
        f.showAndWait();
        QVERIFY(!f.window->meterFrame()->isVisible()); // hidden until the first start
        for (const QPoint &report : reports)
            Q_EMIT f.control->ProgressChange(report.x(), report.y());
        QCOMPARE(f.window->meterArea()->isVisibleTo(f.window->meterFrame()), areaVisible);
        QCOMPARE(f.window->meterFrame()->isVisible(), frameVisible);
        QCOMPARE(int(ProgressBar::moduleState().MeterMax), meterMax);
        QCOMPARE(drawnMeterBlocks(*f.window->meterArea()), drawn);
        QVERIFY(f.unhandled.empty());
    }

    void loadStep_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("shown"); // text shown by the category list
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("product");

        // clang-format off
        QTest::newRow("download") << "4711||Download||" << kMain + "/download/?produkt=4711" << "Download" << 7 << 4711;
        QTest::newRow("empty command line") << "" << kMain << "Startseite" << 7 << 0;
        QTest::newRow("quoted line") << "\"4711||Download\"" << kMain << "Startseite" << 7 << 0;
        QTest::newRow("extra page by address") << "0||http://x.test/a|Handbuch|http://x.test/a" << "http://x.test/a" << "Handbuch" << 8 << 0;
        QTest::newRow("extra address without entry: nothing selected") << "0||http://x.test/a||http://x.test/a" << "http://x.test/a" << "" << 7 << 0;
        // clang-format on
    }

    void loadStep()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, address);
        QFETCH(QString, shown);
        QFETCH(int, entries);
        QFETCH(int, product);
        Fixture f(commandLine);
        QCOMPARE(f.control->calls.value(0), "Silent true"); // silenced before anything loads
        QCOMPARE(f.control->navigations(), QStringList { address });
        // A later start hands its line to the running window, which opens it alike.
        Fixture running("4711||News|Extra|http://e.test");
        running.window->openCommandLine(commandLine);
        for (Fixture *w : { &f, &running }) {
            QCOMPARE(w->control->navigations().last(), address);
            QCOMPARE(w->categories().Text(), shown);
            QCOMPARE(w->categories().ListCount(), entries);
            QCOMPARE(w->window->windowTitle(), kPrefix + shown);
            QCOMPARE(w->window->addressBox()->currentText(), address);
            QCOMPARE(w->window->fields().ProductNumber, product);
            QCOMPARE(w->window->history().count(), 0); // opening a category adds no history
            QVERIFY(w->unhandled.empty());
        }
    }

    void loadStepSkipsFailingSteps()
    {
        // The control refuses to be silenced and to load; selection, address,
        // caption and placement still happen.
        Fixture f("0||Support", false);
        f.control->failing = { QStringLiteral("Navigate"), QStringLiteral("Silent") };
        f.store.set(kPrefix + "Support", "windowstate", "1");
        f.window->Form_Load();
        QCOMPARE(f.window->windowTitle(), kPrefix + "Support");
        QCOMPARE(f.window->addressBox()->currentText(), kMain + "/support");
        QVERIFY(f.window->windowState() & Qt::WindowMinimized);
        QVERIFY(f.unhandled.empty());
    }

    void placementIsTheOneFiledUnderTheCaption_data()
    {
        QTest::addColumn<QString>("storedState");
        QTest::addColumn<int>("expectedState");

        // clang-format off
        QTest::newRow("first run maximises") << QString() << int(Qt::WindowMaximized);
        QTest::newRow("stored minimised") << "1" << int(Qt::WindowMinimized);
        QTest::newRow("stored normal") << "0" << int(Qt::WindowNoState);
        QTest::newRow("unreadable state: start goes on") << "kaputt" << int(Qt::WindowNoState);
        // clang-format on
    }

    void placementIsTheOneFiledUnderTheCaption()
    {
        QFETCH(QString, storedState);
        QFETCH(int, expectedState);
        Fixture f("4711||Download", false);
        if (!storedState.isNull()) {
            f.store.set(kPrefix + "Download", "windowstate", storedState);
            f.store.set(kPrefix + "Download", "left", "1500");
            f.store.set(kPrefix + "Download", "width", "9000");
        }
        f.store.set(kPrefix + "Startseite", "windowstate", "1"); // another caption's section
        f.window->Form_Load();
        QCOMPARE(int(f.window->windowState()), expectedState);
        if (storedState == "0") {
            QCOMPARE(f.window->width(), 600);
            QCOMPARE(f.window->frameGeometry().x(), 100);
        }
    }

    void categorySwitch_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("address");

        // clang-format off
        QTest::newRow("support") << "Support" << kMain + "/support";
        QTest::newRow("extra page by its entry") << "Handbuch" << "http://x.test/a";
        // clang-format on
    }

    void categorySwitch()
    {
        QFETCH(QString, entry);
        QFETCH(QString, address);
        Fixture f("4711||News|Handbuch|http://x.test/a");
        f.control->calls.clear();
        f.choose(entry);
        QCOMPARE(f.control->navigations(), QStringList { address });
        QCOMPARE(f.window->addressBox()->currentText(), address);
        QCOMPARE(f.window->windowTitle(), kPrefix + entry);
        QCOMPARE(f.categories().Text(), entry);
        QCOMPARE(f.window->history().count(), 0);
    }

    void categorySwitchFailureEndsTheSwitch()
    {
        Fixture f("4711||News");
        f.control->failing = { QStringLiteral("Navigate") };
        f.choose("Support");
        QCOMPARE(f.unhandled, (std::vector<std::string> { "category switch" }));
        QCOMPARE(f.window->windowTitle(), kPrefix + "News"); // the caption step is not reached
        QCOMPARE(f.window->addressBox()->currentText(), kMain + "/neuigkeiten");
    }

    void toolDispatch_data()
    {
        QTest::addColumn<QString>("toolName");
        QTest::addColumn<QString>("call");

        // clang-format off
        QTest::newRow("back") << QStringLiteral("ID_Zurück") << "GoBack";
        QTest::newRow("forward without caption") << QStringLiteral("ID_Vorwärts") << "GoForward";
        QTest::newRow("stop") << "ID_Stop" << "Stop";
        QTest::newRow("refresh") << "ID_Aktualisieren" << "Refresh";
        QTest::newRow("info without caption") << "ID_Info" << "<info>";
        // clang-format on
    }

    void toolDispatch()
    {
        QFETCH(QString, toolName);
        QFETCH(QString, call);
        Fixture f("4711||Download");
        f.showAndWait();
        ActiveBarTool &tool = f.window->toolbar()->Bands("Band1").Tools(toolName);
        tool.setEnabled(true);
        f.control->calls.clear();
        QTest::mouseClick(tool.widget(), Qt::LeftButton);
        if (call == "<info>") {
            QCOMPARE(f.infoShown, 1);
            QTest::mouseClick(tool.widget(), Qt::LeftButton);
            QCOMPARE(f.infoShown, 2);
            QVERIFY(f.control->calls.isEmpty());
        } else {
            QCOMPARE(f.control->calls, QStringList { call });
        }
        QVERIFY(f.window->isVisible());

        // A failure of the control in the dispatch is ignored.
        f.control->failing = { call };
        QTest::mouseClick(tool.widget(), Qt::LeftButton);
        QVERIFY(f.unhandled.empty());

        // A disabled tool produces no click.
        tool.setEnabled(false);
        f.control->calls.clear();
        QTest::mouseClick(tool.widget(), Qt::LeftButton);
        QVERIFY(f.control->calls.isEmpty());
    }

    void browserFillsTheClientArea()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        QWidget *view = f.control->widget();
        const QWidget &top = f.window->toolbar()->Bands("Band1");
        const QWidget &bottom = f.window->toolbar()->Bands("StatusBar");
        auto between = [&] {
            return QRect(0, top.height(), f.window->width(),
                f.window->height() - top.height() - bottom.height());
        };
        QCOMPARE(view->geometry(), between());
        QCOMPARE(f.control->lastMove, f.window->toolbar()->clientArea());
        for (const QSize size : { QSize(900, 700), QSize(320, 200), QSize(1200, 400) }) {
            f.window->resize(size);
            QTRY_COMPARE(view->geometry(), between());
        }
    }

    void closeFilesThePlacementUnderTheCurrentCaption_data()
    {
        QTest::addColumn<bool>("byTool");
        QTest::addColumn<QString>("switchTo");

        // clang-format off
        QTest::newRow("after a switch") << false << "Support";
        QTest::newRow("Beenden after a switch") << true << "Events";
        // clang-format on
    }

    void closeFilesThePlacementUnderTheCurrentCaption()
    {
        QFETCH(bool, byTool);
        QFETCH(QString, switchTo);
        Fixture f("4711||Download");
        f.showAndWait();
        f.window->showNormal();
        f.window->setGeometry(30, 40, 500, 300);
        if (!switchTo.isEmpty())
            f.choose(switchTo);
        const QString section
            = kPrefix + (switchTo.isEmpty() ? QStringLiteral("Download") : switchTo);
        if (byTool)
            f.clickTool("ID_Beenden");
        else
            f.window->close();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.store.writes, (QStringList { "left", "top", "width", "height", "windowstate" }));
        QCOMPARE(f.store.value(section, "width"),
            QString::number(f.window->frameGeometry().width() * 15));
        QCOMPARE(
            f.store.value(section, "left"), QString::number(f.window->frameGeometry().x() * 15));
        QCOMPARE(f.store.value(section, "windowstate"), "0");
    }

    void closeIsNeverRefused()
    {
        Fixture f("4711||Download");
        f.store.failFromWrite = 0;
        f.showAndWait();
        QVERIFY(f.window->close());
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.unhandled, (std::vector<std::string> { "storing the window placement" }));
    }

    // Closing asks once, and only while something is still downloading;
    // "Nein" keeps the window and its downloads, "Ja" cancels them all.
    void closeAsksOnlyOverRunningDownloads_data()
    {
        QTest::addColumn<int>("running");
        QTest::addColumn<int>("finished");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("sessionEnds"); // a log-out or termination signal

        // clang-format off
        QTest::newRow("no downloads") << 0 << 0 << false << true << false;
        QTest::newRow("finished only") << 0 << 2 << false << true << false;
        QTest::newRow("one running, Nein") << 1 << 1 << false << false << false;
        QTest::newRow("one running, Ja") << 1 << 1 << true << true << false;
        QTest::newRow("two running, Ja") << 2 << 0 << true << true << false;
        QTest::newRow("session ends: no question") << 2 << 1 << false << true << true;
        // clang-format on
    }

    void closeAsksOnlyOverRunningDownloads()
    {
        QFETCH(int, running);
        QFETCH(int, finished);
        QFETCH(bool, answer);
        QFETCH(bool, closes);
        QFETCH(bool, sessionEnds);
        Fixture f("4711||Download");
        f.answer = answer;
        DownloadList *list = f.control->fileDownloads;
        int cancelled = 0;
        for (int i = 0; i < running + finished; ++i) {
            const int id = list->add(QString("f%1").arg(i), QString("/tmp/f%1").arg(i), [&, list] {
                ++cancelled;
                list->finish(list->entries().at(cancelled - 1).id, DownloadEntry::State::Cancelled);
            });
            if (i >= running)
                list->finish(id, DownloadEntry::State::Done);
        }
        f.showAndWait();

        if (sessionEnds)
            f.window->closeUnasked();
        else
            QCOMPARE(f.window->close(), closes);
        QCOMPARE(f.window->isVisible(), !closes);
        QCOMPARE(f.questions.size(), running > 0 && !sessionEnds ? 1 : 0);
        if (!f.questions.isEmpty())
            QVERIFY(f.questions.first().contains(running == 1 ? "Ein Download" : "2 Downloads"));
        QCOMPARE(cancelled, closes ? running : 0);
        QCOMPARE(list->runningCount(), closes ? 0 : running);
        QCOMPARE(f.store.writes.isEmpty(), !closes); // placement filed only when it closes
    }

    // The list sits behind a button at the right end of the status band, opens
    // by itself for a new download and offers what fits each state.
    void downloadListInTheStatusBand()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        DownloadsPanel *panel = f.window->downloadsPanel();
        QToolButton *button = f.window->downloadsButton();
        QVERIFY(panel && button && !panel->isVisible());
        for (const char *pane : { "Status_Info", "Tool1", "Tool2" }) {
            QWidget *widget = f.tool("StatusBar", pane).widget();
            QVERIFY(widget->mapTo(f.window.get(), QPoint()).x()
                < button->mapTo(f.window.get(), QPoint()).x());
        }
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(panel->isVisible());
        QVERIFY(panel->findChild<QLabel *>()->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!panel->isVisible());

        DownloadList *list = f.control->fileDownloads;
        bool cancelAsked = false;
        const int id
            = list->add("setup.exe", "/home/u/Downloads/setup.exe", [&] { cancelAsked = true; });
        const int failing = list->add("big.iso", "/home/u/Downloads/big.iso", {});
        QVERIFY(panel->isVisible());
        QVERIFY(f.window->rect().contains(panel->geometry()));
        const auto row = [&](int which, const char *child) {
            return panel->findChild<QWidget *>(QString("download%1").arg(which))
                ->findChild<QWidget *>(child);
        };
        list->setProgress(id, 1536 * 1024, 4 * 1024 * 1024);
        QCOMPARE(static_cast<QLabel *>(row(id, "name"))->text(), "setup.exe");
        QCOMPARE(static_cast<QLabel *>(row(id, "state"))->text(), "1,5 MB von 4,0 MB (37 %)");
        QVERIFY(row(id, "cancel")->isVisible() && !row(id, "open")->isVisible());
        QTest::mouseClick(static_cast<QPushButton *>(row(id, "cancel")), Qt::LeftButton);
        QVERIFY(cancelAsked);

        list->finish(id, DownloadEntry::State::Done);
        list->finish(failing, DownloadEntry::State::Failed, "Netzwerkfehler");
        QVERIFY(!row(id, "cancel")->isVisible());
        QTest::mouseClick(static_cast<QPushButton *>(row(id, "open")), Qt::LeftButton);
        QTest::mouseClick(static_cast<QPushButton *>(row(id, "folder")), Qt::LeftButton);
        QCOMPARE(f.shell, (QStringList { "/home/u/Downloads/setup.exe", "/home/u/Downloads" }));
        QCOMPARE(
            static_cast<QLabel *>(row(failing, "state"))->text(), "Fehlgeschlagen: Netzwerkfehler");
        QVERIFY(!row(failing, "open")->isVisible() && !row(failing, "cancel")->isVisible());
    }

    void addressBoxEnter_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("navigated");
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("boxText");

        // clang-format off
        QTest::newRow("www gets a scheme in the box, not in the request")
            << QStringList{"WWW.harlund.test"} << QStringList{"WWW.harlund.test"}
            << QStringList{"http://WWW.harlund.test"} << "http://WWW.harlund.test";
        QTest::newRow("other text unchanged")
            << QStringList{"main.test/support"} << QStringList{"main.test/support"}
            << QStringList{"main.test/support"} << "main.test/support";
        QTest::newRow("twice: two requests, one entry")
            << QStringList{"http://a.test", "http://a.test"} << QStringList{"http://a.test", "http://a.test"}
            << QStringList{"http://a.test"} << "http://a.test";
        QTest::newRow("letter case makes two entries")
            << QStringList{"http://A.test", "http://a.test"} << QStringList{"http://A.test", "http://a.test"}
            << QStringList{"http://a.test", "http://A.test"} << "http://a.test";
        QTest::newRow("a prefix of an entry is not completed to it")
            << QStringList{"http://h.test/abcdef", "http://h.test/a"} << QStringList{"http://h.test/abcdef", "http://h.test/a"}
            << QStringList{"http://h.test/a", "http://h.test/abcdef"} << "http://h.test/a";
        QTest::newRow("empty text is handed on and kept")
            << QStringList{""} << QStringList{""} << QStringList{""} << "";
        // clang-format on
    }

    void addressBoxEnter()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, navigated);
        QFETCH(QStringList, history);
        QFETCH(QString, boxText);
        Fixture f("4711||Download");
        f.showAndWait();
        f.control->calls.clear();
        for (const QString &text : typed)
            f.typeAndEnter(text);
        QCOMPARE(f.control->navigations(), navigated);
        QCOMPARE(f.window->history().entries(), history);
        QCOMPARE(f.window->addressBox()->currentText(), boxText);
    }

    void leavingTheBoxWithAnEntrysTextIsNoPick()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        f.typeAndEnter("http://a.test");
        f.typeAndEnter("http://b.test");
        f.control->calls.clear();
        QLineEdit *edit = f.window->addressBox()->lineEdit();
        for (const char *entry : { "http://a.test", "http://b.test" }) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, entry);
            edit->clearFocus();
        }
        QVERIFY(f.control->calls.isEmpty());
        QCOMPARE(f.window->history().entries(), (QStringList { "http://b.test", "http://a.test" }));
    }

    void enterWithModifiersAndOtherKeys()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        f.control->calls.clear();
        QLineEdit *edit = f.window->addressBox()->lineEdit();
        edit->setText("http://b.test");
        QTest::keyClick(edit, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(f.control->navigations(), (QStringList { "http://b.test", "http://b.test" }));
    }

    void addressBoxPick()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        for (const char *text : { "http://a.test", "http://b.test", "http://c.test" })
            f.typeAndEnter(text);
        QCOMPARE(f.window->history().entries(),
            (QStringList { "http://c.test", "http://b.test", "http://a.test" }));
        f.control->calls.clear();

        QComboBox *box = f.window->addressBox();
        box->setCurrentIndex(2);
        Q_EMIT box->activated(2);
        QCOMPARE(f.control->navigations(), QStringList { "http://a.test" });
        QCOMPARE(f.window->history().entries(),
            (QStringList { "http://a.test", "http://c.test", "http://b.test" }));
        QCOMPARE(box->currentText(), "http://a.test");

        // Picking the first entry leaves the order as it is.
        box->setCurrentIndex(0);
        Q_EMIT box->activated(0);
        QCOMPARE(f.window->history().entries(),
            (QStringList { "http://a.test", "http://c.test", "http://b.test" }));
        QCOMPARE(f.control->navigations().size(), 2);

        // A category switch changes the box's text but not the history.
        f.choose("Support");
        QCOMPARE(box->currentText(), kMain + "/support");
        QCOMPARE(f.window->history().count(), 3);
    }

    void addressBoxFailureIsReported()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        f.control->failing = { QStringLiteral("Navigate") };
        f.typeAndEnter("http://a.test");
        QCOMPARE(f.unhandled, (std::vector<std::string> { "address box" }));
        QCOMPARE(f.window->history().count(), 0); // ended before the history step
    }

    void notificationsDriveToolsAndStatus()
    {
        Fixture f("4711||Download");
        ActiveBarTool &back = f.tool("Band1", "ID_Zurück");
        ActiveBarTool &forward = f.tool("Band1", "ID_Vorwärts");
        ActiveBarTool &stop = f.tool("Band1", "ID_Stop");
        QVERIFY(!back.Enabled() && !forward.Enabled() && !stop.Enabled());

        Q_EMIT f.control->CommandStateChange(2, true);
        QVERIFY(back.Enabled() && !forward.Enabled());
        Q_EMIT f.control->CommandStateChange(1, true);
        Q_EMIT f.control->CommandStateChange(1, false);
        QVERIFY(back.Enabled() && !forward.Enabled());
        Q_EMIT f.control->CommandStateChange(-1, true);
        QVERIFY(!forward.Enabled());

        Q_EMIT f.control->DownloadComplete(); // without a begin
        QVERIFY(!stop.Enabled());
        Q_EMIT f.control->DownloadBegin();
        QVERIFY(stop.Enabled());
        Q_EMIT f.control->DownloadComplete();
        QVERIFY(!stop.Enabled());

        Q_EMIT f.control->StatusTextChange("http://main.test/support");
        QCOMPARE(f.status(), "http://main.test/support");
        Q_EMIT f.control->StatusTextChange(QString());
        QCOMPARE(f.status(), QString());
        QVERIFY(f.unhandled.empty());
    }

    // Keys in turn: "^F" Ctrl+F, "+" Shift; anything else is typed into the find box.
    void findBar_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("finds"); // texts searched, "<" backward, "" ended
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("stops");

        using L = QStringList;
        // clang-format off
        QTest::newRow("typing searches anew") << L{"^F", "ab"} << L{"a", "ab"} << true << 0;
        QTest::newRow("Enter next, Shift+Enter previous") << L{"^F", "a", "Enter", "+Enter"} << L{"a", "a", "a <"} << true << 0;
        QTest::newRow("F3 next, Shift+F3 previous") << L{"^F", "a", "F3", "+F3"} << L{"a", "a", "a <"} << true << 0;
        QTest::newRow("F3 opens the bar") << L{"F3"} << L{} << true << 0;
        QTest::newRow("Esc closes the bar, does not stop") << L{"^F", "a", "Esc"} << L{"a", ""} << false << 0;
        QTest::newRow("the next Esc stops") << L{"^F", "Esc", "Esc"} << L{""} << false << 1;
        QTest::newRow("the bar keeps its text") << L{"^F", "a", "Esc", "^F", "Enter"} << L{"a", "", "a"} << true << 0;
        // clang-format on
    }

    void findBar()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, finds);
        QFETCH(bool, open);
        QFETCH(int, stops);
        Fixture f("4711||Download");
        f.showAndWait();
        Q_EMIT f.control->DownloadBegin(); // something to stop
        for (const QString &step : script) {
            const Qt::KeyboardModifiers shift
                = step.startsWith('+') ? Qt::ShiftModifier : Qt::NoModifier;
            if (step == "^F")
                f.press(Qt::CTRL | Qt::Key_F);
            else if (step.endsWith("Enter"))
                f.press(QKeyCombination(shift, Qt::Key_Return));
            else if (step.endsWith("F3"))
                f.press(QKeyCombination(shift, Qt::Key_F3));
            else if (step == "Esc")
                f.press(QKeyCombination(Qt::Key_Escape));
            else
                QTest::keyClicks(f.window->findBar()->edit(), step);
        }
        QStringList searched = f.callsOf("FindText");
        for (QString &call : searched)
            call = call.mid(QStringLiteral("FindText ").size());
        QCOMPARE(searched, finds);
        QCOMPARE(f.window->findBar()->isVisible(), open);
        QCOMPARE(f.callsOf("Stop").size(), stops);
        // The page gives the bar its room and gets it back.
        if (open)
            QCOMPARE(f.control->widget()->geometry().bottom() + 1,
                f.window->findBar()->geometry().top());
        else
            QCOMPARE(f.control->lastMove, f.window->toolbar()->clientArea());
    }

    void zoomIsFiledPerCaption_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QList<int>>("wheel"); // turned with Ctrl over the page
        QTest::addColumn<int>("percent");

        using K = QList<QKeyCombination>;
        const QKeyCombination in = Qt::CTRL | Qt::Key_Plus, out = Qt::CTRL | Qt::Key_Minus;
        const auto pad = Qt::ControlModifier | Qt::KeypadModifier;
        const QKeyCombination padIn(pad, Qt::Key_Plus);
        // clang-format off
        QTest::newRow("one step up") << K{in} << QList<int>{} << 110;
        QTest::newRow("one step down") << K{out} << QList<int>{} << 90;
        QTest::newRow("other keyboards' plus") << K{Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::SHIFT | Qt::Key_Equal, Qt::CTRL | Qt::SHIFT | Qt::Key_Plus} << QList<int>{} << 150;
        QTest::newRow("number pad") << K{padIn, padIn, QKeyCombination(pad, Qt::Key_Minus)} << QList<int>{} << 110;
        QTest::newRow("no lower than the smallest") << K(12, out) << QList<int>{} << 25;
        QTest::newRow("no higher than the largest") << K(20, in) << QList<int>{} << 500;
        QTest::newRow("Ctrl+0 back to the page's size") << K{in, in, Qt::CTRL | Qt::Key_0} << QList<int>{} << 100;
        QTest::newRow("wheel notches and half notches") << K{} << QList<int>{120, 60, 60} << 125;
        QTest::newRow("wheel towards the user") << K{} << QList<int>{-240} << 80;
        // clang-format on
    }

    void zoomIsFiledPerCaption()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QList<int>, wheel);
        QFETCH(int, percent);
        MemorySettingsStore store;
        {
            Fixture f("4711||Download", true, &store);
            f.showAndWait();
            for (const QKeyCombination key : keys)
                f.press(key);
            for (const int angle : wheel)
                Q_EMIT f.control->ZoomWheel(angle);
            QCOMPARE(f.window->zoomPercent(), percent);
            QCOMPARE(f.callsOf("Zoom").value(f.callsOf("Zoom").size() - 1, "Zoom 1"),
                "Zoom " + QString::number(percent / 100.0));
            QCOMPARE(f.window->zoomPane()->isVisible(), percent != 100);
            QVERIFY(f.window->zoomPane()->text().contains(QString::number(percent) + " %"));
            // Another caption has a zoom of its own; coming back restores this one.
            f.choose("Support");
            QCOMPARE(f.window->zoomPercent(), 100);
            f.choose("Download");
            QCOMPARE(f.window->zoomPercent(), percent);
            f.window->close();
        }
        QStringList placement = store.writes;
        placement.removeAll("zoom");
        QCOMPARE(placement, (QStringList { "left", "top", "width", "height", "windowstate" }));
        Fixture restarted("4711||Download", true, &store);
        QCOMPARE(restarted.window->zoomPercent(), percent);
        QCOMPARE(restarted.callsOf("Zoom").size(), percent == 100 ? 0 : 1);
    }

    void fullScreen_data()
    {
        QTest::addColumn<QString>("enter"); // F11, or the page asks
        QTest::addColumn<QString>("leave"); // F11, Esc, or the page ends it
        QTest::addColumn<bool>("stillFull");
        QTest::addColumn<int>("stops");

        // clang-format off
        QTest::newRow("F11 on and off") << "F11" << "F11" << false << 0;
        QTest::newRow("Esc stops in F11's full screen") << "F11" << "Esc" << true << 1;
        QTest::newRow("Esc leaves the page's full screen") << "page" << "Esc" << false << 0;
        QTest::newRow("F11 leaves the page's full screen") << "page" << "F11" << false << 0;
        QTest::newRow("the page leaves by itself") << "page" << "page" << false << 0;
        // clang-format on
    }

    void fullScreen()
    {
        QFETCH(QString, enter);
        QFETCH(QString, leave);
        QFETCH(bool, stillFull);
        QFETCH(int, stops);
        Fixture f("4711||Download");
        f.showAndWait();
        f.window->showNormal();
        Q_EMIT f.control->DownloadBegin(); // something to stop
        if (enter == "F11")
            f.press(QKeyCombination(Qt::Key_F11));
        else
            Q_EMIT f.control->FullScreenRequested(true);
        QVERIFY(f.window->isFullScreen());
        if (enter == "page") // the page covers the bands
            QTRY_COMPARE(f.control->widget()->geometry(), f.window->rect());
        if (leave == "page")
            Q_EMIT f.control->FullScreenRequested(false);
        else
            f.press(QKeyCombination(leave == "F11" ? Qt::Key_F11 : Qt::Key_Escape));
        QCOMPARE(f.window->isFullScreen(), stillFull);
        QCOMPARE(f.callsOf("Stop").size(), stops);
        QCOMPARE(f.callsOf("ExitFullScreen").size(), enter == "page" && leave != "page" ? 1 : 0);
        QTRY_COMPARE(f.control->lastMove, f.window->toolbar()->clientArea());
        // A close in full screen files it as maximised.
        f.window->close();
        QCOMPARE(f.store.value(kPrefix + "Download", "windowstate"), stillFull ? "2" : "0");
    }

    void printAndPdf()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        f.press(Qt::CTRL | Qt::Key_P);
        Q_EMIT f.control->PrintRequested(); // the page's window.print()
        QCOMPARE(f.callsOf("Print"), (QStringList { "Print", "Print" }));
        f.press(Qt::CTRL | Qt::SHIFT | Qt::Key_S); // the dialog is cancelled
        QVERIFY(f.pdfProposed.endsWith("/Download.pdf"));
        f.pdfChoice = "/tmp/seite.pdf";
        f.press(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QCOMPARE(f.callsOf("PrintToPdf"), QStringList { "PrintToPdf /tmp/seite.pdf" });
        Q_EMIT f.control->PdfPrinted("/tmp/seite.pdf", true);
        QCOMPARE(f.status(), "PDF gespeichert: /tmp/seite.pdf");
    }

    void everyToolIsNamedAndReachedByTab()
    {
        Fixture f("4711||Download");
        f.showAndWait();
        QStringList tools { "txtEingabe" };
        for (const char *band : { "Band1", "StatusBar" }) {
            for (const auto &tool : f.window->toolbar()->Bands(band).tools()) {
                QWidget *w = tool->widget();
                QVERIFY(tool->kind() == ToolKind::Separator
                    || !(w->accessibleName().isEmpty() || w->toolTip().isEmpty()));
                tool->setEnabled(true);
                if (tool->kind() == ToolKind::Button || tool->kind() == ToolKind::ComboBox)
                    tools.append(tool->Name());
            }
        }
        f.window->addressBox()->setFocus();
        for (qsizetype i = 0, presses = 2 * tools.size(); i < presses; ++i) {
            f.press(QKeyCombination(Qt::Key_Tab));
            QWidget *focus = QApplication::focusWidget();
            tools.removeAll(
                (focus->objectName().isEmpty() ? focus->parentWidget() : focus)->objectName());
        }
        QCOMPARE(tools, QStringList {}); // each one reached
    }
};

QTEST_MAIN(TestFrmBrowser)
#include "tst_frmbrowser.moc"
