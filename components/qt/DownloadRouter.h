// SPDX-License-Identifier: MIT
#pragma once

// Hands each download of a profile to the window whose page started it. The
// engine reports a download to the profile that all windows share, and the
// request cannot say which page it came from: QWebEngineDownloadRequest::
// page() reads through a null pointer (Qt 6.4) when that page has moved on
// or its frame is gone by the time the engine asks, as it is for a download
// the engine asks about again after its connection broke. So each window's
// handler tells what it expects (the addresses its page went to, a picture
// the user saves), and the router goes by that.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace orv {

class DownloadHandler;

// A window's claim on a new download: how recently it expected the address
// (0: not at all) and whether it is the window the user works in.
struct DownloadClaim
{
    quint64 expected = 0;
    bool active = false;
};

// Which claim wins: the most recent expectation, else the active window,
// else the newest window (the last); -1 for none.
qsizetype chooseDownloadOwner(const QList<DownloadClaim> &claims);

class DownloadRouter : public QObject
{
    Q_OBJECT

public:
    // The profile's one router, made on first use.
    static DownloadRouter *of(QWebEngineProfile *profile);
    // Until the handler is destroyed.
    void add(DownloadHandler *handler);

private:
    explicit DownloadRouter(QWebEngineProfile *profile);
    void route(QWebEngineDownloadRequest *download);

    QList<QPointer<DownloadHandler>> m_handlers;
    QSet<quint32> m_seen; // the engine's ids of every download handed out
};

} // namespace orv
