// SPDX-License-Identifier: MIT
#include "components/qt/DownloadRouter.h"

#include "components/qt/DownloadHandler.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace orv {

qsizetype chooseDownloadOwner(const QList<DownloadClaim> &claims)
{
    qsizetype best = -1;
    for (qsizetype i = 0; i < claims.size(); ++i) {
        if (claims[i].expected > 0 && (best < 0 || claims[i].expected > claims[best].expected))
            best = i;
    }
    for (qsizetype i = 0; best < 0 && i < claims.size(); ++i) {
        if (claims[i].active)
            best = i;
    }
    return best >= 0 ? best : claims.size() - 1;
}

DownloadRouter *DownloadRouter::of(QWebEngineProfile *profile)
{
    if (auto *router = profile->findChild<DownloadRouter *>(QString(), Qt::FindDirectChildrenOnly))
        return router;
    return new DownloadRouter(profile);
}

DownloadRouter::DownloadRouter(QWebEngineProfile *profile) : QObject(profile)
{
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadRouter::route);
}

void DownloadRouter::add(DownloadHandler *handler)
{
    m_handlers.removeAll(nullptr);
    m_handlers.append(handler);
}

void DownloadRouter::route(QWebEngineDownloadRequest *download)
{
    // Saving a page is accepted before anybody is asked, and the pages the
    // program saves for itself (the last-seen copies) are no downloads of
    // the user's: they never show in a window's list.
    if (download->isSavePageDownload()
        || download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    m_handlers.removeAll(nullptr);
    for (const QPointer<DownloadHandler> &handler : std::as_const(m_handlers)) {
        if (handler->follows(download->id())) {
            handler->take(download);
            return;
        }
    }
    // Asked again about a download whose window has closed (and cancelled it).
    if (m_seen.contains(download->id())) {
        download->cancel();
        return;
    }
    QList<DownloadClaim> claims;
    for (const QPointer<DownloadHandler> &handler : std::as_const(m_handlers))
        claims.append({ handler->expectation(download->url()), handler->isActive() });
    const qsizetype owner = chooseDownloadOwner(claims);
    if (owner < 0)
        return; // unaccepted: the engine drops it
    m_seen.insert(download->id());
    m_handlers[owner]->take(download);
}

} // namespace orv
