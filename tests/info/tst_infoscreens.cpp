// SPDX-License-Identifier: MIT
// Screenshots of the Info window on each page, taken from a real X server and
// kept for people to look at; the main colours are checked where they belong.

#include "FakePlatform.h"
#include "components/qt/SSPanel.h"
#include "info/qt/frmInfoFenster.h"

#include <QDir>
#include <QScreen>
#include <QTest>

using namespace orv;
using Shot = std::tuple<QString, QString, QString, QString>;

const QRgb kDarkRed = qRgb(139, 3, 4);
const QRgb kDarkBlue = qRgb(0, 85, 143);
const QRgb kWhite = qRgb(255, 255, 255);

class TestInfoScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screenshots_data()
    {
        // panel clicked, file, selected page, selected country
        QTest::addColumn<Shot>("row");

        // clang-format off
        QTest::newRow("Kontakt, Österreich") << Shot{"", "info-kontakt-oesterreich.png", "pnlKontakt", "pnlÖsterreich"};
        QTest::newRow("Kontakt, Deutschland") << Shot{"pnlDeutschland", "info-kontakt-deutschland.png", "pnlKontakt", "pnlDeutschland"};
        QTest::newRow("Vertrieb") << Shot{"pnlVertrieb", "info-vertrieb.png", "pnlVertrieb", ""};
        QTest::newRow("Autoren") << Shot{"pnlAutoren", "info-autoren.png", "pnlAutoren", ""};
        // clang-format on
    }

    void screenshots()
    {
        QFETCH(Shot, row);
        const auto &[clicks, file, selectedPage, selectedCountry] = row;
        test::FakePlatform platform;
        frmInfoFenster w({ "www.harlund.example", &platform, 1, 6, 0, {} });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (!clicks.isEmpty()) {
            auto *panel = w.findChild<SSPanel *>(clicks);
            Q_EMIT panel->MouseEnter();
            QTest::mouseClick(panel, Qt::LeftButton);
            Q_EMIT panel->MouseLeave();
        }
        QTest::qWait(200);
        const QImage shot
            = w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), w.size());

        QDir().mkpath(QStringLiteral(ORVEL_SCREENSHOT_DIR));
        QVERIFY(shot.save(QStringLiteral(ORVEL_SCREENSHOT_DIR) + "/" + file));

        // Dark red around the pages, the white navigation bar, the dark blue
        // selected page (and country), dark red behind the page text.
        QCOMPARE(shot.pixel(4, 390), kDarkRed);
        QCOMPARE(shot.pixel(2, w.frameNavi->mapTo(&w, w.frameNavi->rect().center()).y()), kWhite);
        for (const QString &selected : { selectedPage, selectedCountry }) {
            if (!selected.isEmpty())
                QCOMPARE(shot.pixel(w.findChild<SSPanel *>(selected)->mapTo(&w, QPoint(3, 3))),
                    kDarkBlue);
        }
        QCOMPARE(shot.pixel(w.frameKontakt->mapTo(&w, QPoint(1, w.frameKontakt->height() - 2))),
            kDarkRed);
    }
};

QTEST_MAIN(TestInfoScreens)
#include "tst_infoscreens.moc"
