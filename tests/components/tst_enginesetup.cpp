// SPDX-License-Identifier: MIT
#include "components/qt/EngineSetup.h"
#include "components/qt/Translations.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;
using Choice = std::tuple<bool, QByteArray, QByteArray, bool, QByteArray>;
using Catalogs = std::tuple<bool, QStringList, QString>;

class TestEngineSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data()
    {
        // renderNode, override, userFlags, software, flags
        QTest::addColumn<Choice>("row");

        // clang-format off
        QTest::newRow("GPU: engine defaults") << Choice{true, QByteArray(), QByteArray(), false, QByteArray()};
        QTest::newRow("GPU: the user's flags stay") << Choice{true, QByteArray(), QByteArray("--foo"), false, QByteArray("--foo")};
        QTest::newRow("no GPU: software") << Choice{false, QByteArray(), QByteArray(), true, QByteArray("--disable-gpu")};
        QTest::newRow("no GPU: added to the user's flags") << Choice{false, QByteArray(), QByteArray("--foo"), true, QByteArray("--foo --disable-gpu")};
        QTest::newRow("no GPU: not twice") << Choice{false, QByteArray(), QByteArray("--disable-gpu --foo"), true, QByteArray("--disable-gpu --foo")};
        QTest::newRow("forced software") << Choice{true, QByteArray("0"), QByteArray(), true, QByteArray("--disable-gpu")};
        QTest::newRow("forced GPU") << Choice{false, QByteArray("1"), QByteArray(), false, QByteArray()};
        QTest::newRow("unknown override is ignored") << Choice{false, QByteArray("yes"), QByteArray(), true, QByteArray("--disable-gpu")};
        // clang-format on
    }

    void choice()
    {
        QFETCH(Choice, row);
        const auto &[renderNode, override, userFlags, software, flags] = row;
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
        // A switch the user set keeps the user's value.
        const QByteArray own = lean.split(' ').first().split('=').first() + "=user";
        QCOMPARE(withLeanProcessFlags(own).count(lean.split(' ').first().split('=').first()), 1);
    }

    void relativeXdgPathsAreIgnored()
    {
        qputenv("XDG_CONFIG_HOME", "conf");
        qputenv("XDG_DATA_HOME", "/home/u/data");
        qputenv("XDG_CACHE_HOME", "./cache");
        ignoreRelativeXdgPaths();
        QVERIFY(!qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
        QCOMPARE(qgetenv("XDG_DATA_HOME"), "/home/u/data");
        QVERIFY(!qEnvironmentVariableIsSet("XDG_CACHE_HOME"));
    }

    // Qt's own dialogs speak German once the system's catalogs are in;
    // without catalogs they stay English.
    void qtTextsInGerman_data()
    {
        // the system's catalogs or none, catalogs found, Qt's "Cancel"
        QTest::addColumn<Catalogs>("row");
        QTest::newRow("system catalogs") << Catalogs { true, { "qt", "qtwebengine" }, "Abbrechen" };
        QTest::newRow("none") << Catalogs { false, {}, "Cancel" };
    }

    void qtTextsInGerman()
    {
        QFETCH(Catalogs, row);
        const auto &[catalogs, found, cancel] = row;
        int argc = 1;
        char name[] = "tst_enginesetup";
        char *argv[] = { name, nullptr };
        QCoreApplication application(argc, argv);
        const QTemporaryDir empty;
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(
            catalogs ? installQtTranslations(german) : installQtTranslations(german, empty.path()),
            found);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    }
};

QTEST_APPLESS_MAIN(TestEngineSetup)
#include "tst_enginesetup.moc"
