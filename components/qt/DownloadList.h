// SPDX-License-Identifier: MIT
#pragma once

// The files downloaded in this session, newest last: what the window shows
// in its download list and asks about before it closes. The web browser
// control fills it; cancelling goes back to the control through the
// callback each entry was added with.

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace orv {

struct DownloadEntry
{
    enum class State { Running, Done, Failed, Cancelled };

    int id = 0;
    QString fileName;
    QString path; // where the file is (or was going to be) saved
    qint64 received = 0;
    qint64 total = -1; // -1: unknown
    State state = State::Running;
    QString failure; // why it failed, as the network stack says it

    // "1,5 MB von 4,0 MB (37 %)", "12 KB" while the size is unknown.
    QString progressText() const;
    int percent() const; // -1 while the size is unknown
};

class DownloadList : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    int add(const QString &fileName, const QString &path, std::function<void()> cancel);
    void setProgress(int id, qint64 received, qint64 total);
    void finish(int id, DownloadEntry::State state, const QString &failure = QString());

    // Asks the control to stop the download; it reports the outcome.
    void cancel(int id);
    void cancelRunning();

    const QList<DownloadEntry> &entries() const { return m_entries; }
    const DownloadEntry *entry(int id) const;
    int runningCount() const;

Q_SIGNALS:
    void added(int id);
    void changed(int id);

private:
    DownloadEntry *find(int id);

    QList<DownloadEntry> m_entries;
    QList<std::function<void()>> m_cancels;
    int m_nextId = 1;
};

} // namespace orv
