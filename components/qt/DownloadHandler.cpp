// SPDX-License-Identifier: MIT
#include "components/qt/DownloadHandler.h"

#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMetaEnum>
#include <QPointer>
#include <QWebEngineDownloadRequest>
#include <QWidget>

namespace orv {

namespace {

// No half file stays behind, neither under the engine's working name nor
// under a name that looks complete. The name was free when the download began.
void removePartialFile(const QString &path)
{
    QFile::remove(path + QStringLiteral(".download"));
    QFile::remove(path);
}

// The engine's reason in the user's language. Qt 6.4 has texts only for the
// reasons it names, and gives "cancelled by the user" for the others, among
// them a file the server cut short.
QString failureReason(const QWebEngineDownloadRequest &download)
{
    const auto reason = download.interruptReason();
    const bool named
        = QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>().valueToKey(
              reason)
        != nullptr;
    return named ? download.interruptReasonString() : toQt(texts::downloadConnectionLost);
}

} // namespace

QString uniqueFileName(const QDir &folder, const QString &suggested)
{
    const QString name = suggested.isEmpty() ? QStringLiteral("download") : suggested;
    if (!folder.exists(name))
        return name;
    const QFileInfo info(name);
    const QString base = info.completeBaseName().isEmpty() ? name : info.completeBaseName();
    const QString suffix = info.completeBaseName().isEmpty() || info.suffix().isEmpty()
        ? QString()
        : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate = base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (!folder.exists(candidate))
            return candidate;
    }
}

DownloadHandler::ChooseFile DownloadHandler::saveDialog(QWidget *window)
{
    return [window = QPointer<QWidget>(window)](const QString &offered) {
        return QFileDialog::getSaveFileName(window, toQt(texts::saveImageTitle), offered, QString(),
            nullptr, QFileDialog::DontConfirmOverwrite);
    };
}

DownloadHandler::DownloadHandler(const QString &folder, ChooseFile chooseFile, QObject *parent)
    : QObject(parent), m_folder(folder), m_chooseFile(std::move(chooseFile)),
      m_list(new DownloadList(this))
{
}

void DownloadHandler::expect(const QUrl &address)
{
    // One count for every handler of the process: the newest expectation wins.
    static quint64 counter = 0;
    m_expected.removeIf([&](const auto &entry) { return entry.first == address; });
    m_expected.append({ address, ++counter });
    // A window goes to few addresses between a click and its file.
    if (m_expected.size() > 16)
        m_expected.removeFirst();
}

quint64 DownloadHandler::expectation(const QUrl &address) const
{
    for (const auto &[expected, when] : m_expected) {
        if (expected == address)
            return when;
    }
    return 0;
}

void DownloadHandler::showsIn(QWidget *view)
{
    m_view = view;
}

bool DownloadHandler::isActive() const
{
    return m_view && m_view->isActiveWindow();
}

void DownloadHandler::take(QWebEngineDownloadRequest *download)
{
    // Qt 6.4 asks once more about a download whose connection broke, as it
    // starts the transfer over: with a new request that has no page, the page
    // having moved on, and from then on it reports to that one only. Followed
    // no further, the first would stay "running" and its part on disk.
    if (const auto known = m_taken.constFind(download->id()); known != m_taken.cend()) {
        download->cancel();
        end(*known, DownloadEntry::State::Failed, toQt(texts::downloadConnectionLost));
        return;
    }
    Q_EMIT arrived();
    const QString path = destination(download->downloadFileName());
    if (path.isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo file(path);
    download->setDownloadDirectory(file.absolutePath());
    download->setDownloadFileName(file.fileName());
    QPointer<QWebEngineDownloadRequest> guard(download);
    const int id = follow(path, [guard] {
        if (guard)
            guard->cancel();
    });
    m_taken.insert(download->id(), id);
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this,
        [this, download, id] { progress(id, download->receivedBytes(), download->totalBytes()); });
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
        [this, download, id](QWebEngineDownloadRequest::DownloadState state) {
            using S = QWebEngineDownloadRequest;
            if (state == S::DownloadCompleted)
                end(id, DownloadEntry::State::Done);
            else if (state == S::DownloadCancelled)
                end(id, DownloadEntry::State::Cancelled);
            else if (state == S::DownloadInterrupted)
                end(id, DownloadEntry::State::Failed, failureReason(*download));
        });
    download->accept();
}

QString DownloadHandler::destination(const QString &suggested)
{
    QDir folder(m_folder);
    folder.mkpath(QStringLiteral("."));
    QString name = uniqueFileName(folder, suggested);
    if (std::exchange(m_askWhere, false)) {
        const QString chosen
            = m_chooseFile ? m_chooseFile(folder.absoluteFilePath(name)) : QString();
        if (chosen.isEmpty())
            return QString();
        // Existing files are never overwritten, not even when picked.
        folder = QFileInfo(chosen).absoluteDir();
        name = uniqueFileName(folder, QFileInfo(chosen).fileName());
    }
    return folder.absoluteFilePath(name);
}

int DownloadHandler::follow(const QString &path, std::function<void()> stopTransfer)
{
    const QString name = QFileInfo(path).fileName();
    // The partial file goes at once, not when the engine confirms: the
    // program may be ending and never hear back.
    const int id = m_list->add(name, path, [stopTransfer = std::move(stopTransfer), path] {
        if (stopTransfer)
            stopTransfer();
        removePartialFile(path);
    });
    Q_EMIT statusText(toQt(texts::statusDownloadStarted) + name);
    return id;
}

void DownloadHandler::progress(int id, qint64 received, qint64 total)
{
    m_list->setProgress(id, received, total);
    // A report after the end would cover what the end said.
    const DownloadEntry *entry = m_list->entry(id);
    if (entry && entry->state == DownloadEntry::State::Running && total > 0)
        Q_EMIT statusText(toQt(texts::statusDownloadProgress) + entry->fileName
            + QStringLiteral(" (%1 %)").arg(received * 100 / total));
}

void DownloadHandler::end(int id, DownloadEntry::State outcome, const QString &reason)
{
    const DownloadEntry *entry = m_list->entry(id);
    if (!entry)
        return;
    const QString name = entry->fileName;
    const QString path = entry->path;
    if (outcome != DownloadEntry::State::Done)
        removePartialFile(path);
    m_list->finish(id, outcome, reason);
    switch (outcome) {
    case DownloadEntry::State::Done:
        Q_EMIT statusText(toQt(texts::statusDownloadDone) + path);
        break;
    case DownloadEntry::State::Cancelled:
        Q_EMIT statusText(toQt(texts::statusDownloadCancelled) + name);
        break;
    case DownloadEntry::State::Failed:
        Q_EMIT statusText(toQt(texts::statusDownloadFailed) + name + QStringLiteral(" (") + reason
            + QLatin1Char(')'));
        break;
    case DownloadEntry::State::Running:
        break;
    }
}

} // namespace orv
