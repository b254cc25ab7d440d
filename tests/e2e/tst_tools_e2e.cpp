// SPDX-License-Identifier: MIT
// The window's tools on a page, on the real engine: find, save as PDF,
// downloads (cancelled, cut off), zoom and full screen.

#include "Desktop.h"
#include "browser/qt/DownloadsPanel.h"
#include "browser/qt/FindBar.h"
#include "components/qt/DownloadList.h"

#include <QPushButton>
#include <QStandardPaths>
#include <QWheelEvent>

using namespace orv;
using namespace orv::test::desktop;
using orv::demo::DemoSite;

class TestTools : public BrowserDesktop
{
    Q_OBJECT

private Q_SLOTS:
    // What the window does with a page: find counts and wraps around,
    // Ctrl+Shift+S saves the page as PDF, its text included. A file arrives
    // in the download folder; a running download shows with its progress,
    // and cancelling it ends it; the page stays throughout. Ctrl and the
    // wheel zoom, and a page may go full screen.
    void findPdfDownloadsZoomAndFullScreen()
    {
        open("4711||Download");
        // What the page's own text holds.
        const int expected = js("document.body.innerText.match(/download/gi).length").toInt();
        QVERIFY(expected > 1);
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        QLineEdit *edit = m_window->findBar()->edit();
        QTRY_VERIFY(edit->hasFocus());
        auto count = [this] {
            return m_window->findBar()->countLabel()->text();
        };
        QTest::keyClicks(edit, "DownLoad");
        QTRY_COMPARE_WITH_TIMEOUT(count(), QString("1 von %1").arg(expected), kLoadTimeout);
        for (int match = 2; match <= expected + 1; ++match) { // the last Enter wraps to the first
            QTest::keyClick(edit, Qt::Key_Return);
            QTRY_COMPARE(
                count(), QString("%1 von %2").arg((match - 1) % expected + 1).arg(expected));
        }
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // and back round to the last
        QTRY_COMPARE(count(), QString("%1 von %1").arg(expected));
        QTest::keyClicks(edit, "xyz");
        QTRY_COMPARE(count(), "Keine Treffer");
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(m_window->findBar()->isHidden());
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE_WITH_TIMEOUT(status(), "PDF gespeichert: " + m_pdfPath, kLoadTimeout);

        // Free names: the download handler's test.
        userClick("file");
        const QString path = QDir::home().filePath("Downloads/Harlund-Setup-4711.exe");
        QTRY_COMPARE_WITH_TIMEOUT(status(), "Download abgeschlossen: " + path, kLoadTimeout);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), DemoSite::downloadBody());
        userClick("large");
        DownloadList *list = m_window->browser()->downloads();
        QTRY_VERIFY_WITH_TIMEOUT(
            list->entries().size() == 2 && list->entries().last().received > 0, kLoadTimeout);
        const DownloadEntry entry = list->entries().last();
        QCOMPARE(entry.fileName, "Harlund-Gross.bin");
        auto *row
            = m_window->downloadsPanel()->findChild<QWidget *>(QString("download%1").arg(entry.id));
        QTRY_VERIFY(row->findChild<QLabel *>("state")->text().contains("%"));
        screenshot("downloads.png");

        QTest::mouseClick(row->findChild<QPushButton *>("cancel"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            int(list->entries().last().state), int(DownloadEntry::State::Cancelled), kLoadTimeout);
        // The partial file's removal: the handler's test and, on the engine,
        // aSignalClosesOverDialogsAndDownloads.
        QCOMPARE(row->findChild<QLabel *>("state")->text(), "Abgebrochen");
        QCOMPARE(view()->url().toString(), main("/download/?produkt=4711"));

        loadBy([&] {
            view()->setHtml(
                "<html style='height:100%'><body style='height:100%' "
                "onclick='document.documentElement.requestFullscreen()'>x</body></html>",
                QUrl(main("/")));
        });
        QWidget *page = view()->focusProxy();
        QWheelEvent wheel(QPointF(20, 20), page->mapToGlobal(QPointF(20, 20)), {}, { 0, 120 },
            Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &wheel);
        QCOMPARE(m_window->zoomPercent(), 110);
        QTRY_COMPARE(view()->zoomFactor(), 1.1);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20)); // full screen needs a click
        QTRY_VERIFY_WITH_TIMEOUT(
            m_window->isFullScreen() && m_window->pageFullScreen(), kLoadTimeout);
        QTRY_COMPARE(view()->geometry(), m_window->rect());
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!m_window->isFullScreen());

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(run(pdftotext, { m_pdfPath, "-" })
                    .value_or(QString())
                    .simplified()
                    .contains("Downloads für Produkt 4711"));
    }

    // The user starts a large download, goes on to another category, and
    // the server cuts the file off: the window carries on, the download
    // ends as failed, in German, without its partial file. It was that
    // window's, not the one opened later on the same profile.
    void aDownloadCutOffAfterItsPageWasLeftFails()
    {
        open("4711||Download");
        auto later = std::move(m_window);
        open("0||News");
        std::swap(m_window, later);
        const QDir downloads(QDir::home().filePath("Downloads"));
        const auto partials = [&] {
            return downloads.entryList({ "Harlund-Gross*" }, QDir::Files | QDir::Hidden);
        };
        userClick("large");
        DownloadList *list = m_window->browser()->downloads();
        QTRY_VERIFY_WITH_TIMEOUT(
            !list->entries().isEmpty() && list->entries().last().received > 0, kLoadTimeout);
        QVERIFY(!partials().isEmpty());
        loadBy([&] { choose("Support"); });
        m_site.cutDownloads();
        const DownloadEntry &entry = list->entries().last();
        QTRY_COMPARE_WITH_TIMEOUT(
            int(entry.state), int(DownloadEntry::State::Failed), kLoadTimeout);
        QCOMPARE(m_window->downloadsPanel()
                     ->findChild<QWidget *>(QString("download%1").arg(entry.id))
                     ->findChild<QLabel *>("state")
                     ->text(),
            "Fehlgeschlagen: Verbindung zum Server abgebrochen");
        QCOMPARE(status(),
            "Download fehlgeschlagen: Harlund-Gross.bin (Verbindung zum Server abgebrochen)");
        QCOMPARE(partials(), QStringList());
        QCOMPARE(later->browser()->downloads()->entries().size(), 0);
        loadBy([&] { choose("Events"); });
    }
};

int main(int argc, char *argv[])
{
    return runBrowserTests<TestTools>(argc, argv);
}

#include "tst_tools_e2e.moc"
