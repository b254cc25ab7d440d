// SPDX-License-Identifier: MIT
#include "FakePlatform.h"
#include "FakeWebBrowser.h"
#include "MemorySettingsStore.h"
#include "browser/qt/frmBrowser.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/SSPanel.h"
#include "info/qt/frmInfoFenster.h"
#include "resources/qt/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orv;
using Pages = std::tuple<QStringList, QString, QStringList>;
using Hover = std::tuple<QString, bool, bool>;
using Drag = std::tuple<QString, QString, bool>;

namespace {

struct Fixture
{
    test::FakePlatform platform;
    int sysUtilsMade = 0;

    frmInfoFenster::Dependencies deps()
    {
        return { "main.test", &platform, 1, 6, 0, [this] {
                    ++sysUtilsMade;
                    return std::make_unique<orvClassWindows>(platform);
                } };
    }
};

// The window on its own, shown.
struct Shown : Fixture, frmInfoFenster
{
    Shown() : frmInfoFenster(deps()) { show(); }
};

void click(SSPanel *panel)
{
    Q_EMIT panel->MouseEnter();
    QTest::mouseClick(panel, Qt::LeftButton);
}

QString look(const SSPanel *panel)
{
    return panel->BackColor().name() + '/' + panel->ForeColor().name() + '/'
        + QString::number(panel->MousePointer()) + (panel->FontUnderline() ? "/u" : "");
}

QString shownPages(const frmInfoFenster &w)
{
    QStringList shown;
    for (const QWidget *frame : { w.frameLand, w.frameKontakt, w.frameVertrieb, w.frameAutoren,
             w.frameOlmbach, w.frameKestadt, w.frameSarnfeld }) {
        if (!frame->isHidden())
            shown << frame->objectName();
    }
    return shown.join(' ');
}

} // namespace

class TestInfoFenster : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesAndCountries_data()
    {
        // clicks, shown, selected (panels in the selected look afterwards)
        QTest::addColumn<Pages>("row");

        // clang-format off
        QTest::newRow("as opened") << Pages{QStringList{}, "frameLand frameKontakt frameOlmbach frameKestadt", QStringList{"pnlKontakt", "pnlÖsterreich"}};
        QTest::newRow("country kept across pages") << Pages{QStringList{"pnlDeutschland", "pnlAutoren", "pnlVertrieb"}, "frameVertrieb frameSarnfeld", QStringList{"pnlVertrieb", "pnlDeutschland"}};
        // clang-format on
    }

    void pagesAndCountries()
    {
        QFETCH(Pages, row);
        const auto &[clicks, shown, selected] = row;
        Shown w;
        for (const QString &name : clicks) {
            auto *panel = w.findChild<SSPanel *>(name);
            click(panel);
            Q_EMIT panel->MouseLeave();
        }
        QCOMPARE(shownPages(w), shown);
        // Exactly the selected page and country panels share the selected look.
        const QString pageLook = look(w.findChild<SSPanel *>(selected.first()));
        for (SSPanel *panel : { w.pnlKontakt, w.pnlVertrieb, w.pnlAutoren })
            QCOMPARE(look(panel) == pageLook, selected.contains(panel->objectName()));
        const QString countryLook = look(w.findChild<SSPanel *>(selected.last()));
        for (SSPanel *panel : { w.pnlÖsterreich, w.pnlDeutschland })
            QCOMPARE(look(panel) == countryLook, selected.contains(panel->objectName()));
        if (shown.contains("frameSarnfeld"))
            QCOMPARE(w.frameSarnfeld->pos(), w.frameOlmbach->pos()); // the top place
    }

    void hover_data()
    {
        // panel, keepsHoverLook (after the pointer leaves), underlines
        QTest::addColumn<Hover>("row");

        // clang-format off
        QTest::newRow("selected page panel stays selected") << Hover{"pnlKontakt", true, false};
        QTest::newRow("other page panel returns") << Hover{"pnlVertrieb", false, false};
        QTest::newRow("Schließen always returns") << Hover{"pnlSchließen", false, false};
        QTest::newRow("selected country stays") << Hover{"pnlÖsterreich", true, false};
        QTest::newRow("other country returns") << Hover{"pnlDeutschland", false, false};
        QTest::newRow("Systeminfo underlines") << Hover{"pnlSysteminfo", false, true};
        QTest::newRow("home page link") << Hover{"lnkHarlund", false, true};
        // clang-format on
    }

    void hover()
    {
        QFETCH(Hover, row);
        const auto &[panel, keepsHoverLook, underlines] = row;
        Shown w;
        auto *target = w.findChild<SSPanel *>(panel);
        QVERIFY(target);
        const QString before = look(target);
        Q_EMIT target->MouseEnter();
        const QString hovered = look(target);
        QCOMPARE(target->FontUnderline(), underlines);
        QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);
        Q_EMIT target->MouseLeave();
        QCOMPARE(look(target), keepsHoverLook ? hovered : before);
        QVERIFY(!target->FontUnderline());

        // A mail link is underlined all the time; of an array of links only
        // the member under the pointer is.
        Q_EMIT w.lnkKestadt->MouseEnter();
        Q_EMIT w.lnkKestadt->MouseLeave();
        QVERIFY(w.lnkKestadt->FontUnderline());
        Q_EMIT w.lnkArneKolvik[1]->MouseEnter();
        QVERIFY(w.lnkArneKolvik[1]->FontUnderline());
        QVERIFY(!w.lnkArneKolvik[0]->FontUnderline());
        QCOMPARE(w.lnkArneKolvik[0]->Index, 0);
        QCOMPARE(w.lnkArneKolvik[1]->Index, 1);
    }

    // Each button copies its own office; a second copy replaces the first.
    void copyButtonsPutTheOfficeOnTheClipboard()
    {
        Shown w;
        w.cmdKopierenKestadt->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), toQt(info::copyText(contact::kestadt)));
        QCOMPARE(w.lblKestadt[2]->text(), toQt(info::officeLabels(contact::kestadt)[2]));
        click(w.pnlDeutschland);
        w.cmdKopierenSarnfeld->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), toQt(info::copyText(contact::sarnfeld)));
    }

    void linksGoToTheShell()
    {
        Shown w;
        for (SSPanel *link : { w.lnkSarnfeld, w.lnkOlmbach, w.lnkKestadt, w.lnkArneKolvik[0],
                 w.lnkArneKolvik[1], w.lnkLenzOttmer, w.lnkHarlund })
            QTest::mouseClick(link, Qt::LeftButton);
        const std::wstring staff = L"http://main.test/ueberuns/mitarbeiter_detail.aspx?id=";
        const std::vector<std::wstring> expected { L"mailto:vertrieb.de@harlund.example",
            L"mailto:office@harlund.example", L"mailto:ks@harlund.example", staff + L"23",
            staff + L"23", staff + L"54", L"http://main.test" };
        std::vector<std::wstring> opened;
        for (const auto &call : w.platform.shellCalls)
            opened.push_back(std::get<2>(call));
        QVERIFY(opened == expected);
        QCOMPARE(w.lnkSarnfeld->Caption(), "office@harlund.example"); // shows the general address
        QVERIFY(w.isVisible()); // a failing shell call changes nothing
    }

    void dragSurfaces_data()
    {
        // widget (a label without a name by its text), panel clicked first, drags
        QTest::addColumn<Drag>("row");

        for (const char *name : { "frmInfoFenster", "frameKontakt", "lblKestadt_4", "Image2" })
            QTest::newRow(name) << Drag { name, "", true };
        for (const char *name : { "pnlKontakt", "lnkHarlund", "cmdKopierenOlmbach" })
            QTest::newRow(name) << Drag { name, "", false };
        for (const char *name :
            { "frameAutoren", "frameprogrammierung", "Projektleitung:", "txtVertrieb" })
            QTest::newRow(name) << Drag { name, "pnlAutoren", false };
    }

    void dragSurfaces()
    {
        QFETCH(Drag, row);
        const auto &[widget, page, drags] = row;
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (!page.isEmpty())
            click(w.findChild<SSPanel *>(page));
        QWidget *target = widget == w.objectName() ? &w : w.findChild<QWidget *>(widget);
        for (QLabel *label : w.findChildren<QLabel *>())
            target = !target && label->text() == widget ? label : target;
        QVERIFY(target);
        QSignalSpy drag(&w, &frmInfoFenster::dragStarted);
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(drag.size(), drags ? 1 : 0);
    }

    // Each opening starts afresh with a new utility class, centred on its owner's screen, not over
    // the owner; "Schließen" closes the window, and so does Esc, from the sales text as from the
    // window itself.
    void reopeningStartsAfreshAndClosesThreeWays()
    {
        Fixture f;
        QWidget owner;
        owner.setGeometry(10, 10, 120, 90);
        owner.show();
        for (const int opening : { 0, 1, 2 }) {
            frmInfoFenster::ShowModal(f.deps(), &owner);
            frmInfoFenster *w = frmInfoFenster::instance();
            QVERIFY(w->isVisible() && !w->rules().SysUtil()
                && shownPages(*w) == "frameLand frameKontakt frameOlmbach frameKestadt"
                && w->frameOlmbach->y() < w->frameKestadt->y());
            QVERIFY((w->frameGeometry().center() - owner.screen()->geometry().center())
                        .manhattanLength()
                <= 1);
            QVERIFY(w->windowTitle() == "Info" && w->lblVersion->text() == "Version: 1.06");
            click(w->pnlSysteminfo);
            if (opening == 0) {
                click(w->pnlDeutschland);
                click(w->pnlSchließen);
            } else {
                if (opening == 1)
                    click(w->pnlVertrieb);
                QWidget *target = opening == 1 ? static_cast<QWidget *>(w->txtVertrieb) : w;
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Escape);
            }
            QTRY_VERIFY(!frmInfoFenster::instance());
        }
        QCOMPARE(f.sysUtilsMade, 3);
        // Without a system information tool each click says so (in the class's words).
        QCOMPARE(f.platform.messages.size(), size_t(3));
    }

    // Opened from the browser window's tool, the Info window takes the
    // window's input until it closes: clicks and keys that reach the browser
    // window through the window system do nothing meanwhile.
    void theBrowserWindowWaitsWhileItIsOpen()
    {
        Fixture f;
        test::MemorySettingsStore store;
        test::FakeWebBrowser *control = nullptr;
        frmBrowser browser({ .hosts = { "main.test", "shop.test" },
            .commandLine = "0||Support",
            .store = &store,
            .createBrowser = [&](QWidget *box) { return control = new test::FakeWebBrowser(box); },
            .showInfoWindow = [&](QWidget *owner) { frmInfoFenster::ShowModal(f.deps(), owner); },
            .beforeFirstNavigate = {},
            .choosePdfFile = {},
            .openWithShell = {} });
        browser.Form_Load();
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        const auto clickTool = [&](const QString &name) {
            QWidget *tool = browser.toolbar()->Bands("Band1").Tools(name).widget();
            QTest::mouseClick(browser.windowHandle(), Qt::LeftButton, {},
                tool->mapTo(&browser, tool->rect().center()));
        };
        control->calls.clear();
        clickTool("ID_Info");
        QVERIFY(frmInfoFenster::instance() && frmInfoFenster::instance()->isVisible());
        clickTool("ID_Aktualisieren");
        clickTool("ID_Beenden");
        QTest::keyClick(browser.windowHandle(), Qt::Key_F5);
        frmInfoFenster::instance()->close();
        QTRY_VERIFY(!frmInfoFenster::instance());
        QVERIFY(control->callsOf("Refresh").isEmpty() && browser.isVisible());
        clickTool("ID_Aktualisieren"); // the same click once the Info window is gone
        QCOMPARE(control->callsOf("Refresh").size(), 1);
    }
};

QTEST_MAIN(TestInfoFenster)
#include "tst_infofenster.moc"
