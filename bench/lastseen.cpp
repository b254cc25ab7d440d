// SPDX-License-Identifier: MIT
// What keeping the last copy of the window's pages costs: the demo site's
// category pages are loaded one after the other in the program's web control
// (its engine set-up, its profile), each as soon as the one before has
// finished (the worst case: the copy being written meets the next load), and
// once more with a pause of 300 ms between loads, a quick user's click. Rounds
// with copies kept and rounds without take turns (ABBA); the time from the
// request to the end of the page's load (after its onload) is taken per load,
// and the medians and their ratio are printed, with how long a copy takes
// from the end of the load until it is in place. Then the store's files after
// every category has been seen.
//
//   orvel-bench-lastseen [--rounds N]     (N rounds of each kind and pause, 10 by default)

#include "components/qt/EnginePage.h"
#include "components/qt/EngineSetup.h"
#include "components/qt/LastSeenCopies.h"
#include "components/qt/WebEngineBrowser.h"
#include "demo/DemoSite.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Runs the event loop until done() holds or timeoutMs have passed.
bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    int rounds = 10;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[++i]));
    }
    // A fresh home: the store starts empty, the profile has seen nothing.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    orv::applyEngineSetup();
    QApplication application(argc, argv);
    QApplication::setApplicationName("OrvelBrowser");
    QApplication::setOrganizationName("OrvelBrowser");

    orv::demo::DemoSite site;
    if (!site.start()) {
        std::fprintf(stderr, "the demo site could not start\n");
        return 1;
    }
    const QString main = "http://" + site.mainHost();
    const QStringList pages { main + "/", main + "/download/?produkt=4711", main + "/software",
        main + "/support", main + "/neuigkeiten", main + "/infos",
        "http://" + site.shopHost() + "/" };

    QWebEngineProfile *profile = orv::createBrowserProfile(&application);
    QWidget window;
    window.resize(1280, 1024);
    auto *browser = new orv::WebEngineBrowser(&window, profile, {});
    browser->widget()->setGeometry(0, 0, 1280, 1024);
    window.show();
    QWebEnginePage *page = browser->view()->page();

    int savesEnded = 0;
    QElapsedTimer clock;
    clock.start();
    QHash<QUrl, qint64> loadEndNs; // by address, the last load's end
    std::vector<double> saveMs;
    auto *store = orv::LastSeenCopies::of(profile);
    QObject::connect(store, &orv::LastSeenCopies::saved, [&](const QUrl &address, bool success) {
        ++savesEnded;
        saveMs.push_back(double(clock.nsecsElapsed() - loadEndNs.value(address)) / 1e6);
        if (!success)
            std::fprintf(stderr, "a save failed\n");
    });

    bool finished = false, ok = false;
    QObject::connect(page, &QWebEnginePage::loadFinished, [&](bool success) {
        loadEndNs.insert(page->url(), clock.nsecsElapsed());
        finished = true;
        ok = success;
    });
    const auto load = [&](const QString &address) {
        finished = false;
        QElapsedTimer taken;
        taken.start();
        browser->Navigate(address);
        if (!waitFor([&] { return finished; }, 20000) || !ok)
            std::fprintf(stderr, "%s did not load\n", qPrintable(address));
        return double(taken.nsecsElapsed()) / 1e6;
    };
    // One round unmeasured, so that both kinds meet a warm engine.
    for (const QString &address : pages)
        load(address);
    std::printf("loads per kind and pause: %d (%d rounds of %lld category pages)\n",
        rounds * int(pages.size()), rounds, qlonglong(pages.size()));
    for (const int pauseMs : { 0, 300 }) {
        std::vector<double> with, without;
        for (int round = 0; round < 2 * rounds; ++round) {
            const bool keep = round % 4 == 0 || round % 4 == 3; // ABBA: neither kind always first
            browser->keepLastSeen(keep ? pages : QStringList());
            for (const QString &address : pages) {
                (keep ? with : without).push_back(load(address));
                if (pauseMs > 0)
                    waitFor([] { return false; }, pauseMs);
            }
            // The last save of the round ends before the other kind begins.
            waitFor([] { return false; }, 300);
        }
        const double withMs = median(with), withoutMs = median(without);
        std::printf("pause %d ms, to the end of the load, median: without copies %.1f ms, with "
                    "copies %.1f ms, ratio %.3f (goal <= 1.02)\n",
            pauseMs, withoutMs, withMs, withoutMs > 0 ? withMs / withoutMs : 0.0);
    }
    waitFor([&] { return savesEnded >= 2 * rounds * int(pages.size()); }, 20000);
    std::printf("saves ended: %d; from the end of the load to the copy in place, median %.1f ms\n",
        savesEnded, median(saveMs));
    qint64 bytes = 0;
    const QFileInfoList files = QDir(store->folder()).entryInfoList(QDir::Files);
    for (const QFileInfo &file : files)
        bytes += file.size();
    std::printf("store after every category: %lld files, %lld bytes (%.1f KiB)\n",
        qlonglong(files.size()), qlonglong(bytes), double(bytes) / 1024);
    return 0;
}
