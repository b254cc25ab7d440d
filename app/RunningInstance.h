// SPDX-License-Identifier: MIT
#pragma once

// One process per user and display holds every browser window. The first
// start takes a lock that the kernel holds for it as long as it lives and
// listens on a local socket; a later start hands its command line over and
// ends, waiting as long as that process lives even when it is busy. Only
// when no process holds the lock (none ever ran, or it crashed or was
// killed) does a start open its window itself. The names hold the user id
// and the display, so two users or two displays never reach each other.

#include <QObject>
#include <QString>

class QLocalServer;

namespace orv::app {

QString instanceName();

class InstanceLock
{
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when this process holds the lock now (no other process does).
    bool tryTake(const QString &name);
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Hands the command line, with the launcher's id of this start (see
// StartupNotification.h), to the process that holds the lock. True when it
// took it; false when this process took the lock instead and goes on as the
// first start. Needs no application object of widgets.
bool handToRunningInstance(InstanceLock &lock, const QString &name, const QString &commandLine,
    const QByteArray &launchId);

class InstanceServer : public QObject
{
    Q_OBJECT

public:
    explicit InstanceServer(QObject *parent = nullptr);
    // Listens under the name; only the holder of the lock calls it, so a
    // socket file found there is a dead process's and goes.
    bool listen(const QString &name);
    // Takes no further lines: a start that comes while the program ends
    // waits until it is gone and then opens its window itself.
    void close();

Q_SIGNALS:
    void commandLineReceived(const QString &commandLine, const QByteArray &launchId);

private:
    QLocalServer *m_server;
};

} // namespace orv::app
