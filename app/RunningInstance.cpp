// SPDX-License-Identifier: MIT
#include "app/RunningInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orv::app {

namespace {

// A message is the command line in UTF-8, then the launcher's id, each
// behind its length (4 bytes, big endian); the window answers with one byte
// once it has taken it.
constexpr int kHeader = 4;
constexpr char kTaken = '1';
// How often a waiting start looks whether the process it waits for lives.
constexpr int kLookMs = 200;

QString fileNamePart(const QByteArray &text)
{
    QString part;
    for (const char c : text)
        part += QChar::fromLatin1(
            std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' ? c : '_');
    return part;
}

} // namespace

QString instanceName()
{
    const QString name
        = QStringLiteral("orvelbrowser-%1-x%2-w%3")
              .arg(::getuid())
              .arg(fileNamePart(qgetenv("DISPLAY")), fileNamePart(qgetenv("WAYLAND_DISPLAY")));
    // The user's runtime folder where there is one; the shared temporary
    // folder otherwise, where the user id in the name keeps users apart.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QDir(QString::fromLocal8Bit(runtime)).filePath(name);
    return name;
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InstanceLock::tryTake(const QString &name)
{
    if (m_fd >= 0)
        return true;
    const QString path = QDir::isAbsolutePath(name) ? name : QDir(QDir::tempPath()).filePath(name);
    // Not inherited by the engine's helper processes, which would otherwise
    // keep the lock after this process is gone.
    const int fd = ::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(),
        O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no place for a lock: every start is a first start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool handToRunningInstance(
    InstanceLock &lock, const QString &name, const QString &commandLine, const QByteArray &launchId)
{
    QByteArray message;
    for (const QByteArray &part : { commandLine.toUtf8(), launchId }) {
        QByteArray header(kHeader, '\0');
        qToBigEndian(quint32(part.size()), header.data());
        message += header + part;
    }
    while (!lock.tryTake(name)) {
        // The process lives; it may not listen yet, or be busy (stopped,
        // a long script): ask again until it answers or is gone.
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(kLookMs)) {
            QThread::msleep(kLookMs / 4);
            continue;
        }
        socket.write(message);
        while (socket.state() == QLocalSocket::ConnectedState && socket.bytesAvailable() < 1) {
            socket.waitForReadyRead(kLookMs);
            if (socket.bytesAvailable() < 1 && lock.tryTake(name))
                return false; // it died while this start waited
        }
        if (socket.bytesAvailable() >= 1 && socket.read(1).at(0) == kTaken)
            return true;
    }
    return false;
}

InstanceServer::InstanceServer(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // Both parts, or wait for more.
                const QByteArray pending = socket->peek(socket->bytesAvailable());
                QList<QByteArray> parts;
                for (qsizetype at = 0; parts.size() < 2;) {
                    if (pending.size() < at + kHeader)
                        return;
                    const qint64 length = qFromBigEndian<quint32>(pending.constData() + at);
                    if (pending.size() < at + kHeader + length)
                        return;
                    parts.append(pending.mid(at + kHeader, length));
                    at += kHeader + length;
                }
                socket->readAll();
                const QString commandLine = QString::fromUtf8(parts.at(0));
                // Answer first: the second start ends as soon as it is read.
                socket->write(&kTaken, 1);
                socket->flush();
                socket->disconnectFromServer();
                Q_EMIT commandLineReceived(commandLine, parts.at(1));
            });
        }
    });
}

bool InstanceServer::listen(const QString &name)
{
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void InstanceServer::close()
{
    m_server->close();
}

} // namespace orv::app
