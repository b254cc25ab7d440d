// SPDX-License-Identifier: MIT
#pragma once

// The last good copy of pages, as single MHTML files in a folder of the
// user's cache (the rules in components/LastSeen.h). The engine writes a
// copy in the background, as a download of the profile that is accepted
// here and never shown; it goes to a temporary name first and replaces the
// older copy only once complete, so that a failed save loses nothing. A
// failure is logged, never shown.

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <optional>

class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;

namespace orv {

class LastSeenCopies : public QObject
{
    Q_OBJECT

public:
    // The profile's one store, in the cache folder's "zuletzt-gesehen",
    // made on first use.
    static LastSeenCopies *of(QWebEngineProfile *profile);
    LastSeenCopies(QWebEngineProfile *profile, const QString &folder, std::uint64_t limit,
        QObject *parent = nullptr);

    QString folder() const { return m_folder; }
    // Saves what the page shows now as the copy of the address; returns at once.
    void save(QWebEnginePage *page, const QUrl &address);

    struct Copy
    {
        QString path;
        QDateTime savedAt;
    };
    std::optional<Copy> find(const QUrl &address) const;

Q_SIGNALS:
    // A save ended; on success the copy is in place and the folder within its limit.
    void saved(const QUrl &address, bool success);

private:
    void track(QWebEngineDownloadRequest *download);
    void finish(const QString &temporary, bool success, const QString &reason);
    void keepWithinLimit(const QString &justWritten);

    QString m_folder;
    std::uint64_t m_limit;
    // The saves under way: temporary path to the address.
    QHash<QString, QUrl> m_pending;
    std::uint64_t m_saves = 0;
};

} // namespace orv
