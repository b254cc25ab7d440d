// SPDX-License-Identifier: MIT
#pragma once

// One browser window per user and display. The first start listens on a
// local socket; a later start hands its command line over and ends. The
// socket's name holds the user id and the display, so two users or two
// displays never reach each other's window.

#include <QObject>

class QLocalServer;

namespace orv::app {

// ORVEL_NO_SINGLE_WINDOW=1 lets every start open its own window.
bool singleWindowWanted();
QString singleWindowName();

// Hands the command line, with the launcher's id of this start (see
// StartupNotification.h), to the window of this user and display. True when
// a window took it over; false when none runs (or it did not answer).
// Needs no application object of widgets.
bool handToRunningWindow(
    const QString &name, const QString &commandLine, const QByteArray &launchId);

class SingleWindowServer : public QObject
{
    Q_OBJECT

public:
    explicit SingleWindowServer(QObject *parent = nullptr);
    // False when the name is taken by another live window (two first starts
    // at once); this one then goes on as a window of its own.
    bool listen(const QString &name);

Q_SIGNALS:
    void commandLineReceived(const QString &commandLine, const QByteArray &launchId);

private:
    QLocalServer *m_server;
};

} // namespace orv::app
