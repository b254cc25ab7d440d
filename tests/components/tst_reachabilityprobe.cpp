// SPDX-License-Identifier: MIT
// Waiting for a host to answer again, against a server on this computer.
#include "components/qt/ReachabilityProbe.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace orv;

namespace {

// Answers every request with its answer: nothing at all when empty, and
// hangs up when it is "hang up".
class Host : public QTcpServer
{
public:
    explicit Host(const QByteArray &answer) : answer(answer)
    {
        clock.start();
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    asked.append(clock.elapsed());
                    socket->readAll();
                    if (this->answer == "hang up")
                        socket->disconnectFromHost();
                    else
                        socket->write(this->answer);
                });
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/a").arg(serverPort())); }

    QByteArray answer;
    QElapsedTimer clock;
    QList<qint64> asked; // ms after the clock's start
};

} // namespace

class TestReachabilityProbe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the host says; "hang up" and "gone" are no answer either.
    void anyHttpAnswerCounts_data()
    {
        QTest::addColumn<QByteArray>("answer");
        // clang-format off
        QTest::newRow("page") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        QTest::newRow("server error") << QByteArray("HTTP/1.1 503 Busy\r\nContent-Length: 0\r\n\r\n");
        QTest::newRow("login wanted") << QByteArray("HTTP/1.1 401 No\r\nWWW-Authenticate: Basic realm=\"r\"\r\nContent-Length: 0\r\n\r\n");
        QTest::newRow("silence") << QByteArray();
        QTest::newRow("hangs up") << QByteArray("hang up");
        QTest::newRow("nobody listens") << QByteArray("gone");
        // clang-format on
    }

    void anyHttpAnswerCounts()
    {
        QFETCH(QByteArray, answer);
        Host host(answer);
        const QUrl url = host.url();
        if (answer == "gone")
            host.close();
        ReachabilityProbe probe(
            { .firstWaitMs = 50, .longestWaitMs = 100, .answerTimeoutMs = 100 });
        QSignalSpy answered(&probe, &ReachabilityProbe::answered);
        probe.watch(url);
        if (answer.startsWith("HTTP")) {
            QTRY_COMPARE(answered.size(), 1);
            QCOMPARE(answered.at(0).at(0).toUrl(), url);
            QTest::qWait(300);
            QCOMPARE(host.asked.size(), 1); // and asks no more
            return;
        }
        QTest::qWait(600);
        QVERIFY(answered.isEmpty());
        QVERIFY(answer == "gone" || host.asked.size() > 1); // kept asking
        host.answer = "HTTP/1.1 204 No Content\r\n\r\n";
        QVERIFY(host.isListening() || host.listen(QHostAddress::LocalHost, quint16(url.port())));
        QTRY_COMPARE(answered.size(), 1);
    }

    // Each silence lasts the answer time; then the waits double up to the
    // longest. Asking at once (the network came back) starts them short again.
    void waitsGrowUntilAskedAtOnce()
    {
        Host host(QByteArray {});
        ReachabilityProbe probe(
            { .firstWaitMs = 100, .longestWaitMs = 500, .answerTimeoutMs = 50 });
        host.clock.restart();
        probe.watch(host.url());
        QTRY_VERIFY_WITH_TIMEOUT(host.asked.size() == 4, 5000);
        probe.checkNow();
        QTRY_VERIFY_WITH_TIMEOUT(host.asked.size() == 6, 5000);
        probe.stop();
        QTest::qWait(500);
        QCOMPARE(host.asked.size(), 6);
        const QList<int> gaps { 100, 250, 450, 550, 0, 150 };
        for (int i = 0; i < gaps.size(); ++i) {
            const qint64 gap = host.asked.at(i) - (i > 0 ? host.asked.at(i - 1) : 0);
            QVERIFY2(gap >= gaps.at(i) * 9 / 10 && gap < gaps.at(i) + 250,
                qPrintable(QString("question %1 after %2 ms").arg(i).arg(gap)));
        }
    }
};

QTEST_GUILESS_MAIN(TestReachabilityProbe)
#include "tst_reachabilityprobe.moc"
