// SPDX-License-Identifier: MIT
#include "components/qt/LastSeenCopies.h"

#include "components/LastSeen.h"
#include "components/qt/StepLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <cstdio>

namespace orv {

namespace {

QString fileNameOf(const QUrl &address)
{
    return QString::fromStdString(lastSeenFileName(address.toEncoded().toStdString()));
}

} // namespace

LastSeenCopies *LastSeenCopies::of(QWebEngineProfile *profile)
{
    if (auto *store = profile->findChild<LastSeenCopies *>(QString(), Qt::FindDirectChildrenOnly))
        return store;
    return new LastSeenCopies(profile,
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
            + QStringLiteral("/zuletzt-gesehen"),
        kLastSeenLimit, profile);
}

LastSeenCopies::LastSeenCopies(
    QWebEngineProfile *profile, const QString &folder, std::uint64_t limit, QObject *parent)
    : QObject(parent), m_folder(folder), m_limit(limit)
{
    connect(profile, &QWebEngineProfile::downloadRequested, this, &LastSeenCopies::track);
}

void LastSeenCopies::save(QWebEnginePage *page, const QUrl &address)
{
    if (!QDir().mkpath(m_folder)) {
        qCInfo(lcSkippedSteps).noquote()
            << "no copy of" << address.toString() << "kept:" << m_folder << "cannot be made";
        Q_EMIT saved(address, false);
        return;
    }
    // Every process of the program writes here; its id and a count keep
    // their temporary files apart.
    const std::uint64_t unique
        = (std::uint64_t(QCoreApplication::applicationPid()) << 20) | (++m_saves & 0xfffff);
    const QString temporary = m_folder + QLatin1Char('/')
        + QString::fromStdString(lastSeenTempName(fileNameOf(address).toStdString(), unique));
    m_pending.insert(temporary, address);
    page->save(temporary, QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}

void LastSeenCopies::track(QWebEngineDownloadRequest *download)
{
    if (!download->isSavePageDownload())
        return;
    const QString path = QDir(download->downloadDirectory()).filePath(download->downloadFileName());
    if (!m_pending.contains(path))
        return;
    if (download->state() == QWebEngineDownloadRequest::DownloadRequested)
        download->accept();
    // The engine's reason by number: interruptReasonString() reads through a
    // null pointer (Qt 6.4) once the page that saved has moved on.
    const auto ended = [this, download, path] {
        if (download->isFinished())
            finish(path, download->state() == QWebEngineDownloadRequest::DownloadCompleted,
                QStringLiteral("reason %1").arg(int(download->interruptReason())));
    };
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, ended);
    ended();
}

void LastSeenCopies::finish(const QString &temporary, bool success, const QString &reason)
{
    if (!m_pending.contains(temporary))
        return;
    const QUrl address = m_pending.take(temporary);
    const QString name = fileNameOf(address);
    const QString target = m_folder + QLatin1Char('/') + name;
    // rename() replaces the older copy in one step: a reader sees either.
    if (success && QFileInfo(temporary).size() > 0
        && std::rename(
               QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData())
            == 0) {
        keepWithinLimit(name);
        Q_EMIT saved(address, true);
        return;
    }
    QFile::remove(temporary);
    qCInfo(lcSkippedSteps).noquote()
        << "no copy of" << address.toString()
        << "kept:" << (success ? QStringLiteral("cannot replace the older") : reason);
    Q_EMIT saved(address, false);
}

void LastSeenCopies::keepWithinLimit(const QString &justWritten)
{
    std::vector<StoredFile> files;
    for (const QFileInfo &file : QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden))
        files.push_back({ file.fileName().toStdString(), std::uint64_t(file.size()),
            file.lastModified().toSecsSinceEpoch() });
    for (const std::string &name : lastSeenFilesToDrop(std::move(files), m_limit,
             justWritten.toStdString(), QDateTime::currentSecsSinceEpoch()))
        QFile::remove(m_folder + QLatin1Char('/') + QString::fromStdString(name));
}

std::optional<LastSeenCopies::Copy> LastSeenCopies::find(const QUrl &address) const
{
    const QFileInfo file(m_folder + QLatin1Char('/') + fileNameOf(address));
    if (!file.isFile() || file.size() == 0)
        return std::nullopt;
    return Copy { file.absoluteFilePath(), file.lastModified() };
}

} // namespace orv
