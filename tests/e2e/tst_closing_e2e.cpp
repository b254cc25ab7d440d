// SPDX-License-Identifier: MIT
// What a page asks the user, and closing: "Beenden" during a load, and the
// real program ended by a termination signal over a dialog and a download.

#include "Desktop.h"

#include <QPushButton>

#include <csignal>
#include <unistd.h>

using namespace orv;
using namespace orv::test::desktop;
using orv::demo::DemoSite;
using Question = std::tuple<QString, bool, QString, QString>;

class TestQuestionsAndClosing : public BrowserDesktop
{
    Q_OBJECT

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

    // What a page asks for reaches the user in German, naming the host, and
    // the page gets the answer given from the keyboard: a login only as
    // given, never an empty or unasked one, even one that takes longer than
    // the window waits for a server; a permission asked once per host and
    // feature.
    void pagesGetTheUsersAnswer_data()
    {
        // path, yes (the answer), asks (what the dialog shows), shows (the page then)
        QTest::addColumn<Question>("row");
        const QString wants = "Die Seite " + m_site.mainHost() + " möchte ";
        // clang-format off
        QTest::newRow("login") << Question{"/intern/kunden/", true, "Bereich: Harlund kunden", "Willkommen im internen Bereich."};
        QTest::newRow("login cancelled") << Question{"/intern/gesperrt/", false, "Bereich: Harlund gesperrt", "Anmeldung erforderlich"};
        QTest::newRow("notifications") << Question{"/erlaubnis?was=mitteilungen", true, wants + "Ihnen Mitteilungen anzeigen.", "Antwort: erlaubt"};
        QTest::newRow("location refused") << Question{"/erlaubnis?was=standort", false, wants + "Ihren Standort verwenden.", "Antwort: abgelehnt"};
        // clang-format on
    }

    void pagesGetTheUsersAnswer()
    {
        QFETCH(Question, row);
        const auto &[path, yes, asks, shows] = row;
        const bool login = path.startsWith("/intern/");
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
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            } else if (login) {
                QTest::keyClicks(QApplication::focusWidget(), DemoSite::kLoginUser);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClicks(QApplication::focusWidget(), DemoSite::kLoginPassword);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
            }
        });
        m_site.clearRequests();
        enter(main(path));
        QTRY_VERIFY_WITH_TIMEOUT(pageText().contains(shows), kLoadTimeout);
        QCOMPARE(asked.size(), 1);
        if (!login) {
            QVERIFY2(asked.first().contains(asks), qPrintable(asked.first().join(" | ")));
            loadBy([&] { clickTool("ID_Aktualisieren"); });
            QTRY_VERIFY(pageText().contains(shows));
            QCOMPARE(asked.size(), 1); // the answer was kept
            return;
        }
        QCOMPARE(asked.first(),
            QStringList({ "Anmeldung bei " + m_site.mainHost(), asks, "Benutzername", "Kennwort",
                "Anmelden", "Abbrechen" }));
        QTest::qWait(500); // time for any further attempt to arrive
        const QString given = QString(DemoSite::kLoginUser) + ":" + DemoSite::kLoginPassword;
        QCOMPARE(m_site.logins(), yes ? QStringList({ "", given }) : QStringList { "" });
        if (yes)
            return;
        QCOMPARE(status(), "Anmeldung abgebrochen, Seite nicht geladen: " + main(path));
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
    return runBrowserTests<TestQuestionsAndClosing>(argc, argv);
}

#include "tst_closing_e2e.moc"
