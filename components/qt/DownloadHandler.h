// SPDX-License-Identifier: MIT
#pragma once

// Saves the page's downloads: into the download folder under a name that no
// file has yet, or, for a picture the user saves himself, where he chooses,
// never over an existing file. Each download shows in the session's list
// and in the status text; a cancelled or failed one leaves no partial file.

#include "components/qt/DownloadList.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QDir;
class QWebEngineDownloadRequest;
class QWidget;

namespace orv {

// A name in the folder that no file has yet: "setup.exe", "setup (1).exe", ...
QString uniqueFileName(const QDir &folder, const QString &suggested);

class DownloadHandler : public QObject
{
    Q_OBJECT

public:
    // Asks where a picture goes, offering this path; empty: nowhere.
    using ChooseFile = std::function<QString(const QString &offered)>;
    // The system's save dialog over this window.
    static ChooseFile saveDialog(QWidget *window);

    DownloadHandler(const QString &folder, ChooseFile chooseFile, QObject *parent = nullptr);

    DownloadList *list() const { return m_list; }
    // The next download is a picture whose place the user chooses.
    void askWhereNext() { m_askWhere = true; }

    // What tells this window's downloads from those of the other windows:
    // the addresses its page went to (a link that turns out to be a file)
    // and the pictures the user saves from it, and the window it shows in.
    void expect(const QUrl &address);
    // How recently the address was expected, comparable across handlers; 0: not.
    quint64 expectation(const QUrl &address) const;
    void showsIn(QWidget *view);
    bool isActive() const;
    // Whether the engine's download of this id is (or was) one of ours.
    bool follows(quint32 engineId) const { return m_taken.contains(engineId); }

    // Accepts a download the engine asks about, or cancels it when the user
    // chose no place for it. The engine asking again about one already taken
    // means that its transfer broke off: it ends as failed.
    void take(QWebEngineDownloadRequest *download);

    // The steps of take(), apart from the engine's request:
    // where a file offered under this name goes; empty: nowhere.
    QString destination(const QString &suggested);
    // Lists a download to this path; stopTransfer ends the engine's part.
    int follow(const QString &path, std::function<void()> stopTransfer);
    void progress(int id, qint64 received, qint64 total);
    // Done, Cancelled or Failed, with the network stack's reason.
    void end(int id, DownloadEntry::State outcome, const QString &reason = QString());

Q_SIGNALS:
    void statusText(const QString &text);
    // A new download was asked about (and accepted, unless it went nowhere).
    void arrived();

private:
    QString m_folder;
    ChooseFile m_chooseFile;
    DownloadList *m_list;
    bool m_askWhere = false;
    // The list's entry of each download taken, by the engine's id for it.
    QHash<quint32, int> m_taken;
    // The addresses expected lately, newest last, with when they were.
    QList<std::pair<QUrl, quint64>> m_expected;
    QPointer<QWidget> m_view;
};

} // namespace orv
