// SPDX-License-Identifier: MIT
#include "browser/AddressHistory.h"

#include <QStringListModel>
#include <QTest>

using namespace orv;

class TestAddressHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");

        // clang-format off
        QTest::newRow("www") << "www.harlund.test" << "http://www.harlund.test";
        QTest::newRow("WWW upper case") << "WWW.HARLUND.TEST" << "http://WWW.HARLUND.TEST";
        QTest::newRow("four letters") << "wwwx" << "http://wwwx";
        QTest::newRow("too short") << "ww" << "ww";
        QTest::newRow("with scheme") << "http://www.x" << "http://www.x";
        QTest::newRow("leading blank") << " www.x" << " www.x";
        QTest::newRow("empty") << "" << "";
        // clang-format on
    }

    void completion()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(AddressHistory::completed(typed), kept);
    }

    void pick_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("after");

        // clang-format off
        QTest::newRow("last to front") << 2 << QStringList{"A", "C", "B"};
        QTest::newRow("middle to front") << 1 << QStringList{"B", "C", "A"};
        QTest::newRow("front stays") << 0 << QStringList{"C", "B", "A"};
        // clang-format on
    }

    void pick()
    {
        QFETCH(int, index);
        QFETCH(QStringList, after);
        QStringListModel model(QStringList { "C", "B", "A" });
        AddressHistory addresses(&model);
        QCOMPARE(addresses.moveToFront(index), after.first());
        QCOMPARE(addresses.entries(), after);
    }
};

QTEST_GUILESS_MAIN(TestAddressHistory)
#include "tst_addresshistory.moc"
