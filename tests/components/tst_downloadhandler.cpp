// SPDX-License-Identifier: MIT
// Where downloads are saved, and that no ending leaves a partial file.
#include "components/qt/DownloadHandler.h"
#include "components/qt/DownloadRouter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;
using State = DownloadEntry::State;
using Destination = std::tuple<QStringList, QString, QString, QString>;

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestDownloadHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The files there, what the server or the user names, where it goes
    // ("?" in the picker's answer: the user chose nothing).
    void destination_data()
    {
        QTest::addColumn<Destination>("row");
        // clang-format off
        QTest::newRow("free name") << Destination{QStringList {}, "setup.exe", "", "Downloads/setup.exe"};
        QTest::newRow("taken twice") << Destination{QStringList { "Downloads/setup.exe", "Downloads/setup (1).exe" }, "setup.exe", "", "Downloads/setup (2).exe"};
        QTest::newRow("two suffixes") << Destination{QStringList { "Downloads/a.tar.gz" }, "a.tar.gz", "", "Downloads/a.tar (1).gz"};
        QTest::newRow("no suffix") << Destination{QStringList { "Downloads/README" }, "README", "", "Downloads/README (1)"};
        QTest::newRow("dot file") << Destination{QStringList { "Downloads/.profile" }, ".profile", "", "Downloads/.profile (1)"};
        QTest::newRow("no name") << Destination{QStringList { "Downloads/download" }, "", "", "Downloads/download (1)"};
        QTest::newRow("picture placed") << Destination{QStringList {}, "bild.png", "Bilder/logo.png", "Bilder/logo.png"};
        QTest::newRow("picked file kept") << Destination{QStringList { "Bilder/logo.png" }, "bild.png", "Bilder/logo.png", "Bilder/logo (1).png"};
        QTest::newRow("picture nowhere") << Destination{QStringList {}, "bild.png", "?", ""};
        // clang-format on
    }

    void destination()
    {
        QFETCH(Destination, row);
        const auto &[existing, suggested, picked, saved] = row;
        const QTemporaryDir home;
        for (const QString &file : existing)
            touch(home.filePath(file));
        QString offered;
        DownloadHandler handler(home.filePath("Downloads"), [&](const QString &path) {
            offered = path;
            return picked == "?" ? QString() : home.filePath(picked);
        });
        if (!picked.isEmpty())
            handler.askWhereNext();
        QCOMPARE(handler.destination(suggested), saved.isEmpty() ? "" : home.filePath(saved));
        // The picker offers the free name in the download folder, and only once.
        QCOMPARE(offered, picked.isEmpty() ? "" : home.filePath("Downloads/" + suggested));
        QCOMPARE(handler.destination("x.bin"), home.filePath("Downloads/x.bin"));
    }

    // Windows on one profile, oldest first: "expected when/active" each; the
    // window that gets a new download.
    void owner_data()
    {
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<int>("owner");
        QTest::newRow("none") << QStringList {} << -1;
        QTest::newRow("nobody expected it: the active one")
            << QStringList { "0/0", "0/1", "0/0" } << 1;
        QTest::newRow("nobody expected it, none active: the newest")
            << QStringList { "0/0", "0/0" } << 1;
        QTest::newRow("expected beats active") << QStringList { "3/0", "0/1" } << 0;
        QTest::newRow("the latest expectation wins") << QStringList { "3/1", "7/0", "5/0" } << 1;
    }

    void owner()
    {
        QFETCH(QStringList, windows);
        QFETCH(int, owner);
        QList<DownloadClaim> claims;
        for (const QString &window : windows)
            claims.append({ window.section('/', 0, 0).toULongLong(), window.endsWith("/1") });
        QCOMPARE(chooseDownloadOwner(claims), owner);
    }

    // The engine asks about a download again only to start a broken
    // transfer over; it counts as one of that window's.
    void expectations()
    {
        DownloadHandler first(QString(), {}), second(QString(), {});
        const QUrl file("http://a.test/x.bin");
        QCOMPARE(first.expectation(file), 0u);
        first.expect(file);
        second.expect(file);
        QVERIFY(second.expectation(file) > first.expectation(file));
        first.expect(file); // again: now the latest
        QVERIFY(first.expectation(file) > second.expectation(file));
        for (int i = 0; i < 16; ++i)
            first.expect(QUrl(QString("http://a.test/%1").arg(i)));
        QCOMPARE(first.expectation(file), 0u); // long ago: forgotten
    }

    void endings_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("status");
        // clang-format off
        QTest::newRow("done") << int(State::Done) << "Download abgeschlossen: %1";
        QTest::newRow("cancelled") << int(State::Cancelled) << "Download abgebrochen: a.bin";
        QTest::newRow("failed") << int(State::Failed) << "Download fehlgeschlagen: a.bin (Netz weg)";
        QTest::newRow("cancelled from the list") << -1 << "Download abgebrochen: a.bin";
        // clang-format on
    }

    void endings()
    {
        QFETCH(int, outcome);
        QFETCH(QString, status);
        const bool kept = outcome == int(State::Done);
        const QTemporaryDir folder;
        const QString path = folder.filePath("a.bin");
        DownloadHandler handler(folder.path(), {});
        QSignalSpy said(&handler, &DownloadHandler::statusText);
        bool stopped = false;
        const int id = handler.follow(path, [&] { stopped = true; });
        // A finished file, or half ones under the engine's name and the final one.
        touch(kept ? path : path + ".download");
        if (!kept)
            touch(path);
        handler.progress(id, 25, 200);
        QCOMPARE(said.first().at(0).toString(), "Download gestartet: a.bin");
        QCOMPARE(said.last().at(0).toString(), "Download läuft: a.bin (12 %)");
        if (outcome < 0) { // gone at once, before the engine confirms
            handler.list()->cancel(id);
            QVERIFY(stopped && !QFile::exists(path) && !QFile::exists(path + ".download"));
            outcome = int(State::Cancelled);
        }
        handler.end(id, State(outcome), "Netz weg");
        handler.progress(id, 200, 200); // a late report changes nothing
        QCOMPARE(said.last().at(0).toString(), status.replace("%1", path));
        QCOMPARE(int(handler.list()->entries().value(0).state), outcome);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            kept ? QStringList { "a.bin" } : QStringList {});
    }
};

QTEST_GUILESS_MAIN(TestDownloadHandler)
#include "tst_downloadhandler.moc"
