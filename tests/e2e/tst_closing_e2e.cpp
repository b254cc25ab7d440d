// SPDX-License-Identifier: MIT
// What a page asks the user, and closing: "Beenden" during a load, and the
// real program ended by a termination signal over a dialog and a download.

#include "Desktop.h"

#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace orv;
using namespace orv::test::desktop;
using orv::demo::DemoSite;
using Question = std::tuple<QString, bool, QString, QString>;

namespace {

// Only the engine reaches this host, through the proxy: loopback, the demo
// site, goes round it as always.
const QString kProxied = "http://intern.harlund.test";
int proxySocket = -1; // listening before the engine starts, which is told its port

} // namespace

// A proxy on the way out that wants a login: 407 until a request carries the
// right Basic credentials, then it answers the page itself.
class LoginProxy : public QTcpServer
{
public:
    static constexpr const char *kUser = "netz";
    static constexpr const char *kPassword = "durchlass";
    QStringList logins; // what each request for a page carried, "" for none

    LoginProxy()
    {
        setSocketDescriptor(proxySocket);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            }
        });
    }

private:
    void answer(QTcpSocket *socket)
    {
        const QByteArray head = socket->property("head").toByteArray() + socket->readAll();
        socket->setProperty("head", head);
        if (!head.contains("\r\n\r\n"))
            return;
        QByteArray login;
        for (const QByteArray &line : head.split('\n')) {
            if (line.toLower().startsWith("proxy-authorization: basic "))
                login = QByteArray::fromBase64(line.mid(27).trimmed());
        }
        if (!head.split(' ').value(1).endsWith("/favicon.ico"))
            logins.append(QString::fromUtf8(login));
        const bool in = login == QByteArray(kUser) + ':' + kPassword;
        const QByteArray body = in ? "<!doctype html><title>Proxy</title><p>Über den Proxy geladen."
                                   : "<!doctype html><title>407</title><p>Kein Durchlass.";
        socket->write((in ? QByteArray("HTTP/1.1 200 OK\r\n")
                          : "HTTP/1.1 407 Proxy Authentication Required\r\n"
                            "Proxy-Authenticate: Basic realm=\"Harlund Proxy\"\r\n")
            + "Content-Type: text/html; charset=utf-8\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }
};

class TestQuestionsAndClosing : public BrowserDesktop
{
    Q_OBJECT

    LoginProxy m_proxy;

private Q_SLOTS:
    // "Beenden" while a page is still loading closes at once, files the
    // placement, and the window goes without waiting for the page.
    void closingWhileAPageLoads()
    {
        open("0||Support");
        m_window->resize(701, 433); // a size of its own, to find in the store
        QTRY_COMPARE(m_window->width(), 701);
        enter("http://" + m_site.slowHost() + "/antwortet-nie");
        QTRY_VERIFY_WITH_TIMEOUT(m_site.requests().contains("slow /antwortet-nie"), kLoadTimeout);
        QVERIFY(enabled("ID_Stop"));
        const QString width = QString::number(m_window->frameGeometry().width() * 15);
        clickTool("ID_Beenden");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(filed("Support", "width"), width);
        m_window.reset();
    }

    // What a page or the proxy on the way asks for reaches the user in
    // German, naming the host, and the page gets the answer given with real
    // keys: a login only as given, never an empty or unasked one, even one
    // that takes longer than the window waits for a server; a permission
    // asked once per host and feature in the program's run, in any of its
    // windows.
    void pagesGetTheUsersAnswer_data()
    {
        // address (proxied, or a path on the main host), yes (the answer), asks (what the
        // dialog shows), shows (the page then)
        QTest::addColumn<Question>("row");
        const QString wants = "Die Seite " + m_site.mainHost() + " möchte ";
        // clang-format off
        QTest::newRow("login") << Question{"/intern/kunden/", true, "Bereich: Harlund kunden", "Willkommen im internen Bereich."};
        QTest::newRow("login cancelled") << Question{"/intern/gesperrt/", false, "Bereich: Harlund gesperrt", "Anmeldung erforderlich"};
        QTest::newRow("proxy login cancelled") << Question{kProxied + "/aus", false, "Bereich: Harlund Proxy", "Anmeldung erforderlich"};
        QTest::newRow("proxy login") << Question{kProxied + "/ein", true, "Bereich: Harlund Proxy", "Über den Proxy geladen."};
        QTest::newRow("notifications") << Question{"/erlaubnis?was=mitteilungen", true, wants + "Ihnen Mitteilungen anzeigen.", "Antwort: erlaubt"};
        QTest::newRow("location refused") << Question{"/erlaubnis?was=standort", false, wants + "Ihren Standort verwenden.", "Antwort: abgelehnt"};
        QTest::newRow("camera") << Question{"/erlaubnis?was=kamera", true, wants + "Ihre Kamera verwenden.", "Antwort: erlaubt"};
        QTest::newRow("microphone refused") << Question{"/erlaubnis?was=mikrofon", false, wants + "Ihr Mikrofon verwenden.", "Antwort: abgelehnt"};
        QTest::newRow("screen") << Question{"/erlaubnis?was=bildschirm", true, wants + "Ihren Bildschirm aufnehmen.", "Antwort: erlaubt"};
        // clang-format on
    }

    void pagesGetTheUsersAnswer()
    {
        QFETCH(Question, row);
        const auto &[path, yes, asks, shows] = row;
        const bool proxied = path.startsWith(kProxied),
                   login = proxied || path.startsWith("/intern/");
        const QString address = proxied ? path : main(path);
        open("0||Support");
        QList<QStringList> asked; // each dialog's title, texts and buttons
        answerDialogs([&](QWidget *dialog) {
            asked.append(QStringList { dialog->windowTitle() });
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                asked.last().append(label->text());
            for (const QPushButton *button : dialog->findChildren<QPushButton *>())
                asked.last().append(button->text());
            if (login)
                QTest::qWait(3500); // longer than the window waits for a server
            if (!yes) {
                keys("Escape");
            } else if (login) {
                type(proxied ? LoginProxy::kUser : DemoSite::kLoginUser);
                keys("Tab");
                type(proxied ? LoginProxy::kPassword : DemoSite::kLoginPassword);
                keys("Return");
            } else {
                keys("alt+e");
            }
        });
        m_site.clearRequests();
        m_proxy.logins.clear();
        enter(address);
        QTRY_VERIFY2_WITH_TIMEOUT(
            pageText().contains(shows), qPrintable(pageText() + " | " + status()), kLoadTimeout);
        QCOMPARE(asked.size(), 1);
        if (!login) {
            QVERIFY2(asked.first().contains(asks), qPrintable(asked.first().join(" | ")));
            loadBy([&] { clickTool("ID_Aktualisieren"); });
            QTRY_VERIFY(pageText().contains(shows));
            const auto first = std::move(m_window); // keeps the dialogs answered
            open("0||Support");
            enter(address);
            QTRY_VERIFY_WITH_TIMEOUT(pageText().contains(shows), kLoadTimeout);
            QCOMPARE(asked.size(), 1); // the answer was kept
            return;
        }
        QCOMPARE(asked.first(),
            QStringList(
                { proxied ? "Anmeldung am Proxy 127.0.0.1" : "Anmeldung bei " + m_site.mainHost(),
                    asks, "Benutzername", "Kennwort", "Anmelden", "Abbrechen" }));
        QTest::qWait(500); // time for any further attempt to arrive
        const QString given = proxied
            ? QString(LoginProxy::kUser) + ":" + LoginProxy::kPassword
            : QString(DemoSite::kLoginUser) + ":" + DemoSite::kLoginPassword;
        QCOMPARE(proxied ? m_proxy.logins : m_site.logins(),
            yes ? QStringList({ "", given }) : QStringList { "" });
        if (yes)
            return;
        QCOMPARE(status(), "Anmeldung abgebrochen, Seite nicht geladen: " + address);
        userClick("retry");
        QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 2, kLoadTimeout);
        QTRY_VERIFY(pageText().contains(shows));
    }

    // A termination signal while a dialog is open and a download runs closes
    // the real program as its close button does: status 0, the placement
    // filed, no partial file; a second signal at once changes none of that.
    // Relative XDG paths are invalid and ignored: the settings land under
    // $HOME, nothing in the working folder. Once its page is in, the program
    // and its engine settle to idle.
    void aSignalClosesOverDialogsAndDownloads_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("signals");
        QTest::newRow("SIGTERM") << SIGTERM << 1;
        QTest::newRow("SIGHUP") << SIGHUP << 1;
        QTest::newRow("SIGINT") << SIGINT << 1;
        QTest::newRow("a second SIGTERM during the close") << SIGTERM << 2;
    }

    void aSignalClosesOverDialogsAndDownloads()
    {
        QFETCH(int, signal);
        QFETCH(int, signals);
        if (m_windowManager->state() != QProcess::Running)
            QSKIP("openbox is not installed");
        // Read as no placement at start; a number once the close has filed it.
        file({ { "News", { "not yet", "", "", "", "0" } } });
        QTemporaryDir workingFolder, runtime;
        QProcess program;
        program.setWorkingDirectory(workingFolder.path());
        startProgram(program, m_site, "0||News",
            { "XDG_RUNTIME_DIR=" + runtime.path(), "XDG_CONFIG_HOME=conf", "XDG_DATA_HOME=data",
                "XDG_CACHE_HOME=cache" });
        QTRY_VERIFY_WITH_TIMEOUT(m_site.pageRequests().contains("main /neuigkeiten"), kLoadTimeout);
        QTest::qWait(3000); // the start's own work
        const qint64 before = treeCpuTicks(program.processId());
        QTest::qWait(3000);
        const double cores = double(treeCpuTicks(program.processId()) - before)
            / double(::sysconf(_SC_CLK_TCK)) / 3.0;
        QVERIFY2(cores < 0.2, qPrintable(QString("%1 cores busy").arg(cores)));

        QTRY_COMPARE_WITH_TIMEOUT(windowsOf("News").size(), 1, kLoadTimeout);
        xdo({ "windowactivate", "--sync", windowsOf("News").value(0) });
        typeAddress(m_site.slowHost() + "/gross.bin");
        const QDir downloads(QDir::home().filePath("Downloads"));
        const auto partials = [&] {
            return downloads.entryList({ "Harlund-Gross*" }, QDir::Files | QDir::Hidden);
        };
        QTRY_VERIFY_WITH_TIMEOUT(!partials().isEmpty(), kLoadTimeout);
        keys("ctrl+shift+s");
        QTRY_VERIFY_WITH_TIMEOUT(
            run("xdotool", { "search", "--onlyvisible", "--name", "Als PDF speichern" }),
            kLoadTimeout);
        ::kill(pid_t(program.processId()), signal);
        if (signals == 2) { // while the first one's close runs
            QTest::qWait(30);
            ::kill(pid_t(program.processId()), signal);
        }
        QVERIFY(program.waitForFinished(kLoadTimeout));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        bool number = false;
        filed("News", "left").toInt(&number);
        QVERIFY(number);
        QCOMPARE(partials(), QStringList());
        QCOMPARE(QDir(workingFolder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList());
    }
};

int main(int argc, char *argv[])
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    proxySocket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (::bind(proxySocket, reinterpret_cast<sockaddr *>(&address), size) != 0
        || ::listen(proxySocket, 16) != 0
        || ::getsockname(proxySocket, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        return 1;
    // Fake devices only stand in for a camera and a microphone; the question stays ours.
    return runBrowserTests<TestQuestionsAndClosing>(argc, argv,
        "--use-fake-device-for-media-stream --proxy-server=http://127.0.0.1:"
            + QByteArray::number(ntohs(address.sin_port)));
}

#include "tst_closing_e2e.moc"
