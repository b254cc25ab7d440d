// SPDX-License-Identifier: MIT
#pragma once

// Watches the page's loads and steps in where the page cannot be shown: a
// server that does not answer in time, a host that cannot be reached, a
// login the user cancelled, a display process that died, and a page that no
// longer answers. In those cases the view shows one of the program's own
// pages instead, which never enters the page's history, says what happened
// and offers to load the page again; the real page comes back as soon as a
// load of it succeeds. For the pages it is told to keep, each complete load
// leaves a copy, and that copy, marked as one, stands in for the page while
// its server cannot be reached. It knows when a load is under way and says in the
// status text what the page is doing, for the control's notifications.

#include "components/OwnPages.h"
#include "components/qt/HangWatch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>
#include <string>

class QWebEngineLoadingInfo;
class QWebEngineView;

namespace orv {

class EnginePage;
class LastSeenCopies;
class OwnPage;
class ReachabilityProbe;

struct LoadWatchOptions
{
    // A page whose server sends nothing for this long counts as unreachable.
    int answerTimeoutMs = 30000;
    // Waits between checks whether an unreachable page's host answers again.
    int firstRetryMs = 2000;
    int maxRetryMs = 60000;
    // Two deaths of the display process within this time stop the reloading.
    int crashWindowMs = 60000;
    // A page that gives no sign of life this long after the user acted hangs.
    std::chrono::milliseconds hangPatience = std::chrono::seconds(4);
};

class LoadWatch : public QObject
{
    Q_OBJECT

public:
    LoadWatch(EnginePage *page, QWebEngineView *view, LoadWatchOptions options, QObject *parent);

    // What the user asks of the page: an address, or a step in its history.
    void request(const PageRequest &request);
    // The user reloads; a page of ours loads what it stands in for.
    void reload();
    // The user did something else with the page (Stop, a click, a key).
    void userActed();
    // The load under way turned out to be a file: its end is no failure.
    void downloadArrived() { m_downloadStartedByLoad = m_loading; }
    // The user's zoom, for our pages too.
    void setZoomFactor(double factor);
    // The addresses whose last good copy is kept (the window's categories);
    // none: no copies are made or shown.
    void keepLastSeen(const QStringList &addresses);

    bool loading() const { return m_loading; }
    // The address our page is shown for; empty while the real page shows.
    QUrl standIn() const { return m_standIn; }
    // Our page stands for a navigation that never became an entry: the
    // entry under it is where the user came from, and nothing follows.
    bool ownPageCoversCurrentEntry() const;
    // The real page again, as it was.
    void showRealPage();

Q_SIGNALS:
    void statusText(const QString &text);
    // A load began while none was under way, and the load under way ended.
    void started();
    void finished();
    // Our page came or went: where back and forward lead has changed.
    void pageSwapped();

private:
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void handleLoadFailed(const QWebEngineLoadingInfo &info);
    void handleProgress(int percent);
    void handleRefused(const QUrl &address);
    void handleRendererGone(bool crashed);
    void handleNotAnswering(const PageRequest &request);
    void endHungPage(const PageRequest &request);
    void finish();
    void loadStoodIn();
    void showOwnPage(const std::string &html, const QUrl &address);
    bool showLastSeen(const QUrl &address, ReachFailure failure);
    OwnPage *ownPage(const QUrl &address);
    void present();
    bool keeps(const QUrl &address) const;

    EnginePage *m_page;
    QWebEngineView *m_view;
    LoadWatchOptions m_options;
    ReachabilityProbe *m_probe;
    HangWatch *m_hang;
    // Shows our pages in place of m_page, so that they never become entries
    // of its history; exists only while one is shown.
    OwnPage *m_ownPage = nullptr;
    double m_zoomFactor = 1.0;
    LastSeenCopies *m_copies = nullptr;
    QSet<QString> m_kept; // as the copies are filed
    bool m_hovering = false;

    bool m_loading = false;
    bool m_downloadStartedByLoad = false;
    QUrl m_loadUrl;
    QTimer m_answerTimer;
    bool m_timedOut = false;
    int m_firstProgress = -1;
    QUrl m_loginCancelled;
    QElapsedTimer m_lastCrash;

    QUrl m_standIn;
    bool m_standInHangs = false; // our page stands for one that does not answer
    // What the user asked for once the display process of a hung page is gone.
    std::optional<PageRequest> m_afterHang;
};

} // namespace orv
