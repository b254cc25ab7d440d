// SPDX-License-Identifier: MIT
#include "MeterProbe.h"
#include "components/PictureBox.h"
#include "core/Steps.h"
#include "modules/ProgressBar.h"

#include <QTest>

#include <functional>

using namespace orv;
using namespace orv::test;
using ProgressBar::State;
using Geometry = std::tuple<QString, QString, int, int, QString, QList<int>, QRgb>;
using Updates = std::tuple<int, QList<int>, QList<int>, int, int, int>;

namespace {

// The meter of a window at 15 twips per pixel: a plain frame of 2325 x 285
// twips and its inner area. Counts the blocks drawn and the event passes.
struct Meter : PictureMeterHost
{
    PictureBox window;
    PictureBox *frame;
    PictureBox *area;
    int fills = 0;
    int eventPasses = 0;
    std::function<void()> duringEvents;

    explicit Meter(const QString &blockSetting, const QString &gapSetting = "1", int widthPx = 155)
        : PictureMeterHost(nullptr, nullptr), frame(new PictureBox(&window)),
          area(new PictureBox(frame))
    {
        static_cast<PictureMeterHost &>(*this) = PictureMeterHost(frame, area);
        frame->setGeometry(0, 0, widthPx, 19);
        frame->Tag = blockSetting;
        area->Tag = gapSetting;
        frame->hide();
        area->show();
    }

    void fillArea(double x1, double y1, double x2, double y2, QRgb color) override
    {
        ++fills;
        PictureMeterHost::fillArea(x1, y1, x2, y2, color);
    }
    void doEvents() override
    {
        ++eventPasses;
        if (auto nested = std::exchange(duringEvents, nullptr))
            nested();
    }
};

} // namespace

class TestProgressBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ProgressBar::moduleState() = State {}; }

    // Each start follows one with blocks of 6 and a gap of 1, inside a caller
    // whose own failure is pending: a setting that does not fit 16 bits keeps
    // that start's value, and nothing reaches the caller.
    void geometry_data()
    {
        // blocks, gap, widthPx, maximum, mode, expected (gap, top, bottom, width, last block,
        // maximum kept), colour
        QTest::addColumn<Geometry>("row");

        const QRgb navy = ProgressBar::kNavy, maroon = ProgressBar::kMaroon;
        // clang-format off
        QTest::newRow("ten blocks share the width") << Geometry{"-10", "1", 155, 100, "lad", QList<int>{15, 30, 225, 210, 9, 100}, navy};
        QTest::newRow("settings read by their leading number; maximum 0 becomes 1") << Geometry{" 6 px", "1px", 155, 0, "lad", QList<int>{15, 30, 225, 90, 21, 1}, navy};
        QTest::newRow("no gap; a negative maximum stays") << Geometry{"6", "", 155, -5, "LAD", QList<int>{0, 30, 225, 90, 24, -5}, navy};
        QTest::newRow("three blocks snap to whole pixels; saving") << Geometry{"-3", "2", 100, 7, "Sav", QList<int>{30, 30, 225, 450, 2, 7}, maroon};
        QTest::newRow("block setting 0: zero-width blocks, count from the gap; no mode") << Geometry{"0", "1", 155, 7, "", QList<int>{15, 30, 225, 0, 153, 7}, ProgressBar::kLightYellow};
        QTest::newRow("gap beyond 16 bits keeps the gap") << Geometry{"8", "3000", 155, 50, "sav", QList<int>{15, 30, 225, 120, 16, 50}, maroon};
        QTest::newRow("block width beyond 16 bits keeps the width") << Geometry{"3000", "1", 155, 50, "sav", QList<int>{15, 30, 225, 90, 21, 50}, maroon};
        QTest::newRow("block count beyond 16 bits keeps the count") << Geometry{"-40000", "1", 155, 50, "sav", QList<int>{15, 30, 225, 90, 21, 50}, maroon};
        QTest::newRow("fit sums beyond 16 bits end the fitting loops") << Geometry{"6", "1000", 155, 50, "sav", QList<int>{15000, 30, 225, 90, 26, 50}, maroon};
        // clang-format on
    }

    void geometry()
    {
        QFETCH(Geometry, row);
        const auto &[blocks, gap, widthPx, maximum, mode, expected, colour] = row;
        Meter meter("6", "1", widthPx);
        InitMeter(meter, 100, "lad");
        meter.frame->Tag = blocks;
        meter.area->Tag = gap;
        StepRunner caller;
        caller.step([] { fail(FailureCode::TypeMismatch, "the caller's own failure"); });
        caller.step([&] { InitMeter(meter, std::int16_t(maximum), mode); });
        QCOMPARE(caller.pending()->code(), FailureCode::TypeMismatch);
        const State &m = ProgressBar::moduleState();
        QCOMPARE((QList<int> { m.BlockGap, m.BlockTop, m.BlockBottom, m.BlockWidth, m.LastBlock,
                     m.MeterMax }),
            expected);
        QCOMPARE(m.MeterColor, colour);
        QCOMPARE(m.LastDrawn, std::int16_t(0));
        // The plain frame gives the inner area all of its room; the frame shows.
        QCOMPARE(meter.area->geometry(), QRect(0, 0, widthPx, 19));
        QVERIFY(meter.frame->isVisibleTo(&meter.window));
        QCOMPARE(meter.eventPasses, 2); // one for each start
        // The fitted blocks, each followed by a gap, fit behind a leading gap
        // where their sums stay within 16 bits.
        if (m.BlockWidth > 0 && (m.BlockWidth + m.BlockGap) * (m.LastBlock + 1) <= 32767)
            QVERIFY(m.BlockGap + (m.BlockWidth + m.BlockGap) * (m.LastBlock + 1) <= widthPx * 15);
    }

    void updates_data()
    {
        // maximum of the start (0: no start), values (successive updates), drawn (blocks
        // showing afterwards), lastDrawn, fills (blocks drawn in all, redrawn ones included),
        // the failure the caller gets (-1: none)
        QTest::addColumn<Updates>("row");

        // clang-format off
        QTest::newRow("0 right after a start draws block 0") << Updates{100, QList<int>{0}, QList<int>{0}, 0, 1, -1};
        QTest::newRow("value equal to the maximum: all blocks") << Updates{100, QList<int>{100}, blockRange(0, 21), 21, 22, -1};
        QTest::newRow("value above the maximum draws nothing") << Updates{100, QList<int>{200}, QList<int>{}, 0, 0, -1};
        QTest::newRow("the same value twice draws once") << Updates{100, QList<int>{50, 50}, blockRange(0, 10), 10, 11, -1};
        QTest::newRow("0 twice draws block 0 twice") << Updates{100, QList<int>{0, 0}, QList<int>{0}, 0, 2, -1};
        QTest::newRow("growing redraws the block reached last") << Updates{100, QList<int>{50, 80}, blockRange(0, 16), 16, 11 + 7, -1};
        QTest::newRow("falling erases nothing") << Updates{100, QList<int>{50, 20}, blockRange(0, 10), 4, 11, -1};
        QTest::newRow("after falling, rising redraws from there") << Updates{100, QList<int>{50, 20, 30}, blockRange(0, 10), 6, 11 + 3, -1};
        QTest::newRow("negative value lowers the block reached") << Updates{100, QList<int>{50, -10}, blockRange(0, 10), -2, 11, -1};
        QTest::newRow("no start yet: the maximum is 0") << Updates{0, QList<int>{5}, QList<int>{}, 0, 0, int(FailureCode::DivisionByZero)};
        QTest::newRow("200000000 x 21 leaves 32 bits") << Updates{100, QList<int>{200000000}, QList<int>{}, 0, 0, int(FailureCode::Overflow)};
        // clang-format on
    }

    void updates()
    {
        QFETCH(Updates, row);
        const auto &[maximum, values, drawn, lastDrawn, fills, failure] = row;
        Meter meter("6");
        if (maximum > 0)
            InitMeter(meter, std::int16_t(maximum), "lad");
        StepRunner caller; // an update's failures go to its caller
        for (int value : values)
            caller.step([&] { UpdateMeter(meter, value); });
        QCOMPARE(caller.pending() ? int(caller.pending()->code()) : -1, failure);
        QCOMPARE(drawnMeterBlocks(*meter.area), drawn);
        QCOMPARE(int(ProgressBar::moduleState().LastDrawn), lastDrawn);
        QCOMPARE(meter.fills, fills);
    }

    void drawingPersistsUntilTheNextStart()
    {
        Meter meter("-10");
        meter.window.resize(200, 40);
        meter.window.show();
        meter.frame->show();
        InitMeter(meter, 10, "sav");
        UpdateMeter(meter, 10);
        QCOMPARE(drawnMeterBlocks(*meter.area, ProgressBar::kMaroon), blockRange(0, 9));
        meter.area->hide();
        meter.area->repaint();
        meter.area->show();
        QCOMPARE(drawnMeterBlocks(*meter.area, ProgressBar::kMaroon), blockRange(0, 9));
        const QImage onScreen = meter.area->grab().toImage();
        // Block 0 covers pixels 1 to 14; the gap after it shows the background.
        QCOMPARE(onScreen.pixel(1 + 7, 8), ProgressBar::kMaroon);
        QCOMPARE(onScreen.pixel(15, 8), meter.area->palette().color(QPalette::Window).rgb());

        InitMeter(meter, 10, "lad");
        QCOMPARE(drawnMeterBlocks(*meter.area, ProgressBar::kMaroon), QList<int> {});
    }

    void aCallInsideTheEventPassChangesTheSharedState()
    {
        Meter meter("6");
        InitMeter(meter, 100, "lad");
        // A further progress report arrives while the update lets events run.
        meter.duringEvents = [&] {
            InitMeter(meter, 10, "lad");
            UpdateMeter(meter, 10);
        };
        UpdateMeter(meter, 50);
        const State &m = ProgressBar::moduleState();
        // The outer update had stored its block before it let events run, so
        // the nested start and update decide the state.
        QCOMPARE(m.MeterMax, std::int16_t(10));
        QCOMPARE(m.LastDrawn, std::int16_t(21));
        QCOMPARE(drawnMeterBlocks(*meter.area), blockRange(0, 21));
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
