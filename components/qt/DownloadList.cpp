// SPDX-License-Identifier: MIT
#include "components/qt/DownloadList.h"

#include <QLocale>

namespace orv {

namespace {

QString size(qint64 bytes)
{
    static const QLocale german(QLocale::German, QLocale::Germany);
    if (bytes < 1024)
        return QStringLiteral("%1 Bytes").arg(bytes);
    if (bytes < 1024 * 1024)
        return german.toString(double(bytes) / 1024, 'f', 0) + QStringLiteral(" KB");
    if (bytes < qint64(1024) * 1024 * 1024)
        return german.toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
    return german.toString(double(bytes) / (1024.0 * 1024 * 1024), 'f', 2) + QStringLiteral(" GB");
}

} // namespace

int DownloadEntry::percent() const
{
    if (total <= 0)
        return -1;
    return int(qBound(qint64(0), received * 100 / total, qint64(100)));
}

QString DownloadEntry::progressText() const
{
    if (total <= 0)
        return size(received);
    return size(received) + QStringLiteral(" von ") + size(total)
        + QStringLiteral(" (%1 %)").arg(percent());
}

int DownloadList::add(const QString &fileName, const QString &path, std::function<void()> cancel)
{
    DownloadEntry entry;
    entry.id = m_nextId++;
    entry.fileName = fileName;
    entry.path = path;
    m_entries.append(entry);
    m_cancels.append(std::move(cancel));
    Q_EMIT added(entry.id);
    return entry.id;
}

DownloadEntry *DownloadList::find(int id)
{
    for (DownloadEntry &entry : m_entries) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

const DownloadEntry *DownloadList::entry(int id) const
{
    return const_cast<DownloadList *>(this)->find(id);
}

void DownloadList::setProgress(int id, qint64 received, qint64 total)
{
    DownloadEntry *entry = find(id);
    if (!entry || entry->state != DownloadEntry::State::Running)
        return;
    entry->received = received;
    entry->total = total;
    Q_EMIT changed(id);
}

void DownloadList::finish(int id, DownloadEntry::State state, const QString &failure)
{
    DownloadEntry *entry = find(id);
    if (!entry || entry->state != DownloadEntry::State::Running)
        return;
    entry->state = state;
    entry->failure = failure;
    if (state == DownloadEntry::State::Done && entry->total > 0)
        entry->received = entry->total;
    Q_EMIT changed(id);
}

void DownloadList::cancel(int id)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).id == id && m_entries.at(i).state == DownloadEntry::State::Running
            && m_cancels.at(i))
            m_cancels.at(i)();
    }
}

void DownloadList::cancelRunning()
{
    for (const DownloadEntry &entry : QList<DownloadEntry>(m_entries))
        cancel(entry.id);
}

int DownloadList::runningCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(),
        [](const DownloadEntry &e) { return e.state == DownloadEntry::State::Running; }));
}

} // namespace orv
