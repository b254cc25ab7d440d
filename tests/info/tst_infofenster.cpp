// SPDX-License-Identifier: MIT
#include "FakePlatform.h"
#include "components/SSPanel.h"
#include "info/frmInfoFenster.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orv;

namespace {

struct Fixture
{
    FakePlatform platform;
    int sysUtilsMade = 0;
    std::vector<orvClassWindows *> sysUtils;

    frmInfoFenster::Dependencies deps()
    {
        frmInfoFenster::Dependencies d;
        d.MainHost = "main.test";
        d.platform = &platform;
        d.versionMajor = 1;
        d.versionMinor = 6;
        d.versionRevision = 0;
        d.createSysUtil = [this] {
            ++sysUtilsMade;
            auto made = std::make_unique<orvClassWindows>(platform);
            sysUtils.push_back(made.get());
            return made;
        };
        return d;
    }
};

void enter(SSPanel *panel)
{
    Q_EMIT panel->MouseEnter();
}
void leave(SSPanel *panel)
{
    Q_EMIT panel->MouseLeave();
}
void click(SSPanel *panel)
{
    Q_EMIT panel->MouseEnter();
    QTest::mouseClick(panel, Qt::LeftButton);
}

QString look(const SSPanel *panel)
{
    return panel->BackColor().name() + QLatin1Char('/') + panel->ForeColor().name()
        + QLatin1Char('/') + QString::number(panel->MousePointer())
        + (panel->FontUnderline() ? "/u" : "");
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
    void initialState()
    {
        Fixture f;
        frmInfoFenster w(f.deps());
        w.show(); // places the pages
        QCOMPARE(w.windowTitle(), "Info");
        QCOMPARE(w.CurrentPage, frmInfoFenster::Page::Kontakt);
        QCOMPARE(w.CurrentCountry, frmInfoFenster::Country::Österreich);
        QCOMPARE(shownPages(w), "frameLand frameKontakt frameOlmbach frameKestadt");
        QVERIFY(w.frameOlmbach->y() < w.frameKestadt->y());
        QCOMPARE(w.lblVersion->text(), "Version: 1.06");
        QVERIFY(!w.SysUtil);
    }

    void versionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("text");

        QTest::newRow("2.10 revision 1") << 2 << 10 << 1 << "Version: 2.10a";
        QTest::newRow("revision 26") << 1 << 0 << 26 << "Version: 1.00z";
    }

    void versionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, text);
        QCOMPARE(frmInfoFenster::versionText(major, minor, revision), text);
    }

    void pagesAndCountries_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("selected"); // panels in the selected look afterwards

        // clang-format off
        QTest::newRow("Vertrieb") << QStringList{"pnlVertrieb"} << "frameVertrieb frameOlmbach frameKestadt" << QStringList{"pnlVertrieb", "pnlÖsterreich"};
        QTest::newRow("Autoren") << QStringList{"pnlAutoren"} << "frameAutoren frameOlmbach frameKestadt" << QStringList{"pnlAutoren", "pnlÖsterreich"};
        QTest::newRow("Kontakt again changes nothing") << QStringList{"pnlKontakt"} << "frameLand frameKontakt frameOlmbach frameKestadt" << QStringList{"pnlKontakt", "pnlÖsterreich"};
        QTest::newRow("Deutschland") << QStringList{"pnlDeutschland"} << "frameLand frameKontakt frameSarnfeld" << QStringList{"pnlKontakt", "pnlDeutschland"};
        QTest::newRow("country kept across pages") << QStringList{"pnlDeutschland", "pnlAutoren", "pnlKontakt"} << "frameLand frameKontakt frameSarnfeld" << QStringList{"pnlKontakt", "pnlDeutschland"};
        QTest::newRow("back to Österreich") << QStringList{"pnlDeutschland", "pnlÖsterreich"} << "frameLand frameKontakt frameOlmbach frameKestadt" << QStringList{"pnlKontakt", "pnlÖsterreich"};
        // clang-format on
    }

    void pagesAndCountries()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, shown);
        QFETCH(QStringList, selected);
        Fixture f;
        frmInfoFenster w(f.deps());
        w.show();
        for (const QString &name : clicks) {
            auto *panel = w.findChild<SSPanel *>(name);
            click(panel);
            leave(panel);
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
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("keepsHoverLook"); // after the pointer leaves
        QTest::addColumn<bool>("underlines");

        // clang-format off
        QTest::newRow("selected page panel stays selected") << "pnlKontakt" << true << false;
        QTest::newRow("other page panel returns") << "pnlVertrieb" << false << false;
        QTest::newRow("Schließen always returns") << "pnlSchließen" << false << false;
        QTest::newRow("selected country stays") << "pnlÖsterreich" << true << false;
        QTest::newRow("other country returns") << "pnlDeutschland" << false << false;
        QTest::newRow("Systeminfo underlines") << "pnlSysteminfo" << false << true;
        QTest::newRow("home page link") << "lnkHarlund" << false << true;
        QTest::newRow("author link") << "lnkLenzOttmer" << false << true;
        // clang-format on
    }

    void hover()
    {
        QFETCH(QString, panel);
        QFETCH(bool, keepsHoverLook);
        QFETCH(bool, underlines);
        Fixture f;
        frmInfoFenster w(f.deps());
        auto *target = w.findChild<SSPanel *>(panel);
        QVERIFY(target);
        const QString before = look(target);
        enter(target);
        const QString hovered = look(target);
        QCOMPARE(target->FontUnderline(), underlines);
        QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);
        leave(target);
        QCOMPARE(look(target), keepsHoverLook ? hovered : before);
        QVERIFY(!target->FontUnderline());

        // A mail link is underlined all the time.
        enter(w.lnkKestadt);
        leave(w.lnkKestadt);
        QVERIFY(w.lnkKestadt->FontUnderline());
    }

    void hoverUnderlinesOnlyTheMemberUnderThePointer()
    {
        Fixture f;
        frmInfoFenster w(f.deps());
        enter(w.lnkArneKolvik[1]);
        QVERIFY(w.lnkArneKolvik[1]->FontUnderline());
        QVERIFY(!w.lnkArneKolvik[0]->FontUnderline());
        QCOMPARE(w.lnkArneKolvik[0]->Index, 0);
        QCOMPARE(w.lnkArneKolvik[1]->Index, 1);
    }

    void copyButtonsPutTheOfficeOnTheClipboard()
    {
        Fixture f;
        frmInfoFenster w(f.deps());
        w.show();
        w.cmdKopierenKestadt->click();
        const QString kestadt = QGuiApplication::clipboard()->text();
        const QStringList lines = kestadt.split("\r\n");
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.first(), w.lblKestadt[0]->text());
        QCOMPARE(lines.at(1), w.lblKestadt[1]->text());
        QVERIFY(lines.last().startsWith("Mail: "));
        QVERIFY(!kestadt.endsWith('\n'));
        QVERIFY(!kestadt.contains("\n\r") && kestadt.count('\n') == 4);
        // One blank after "Tel.:" in the copy, two on the label.
        QCOMPARE(lines.at(2), QString(w.lblKestadt[2]->text()).replace("Tel.:  ", "Tel.: "));
        QVERIFY(w.lblKestadt[2]->text().startsWith("Tel.:  "));

        click(w.pnlDeutschland);
        w.cmdKopierenSarnfeld->click();
        const QString sarnfeld = QGuiApplication::clipboard()->text();
        QVERIFY(sarnfeld != kestadt);
        QVERIFY(sarnfeld.contains(w.lblSarnfeld[1]->text()));
    }

    void linksGoToTheShell()
    {
        Fixture f;
        frmInfoFenster w(f.deps());
        w.show();
        for (SSPanel *link : { w.lnkSarnfeld, w.lnkOlmbach, w.lnkKestadt, w.lnkArneKolvik[0],
                 w.lnkArneKolvik[1], w.lnkLenzOttmer, w.lnkHarlund })
            QTest::mouseClick(link, Qt::LeftButton);
        const std::vector<std::wstring> expected {
            L"mailto:vertrieb.de@harlund.example",
            L"mailto:office@harlund.example",
            L"mailto:ks@harlund.example",
            L"http://main.test/ueberuns/mitarbeiter_detail.aspx?id=23",
            L"http://main.test/ueberuns/mitarbeiter_detail.aspx?id=23",
            L"http://main.test/ueberuns/mitarbeiter_detail.aspx?id=54",
            L"http://main.test",
        };
        std::vector<std::wstring> opened;
        for (const auto &call : f.platform.shellCalls) {
            opened.push_back(call.file);
            QCOMPARE(call.show, 1); // SW_SHOWNORMAL
            QVERIFY(call.verb.empty()); // the default verb
            QVERIFY(!call.parameters && !call.directory);
        }
        QVERIFY(opened == expected);
        QCOMPARE(w.lnkSarnfeld->Caption(), "office@harlund.example"); // shows the general address
        QVERIFY(w.isVisible()); // a failing shell call changes nothing
    }

    void dragSurfaces_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<bool>("drags");

        for (const char *name : { "frmInfoFenster", "frameKontakt", "lblKestadt_4", "Image2" })
            QTest::newRow(name) << name << true;
        for (const char *name : { "pnlKontakt", "lnkHarlund", "cmdKopierenOlmbach" })
            QTest::newRow(name) << name << false;
    }

    void dragSurfaces()
    {
        QFETCH(QString, widget);
        QFETCH(bool, drags);
        Fixture f;
        frmInfoFenster w(f.deps());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget *target = widget == w.objectName() ? &w : w.findChild<QWidget *>(widget);
        QVERIFY(target);
        QSignalSpy drag(&w, &frmInfoFenster::dragStarted);
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(drag.size(), drags ? 1 : 0);
    }

    void autorenPageIsNoDragSurface()
    {
        Fixture f;
        frmInfoFenster w(f.deps());
        w.show();
        click(w.pnlAutoren);
        QSignalSpy drag(&w, &frmInfoFenster::dragStarted);
        for (QWidget *target : std::initializer_list<QWidget *> {
                 w.frameAutoren, w.frameprogrammierung, w.lblProjektleitung, w.txtVertrieb })
            QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(drag.size(), 0);
    }

    void escClosesWhateverHasTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("sales text") << "txtVertrieb";
        QTest::newRow("window") << "";
    }

    void escClosesWhateverHasTheFocus()
    {
        QFETCH(QString, focus);
        Fixture f;
        bool wasOpen = false;
        QTimer::singleShot(0, this, [&] {
            frmInfoFenster *w = frmInfoFenster::instance();
            wasOpen = w && w->isVisible();
            if (focus == "txtVertrieb")
                click(w->pnlVertrieb);
            QWidget *target
                = focus.isEmpty() ? static_cast<QWidget *>(w) : w->findChild<QWidget *>(focus);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
        });
        frmInfoFenster::ShowModal(f.deps());
        QVERIFY(wasOpen);
        QVERIFY(!frmInfoFenster::instance());
    }

    void reopeningStartsAfreshWithANewSysUtil()
    {
        Fixture f;
        orvClassWindows *firstSysUtil = nullptr;
        QTimer::singleShot(0, this, [&] {
            frmInfoFenster *w = frmInfoFenster::instance();
            click(w->pnlDeutschland);
            click(w->pnlVertrieb);
            click(w->pnlSysteminfo);
            firstSysUtil = w->SysUtil.get();
            click(w->pnlSysteminfo);
            QCOMPARE(w->SysUtil.get(), firstSysUtil); // the same instance on the second click
            click(w->pnlSchließen);
        });
        frmInfoFenster::ShowModal(f.deps());
        QCOMPARE(f.sysUtilsMade, 1);
        // Without a system information tool the class says so, in a box of its own.
        QCOMPARE(f.platform.messages.size(), size_t(2));
        QVERIFY(
            f.platform.messages.front().text == L"System Information Is Unavailable At This Time");

        QString pagesOnReopen;
        QTimer::singleShot(0, this, [&] {
            frmInfoFenster *w = frmInfoFenster::instance();
            pagesOnReopen = shownPages(*w);
            QVERIFY(!w->SysUtil);
            click(w->pnlSysteminfo);
            w->close();
        });
        frmInfoFenster::ShowModal(f.deps());
        QCOMPARE(pagesOnReopen, "frameLand frameKontakt frameOlmbach frameKestadt");
        QCOMPARE(f.sysUtilsMade, 2);
    }
};

QTEST_MAIN(TestInfoFenster)
#include "tst_infofenster.moc"
