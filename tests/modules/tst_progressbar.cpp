// SPDX-License-Identifier: MIT
// The meter on two picture areas of a window: blocks land on the pixels the
// algorithm names and stay through repaints and hiding until the next start.
#include "MeterProbe.h"
#include "components/PictureBox.h"
#include "modules/qt/PictureMeterHost.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

class TestProgressBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawingPersistsUntilTheNextStart()
    {
        ProgressBar::moduleState() = {};
        PictureBox window;
        auto *frame = new PictureBox(&window);
        auto *area = new PictureBox(frame);
        frame->setGeometry(0, 0, 155, 19);
        frame->Tag = "-10";
        area->Tag = "1";
        PictureMeterHost meter(frame, area);
        window.resize(200, 40);
        window.show();
        InitMeter(meter, 10, "sav");
        QCOMPARE(area->geometry(), QRect(0, 0, 155, 19)); // the whole frame
        UpdateMeter(meter, 10);
        const QRgb maroon = qRgb(128, 0, 0);
        QCOMPARE(drawnMeterBlocks(*area, maroon), blockRange(0, 9));
        area->hide();
        area->repaint();
        area->show();
        QCOMPARE(drawnMeterBlocks(*area, maroon), blockRange(0, 9));
        const QImage onScreen = area->grab().toImage();
        // Block 0 covers pixels 1 to 14; the gap after it shows the background.
        QCOMPARE(onScreen.pixel(1 + 7, 8), maroon);
        QCOMPARE(onScreen.pixel(15, 8), area->palette().color(QPalette::Window).rgb());

        InitMeter(meter, 10, "lad");
        QCOMPARE(drawnMeterBlocks(*area, maroon), QList<int> {});
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
