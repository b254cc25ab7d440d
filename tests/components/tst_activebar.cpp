// SPDX-License-Identifier: MIT
#include "components/qt/ActiveBar.h"
#include "core/Failure.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace orv;

namespace {

struct Bar
{
    QWidget window;
    ActiveBar *bar = nullptr;

    Bar()
    {
        window.resize(400, 300);
        bar = new ActiveBar(&window);
        ActiveBarBand &top = bar->addBand("Band1", "Band1", Dock::Top);
        top.addTool(
            { "ID_Go", ToolKind::Button, "Go", true, {}, {}, { QKeySequence(Qt::Key_F5) } });
        top.addTool({ "ID_List", ToolKind::ComboBox, "Tool3", false, {}, {}, {} });
        ActiveBarBand &bottom = bar->addBand("StatusBar", "Band2", Dock::Bottom);
        bottom.addTool({ "Status_Info", ToolKind::TextPane, {}, false, {}, {}, {} });
        bottom.addTool({ "Tool1", ToolKind::TimePane, {}, false, {}, {}, {} });
        bottom.addTool({ "Tool2", ToolKind::DatePane, {}, false, {}, {}, {} });
    }

    ActiveBarTool &tool(const char *band, const char *name) { return bar->Bands(band).Tools(name); }
    QString paneText(const char *name)
    {
        return static_cast<QLabel *>(tool("StatusBar", name).widget())->text();
    }
};

} // namespace

class TestActiveBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesWhatIsNotThere()
    {
        Bar b;
        // no such band, no such tool, a tool of another band, names are case-sensitive
        // clang-format off
        const char *missing[][2] = { {"Band9", "ID_Go"}, {"Band1", "ID_Gone"}, {"Band1", "Status_Info"}, {"band1", "ID_Go"} };
        // clang-format on
        for (const auto &[band, tool] : missing) {
            try {
                b.bar->Bands(band).Tools(tool);
                QFAIL(tool);
            } catch (const Failure &failure) {
                QCOMPARE(failure.code(), FailureCode::InvalidCall);
            }
        }
        // What the list cannot hold; choices by the program and by the user
        // reach the window (see its tests).
        ActiveBarTool &list = b.tool("Band1", "ID_List");
        list.AddItem("Eins");
        list.setListIndex(0);
        QVERIFY_THROWS_EXCEPTION(Failure, list.setListIndex(1));
        QCOMPARE(list.Text(), "Eins");
        QVERIFY_THROWS_EXCEPTION(Failure, b.tool("Band1", "ID_Go").AddItem("x"));
    }

    void clickReportsTheToolOnlyWhenEnabled()
    {
        Bar b;
        b.window.show();
        b.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&b.window));
        QSignalSpy clicks(b.bar, &ActiveBar::ToolClick);
        auto *button = qobject_cast<QToolButton *>(b.tool("Band1", "ID_Go").widget());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.at(0).at(0).value<ActiveBarTool *>()->Name(), "ID_Go");

        b.tool("Band1", "ID_Go").setEnabled(false);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        b.tool("Band1", "ID_Go").click();
        QCOMPARE(clicks.size(), 1);

        b.tool("Band1", "ID_Go").setEnabled(true);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5); // the tool's shortcut is a click
        QCOMPARE(clicks.size(), 2);
    }

    void clientAreaIsTheRoomBetweenTheBands()
    {
        Bar b;
        QSignalSpy areas(b.bar, &ActiveBar::ClientAreaChanged);
        b.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        QVERIFY(!areas.isEmpty());
        const QWidget &top = b.bar->Bands("Band1");
        const QWidget &bottom = b.bar->Bands("StatusBar");
        auto expected = [&] {
            return QList<QVariant> { 0, top.height() * 15, b.window.width() * 15,
                (b.window.height() - top.height() - bottom.height()) * 15 };
        };
        QCOMPARE(areas.last(), expected());
        QCOMPARE(bottom.geometry().bottom(), b.window.height() - 1);

        b.window.resize(500, 200);
        QTRY_COMPARE(areas.last(), expected());
        QCOMPARE(b.bar->width(), 500);
        // Tiny windows give an empty area, never a negative one.
        b.window.resize(100, 10);
        QTRY_COMPARE(areas.last().at(3).toInt(), 0);
    }

    // The text pane shows what a page wrote, markup and entities as written;
    // the clock panes follow the clock.
    void panes()
    {
        Bar b;
        const QString markup = "<b>x</b> &lt;";
        b.tool("StatusBar", "Status_Info").setCaption(markup);
        const auto *pane = static_cast<QLabel *>(b.tool("StatusBar", "Status_Info").widget());
        QVERIFY(pane->sizeHint().width() > pane->fontMetrics().horizontalAdvance(markup));
        QDateTime now(QDate(2014, 1, 14), QTime(23, 59, 59, 900));
        b.bar->setClock([&now] { return now; });
        QCOMPARE(b.paneText("Tool1"), "23:59");
        QCOMPARE(b.paneText("Tool2"), "14.01.2014");

        // The panes wake by themselves at the next full minute, here midnight.
        now = QDateTime(QDate(2014, 1, 15), QTime(0, 0, 0, 50));
        QTRY_COMPARE_WITH_TIMEOUT(b.paneText("Tool1"), QString("00:00"), 2000);
        QCOMPARE(b.paneText("Tool2"), "15.01.2014");
    }
};

QTEST_MAIN(TestActiveBar)
#include "tst_activebar.moc"
