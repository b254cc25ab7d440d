// SPDX-License-Identifier: MIT
// The Qt adapters under the utility class, on real widgets of the offscreen
// platform: a combo box resized and its list widened, file icons drawn into a
// picture box, and a transparent copy between two picture boxes.
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/QtControls.h"
#include "sysutil/orvClassWindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace orv;
using namespace orv::platform;
using namespace orv::platform::posix;

namespace {

// The points of the picture that differ from its background.
int drawnPixels(const QImage &image, QColor background)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != background.rgb() ? 1 : 0;
    }
    return count;
}

} // namespace

class TestQtControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(100, 80, 400, 300);
        m_combo = new QComboBox(m_window.get());
        m_combo->setGeometry(10, 20, 120, 24);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void comboBoxHeight()
    {
        PosixPlatform platform("");
        orvClassWindows object(platform);
        QtForm form(*m_window);
        QtComboBox combo(*m_combo, form);
        object.SetComboBoxHeight(combo, 150);
        // Place and width stay; the height is the one asked for.
        QCOMPARE(m_combo->geometry(), QRect(10, 20, 120, 150));
    }

    void comboListWidth_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("scaleMode");
        QTest::addColumn<double>("fixWidth");
        QTest::addColumn<int>("expected"); // -1: the longest entry's width decides
        // clang-format off
        QTest::newRow("fixed pixels, half down to even") << 0 << 3 << 100.5 << 100;
        QTest::newRow("fixed pixels, half up to even")   << 0 << 3 << 101.5 << 102;
        QTest::newRow("fixed inches")                    << 0 << 5 << 2.0   << 192;
        QTest::newRow("fixed twips")                     << 0 << 1 << 1500.0 << 100;
        QTest::newRow("eight entries: margin only")      << 8 << 3 << -1.0  << -1;
        QTest::newRow("nine entries: and a scroll bar")  << 9 << 3 << -1.0  << -1;
        QTest::newRow("nine entries, form in twips")     << 9 << 1 << -1.0  << -1;
        // clang-format on
    }
    void comboListWidth()
    {
        QFETCH(int, entries);
        QFETCH(int, scaleMode);
        QFETCH(double, fixWidth);
        QFETCH(int, expected);
        QCOMPARE(m_window->logicalDpiX(), 96); // the rows' pixel numbers assume it
        for (int i = 0; i < entries; ++i)
            m_combo->addItem(QString(i + 1, QLatin1Char('W')));
        PosixPlatform platform("");
        orvClassWindows object(platform);
        QtForm form(*m_window, scaleMode);
        QtComboBox combo(*m_combo, form);
        if (fixWidth >= 0) {
            object.ComboSetListWidth(combo, fixWidth, scaleMode);
        } else {
            object.ComboSetListWidth(combo);
            // Measured in the form's font: the last entry is the longest.
            const double longest
                = QFontMetricsF(m_window->font()).horizontalAdvance(m_combo->itemText(entries - 1));
            expected = int(std::nearbyint(longest + 5 + (entries > 8 ? 15 : 0)));
        }
        QCOMPARE(m_combo->view()->minimumWidth(), expected);
    }

    void fileIcons()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("notes.txt"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("x");
        out.close();
        QLabel label(m_window.get());
        label.setGeometry(150, 20, 40, 40);
        PosixPlatform platform("");
        orvClassWindows object(platform);
        QtPictureBox picture(label);
        std::wstring name = file.toStdWString();

        object.GetFileIcon(picture, name);
        QVERIFY(drawnPixels(label.pixmap().toImage(), picture.background()) > 0);

        std::wstring names;
        QVERIFY(object.GetFileIconEx(picture, name, false, &names));
        const QImage small = label.pixmap().toImage();
        QVERIFY(drawnPixels(small, picture.background()) > 0);
        // The small icon stays in its 16 by 16 corner.
        QCOMPARE(drawnPixels(small.copy(16, 0, 24, 40), picture.background()), 0);
        QVERIFY(names.starts_with(L"notes.txt|"));

        // A missing file: the picture is cleared and stays empty.
        std::wstring missing = dir.filePath(QStringLiteral("missing.txt")).toStdWString();
        QVERIFY(!object.GetFileIconEx(picture, missing));
        QCOMPARE(drawnPixels(label.pixmap().toImage(), picture.background()), 0);
    }

    void transparentCopy()
    {
        QLabel sourceLabel(m_window.get());
        sourceLabel.setGeometry(0, 100, 4, 4);
        QLabel targetLabel(m_window.get());
        targetLabel.setGeometry(0, 120, 6, 6);
        QtPictureBox source(sourceLabel);
        QtPictureBox target(targetLabel);
        // Source: a red point on green, the transparent colour; target: blue.
        source.surface().fill(QColor(0, 255, 0));
        source.surface().setPixel(1, 1, qRgb(255, 0, 0));
        target.surface().fill(QColor(0, 0, 255));
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::int32_t out = target.hDC(), dst = target.hDC(), src = source.hDC();
        std::int32_t x = 0, y = 0, xx = 3, yy = 3, colour = 0x00FF00;
        object.TranspPic(out, dst, src, x, y, xx, yy, 2, 1, colour);
        target.PictureFromImage();
        const QImage shown = targetLabel.pixmap().toImage();
        QCOMPARE(shown.pixel(3, 2), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(2, 1), qRgb(0, 0, 255));
        QCOMPARE(shown.pixel(4, 3), qRgb(0, 0, 255));
    }

private:
    std::unique_ptr<QWidget> m_window;
    QComboBox *m_combo = nullptr;
};

QTEST_MAIN(TestQtControls)
#include "tst_qtcontrols.moc"
