// SPDX-License-Identifier: MIT
#include "components/EngineSetup.h"

#include <QTest>

using namespace orv;

class TestEngineSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<bool>("renderNode");
        QTest::addColumn<QByteArray>("override");
        QTest::addColumn<QByteArray>("userFlags");
        QTest::addColumn<bool>("software");
        QTest::addColumn<QByteArray>("flags");

        // clang-format off
        QTest::newRow("GPU: engine defaults") << true << QByteArray() << QByteArray() << false << QByteArray();
        QTest::newRow("GPU: the user's flags stay") << true << QByteArray() << QByteArray("--foo") << false << QByteArray("--foo");
        QTest::newRow("no GPU: software") << false << QByteArray() << QByteArray() << true << QByteArray("--disable-gpu");
        QTest::newRow("no GPU: added to the user's flags") << false << QByteArray() << QByteArray("--foo") << true << QByteArray("--foo --disable-gpu");
        QTest::newRow("no GPU: not twice") << false << QByteArray() << QByteArray("--disable-gpu --foo") << true << QByteArray("--disable-gpu --foo");
        QTest::newRow("forced software") << true << QByteArray("0") << QByteArray() << true << QByteArray("--disable-gpu");
        QTest::newRow("forced GPU") << false << QByteArray("1") << QByteArray() << false << QByteArray();
        QTest::newRow("unknown override is ignored") << false << QByteArray("yes") << QByteArray() << true << QByteArray("--disable-gpu");
        // clang-format on
    }

    void choice()
    {
        QFETCH(bool, renderNode);
        QFETCH(QByteArray, override);
        QFETCH(QByteArray, userFlags);
        QFETCH(bool, software);
        QFETCH(QByteArray, flags);
        const EngineSetup setup = chooseEngineSetup(renderNode, override, userFlags);
        QCOMPARE(setup.softwareRendering, software);
        QCOMPARE(setup.chromiumFlags, flags);
    }

    void leanFlagsJoinTheUsersOnce()
    {
        const QByteArray lean = withLeanProcessFlags(QByteArray());
        QVERIFY(!lean.isEmpty());
        QCOMPARE(withLeanProcessFlags(lean), lean);
        QCOMPARE(withLeanProcessFlags("--foo"), "--foo " + lean);
    }
};

QTEST_APPLESS_MAIN(TestEngineSetup)
#include "tst_enginesetup.moc"
