// SPDX-License-Identifier: MIT
#include "FakePlacementWindow.h"
#include "MemorySettingsStore.h"
#include "modules/SettingsStore.h"
#include "modules/modDeclare.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orv;
using namespace orv::test;
using Load = std::tuple<QStringList, float, QString, bool>;

const QString kCaption = QStringLiteral("Harlund Webbrowser... Kategorie: Download");
const QStringList kKeys { "left", "top", "width", "height", "windowstate" };

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data()
    {
        // left, top, width, height, windowstate; "<none>" = missing
        // stored, windowWidth, expected (left,top,width,height,state after the load), fails
        QTest::addColumn<Load>("row");

        const QString none = QStringLiteral("<none>");
        // clang-format off
        QTest::newRow("nothing stored: maximised") << Load{QStringList{none, none, none, none, none}, 10440.0f, "100,200,10440,4980,2", false};
        QTest::newRow("normal, left empty: centred") << Load{QStringList{"", "720", "", "", "0"}, 10440.0f, "4380,720,10440,4980,0", false};
        QTest::newRow("normal, wider than the screen by 15: left -7") << Load{QStringList{"", "0", "", "", "0"}, 19215.0f, "-7,0,19215,4980,0", false};
        QTest::newRow("normal, centred for the old size, then resized") << Load{QStringList{" ", " ", "1000", "", "0"}, 10440.0f, "4380,4710,1000,4980,0", false};
        QTest::newRow("normal, values round half even") << Load{QStringList{"2.5", "3.5", "9000.5", "6000", "0"}, 10440.0f, "2,4,9000,6000,0", false};
        QTest::newRow("left not a number: nothing applied") << Load{QStringList{"links", "720", "9000", "6000", "0"}, 10440.0f, "100,200,10440,4980,0", true};
        QTest::newRow("width not a number: left and top stay applied") << Load{QStringList{"1", "2", "breit", "6000", "0"}, 10440.0f, "1,2,10440,4980,0", true};
        QTest::newRow("left beyond 32 bits fails") << Load{QStringList{"3000000000", "2", "3", "4", "0"}, 10440.0f, "100,200,10440,4980,0", true};
        QTest::newRow("state blank: nothing applied") << Load{QStringList{"1", "2", "3", "4", "  "}, 10440.0f, "100,200,10440,4980,0", false};
        QTest::newRow("state 2: maximised, size ignored") << Load{QStringList{"1", "2", "3", "4", "2"}, 10440.0f, "100,200,10440,4980,2", false};
        QTest::newRow("state with blanks and fraction") << Load{QStringList{"1", "2", "3", "4", " 1.5 "}, 10440.0f, "100,200,10440,4980,2", false};
        QTest::newRow("state 3: nothing applied") << Load{QStringList{"1", "2", "3", "4", "3"}, 10440.0f, "100,200,10440,4980,0", false};
        QTest::newRow("state not a number fails") << Load{QStringList{"1", "2", "3", "4", "max"}, 10440.0f, "100,200,10440,4980,0", true};
        // clang-format on
    }

    void load()
    {
        QFETCH(Load, row);
        const auto &[stored, windowWidth, expected, fails] = row;
        MemorySettingsStore store;
        for (int i = 0; i < kKeys.size(); ++i)
            if (stored.at(i) != QStringLiteral("<none>"))
                store.set(kCaption, kKeys.at(i), stored.at(i));
        FakePlacementWindow window;
        window.m_width = windowWidth;
        if (fails)
            QVERIFY_THROWS_EXCEPTION(Failure, LoadWindowPlacement(window, store));
        else
            LoadWindowPlacement(window, store); // an unexpected failure fails the test
        QCOMPARE(QString::asprintf("%g,%g,%g,%g,%d", window.m_left, window.m_top, window.m_width,
                     window.m_height, window.m_state),
            expected);
    }

    // Five keys under the caption; a failing write fails the save.
    void saveWritesFiveKeysUnderTheCaption()
    {
        MemorySettingsStore store, failing;
        FakePlacementWindow window;
        window.m_left = -120.0f;
        window.m_state = PlacementWindow::Maximized;
        SaveWindowPlacement(window, store);
        const QStringList values { "-120", "200", "10440", "4980", "2" };
        for (int i = 0; i < kKeys.size(); ++i)
            QCOMPARE(store.value(kCaption, kKeys.at(i)), values.at(i));
        failing.failFromWrite = 2;
        QVERIFY_THROWS_EXCEPTION(Failure, SaveWindowPlacement(window, failing));
        QCOMPARE(failing.values.size(), 2);
    }

    void qsettingsStoreRoundTrip()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("OrvelBrowser.ini");
        const QString odd = QStringLiteral("Harlund Webbrowser... Kategorie: a/b\\c %41 Grüße");
        {
            QSettingsStore store(file);
            store.SaveSetting("OrvelBrowser", odd, "left", "1440");
            store.SaveSetting("OrvelBrowser", kCaption, "left", "15");
        }
        QSettingsStore reopened(file);
        QCOMPARE(reopened.GetSetting("OrvelBrowser", odd, "left", "x"), "1440");
        QCOMPARE(reopened.GetSetting("OrvelBrowser", kCaption, "left", "x"), "15");
        QCOMPARE(reopened.GetSetting("OrvelBrowser", odd, "top", "dflt"), "dflt");
        QCOMPARE(reopened.GetSetting("Other", odd, "left", "none"), "none");

        // Hand-edited values that the file's reader would turn into a list or
        // a typed value still fail as texts that are not one number.
        for (const QByteArray edited : { "=1,2\n", "=@Rect(1 2 3 4)\n" }) {
            QSettingsStore(file).SaveSetting("OrvelBrowser", kCaption, "left", "EDIT");
            QSettingsStore(file).SaveSetting("OrvelBrowser", kCaption, "windowstate", "0");
            QFile raw(file);
            QVERIFY(raw.open(QIODevice::ReadWrite));
            const QByteArray text = raw.readAll().replace("=EDIT\n", edited);
            raw.resize(0);
            raw.write(text);
            raw.close();
            QSettingsStore store(file);
            FakePlacementWindow window;
            QVERIFY_THROWS_EXCEPTION(Failure, LoadWindowPlacement(window, store));
            QCOMPARE(window.m_left, 100.0f);
        }

        // A file where the store's folder should be: no write can succeed, even as root.
        QFile blocker(dir.filePath("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettingsStore blocked(dir.filePath("blocked/OrvelBrowser.ini"));
        QVERIFY_THROWS_EXCEPTION(
            Failure, blocked.SaveSetting("OrvelBrowser", kCaption, "left", "1"));
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
