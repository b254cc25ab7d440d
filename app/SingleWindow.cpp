// SPDX-License-Identifier: MIT
#include "app/SingleWindow.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <cctype>
#include <unistd.h>

namespace orv::app {

namespace {

// A message is the command line in UTF-8, then the launcher's id, each
// behind its length (4 bytes, big endian); the window answers with one byte
// once it has taken it.
constexpr int kHeader = 4;
constexpr char kTaken = '1';
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;

QString fileNamePart(const QByteArray &text)
{
    QString part;
    for (const char c : text)
        part += QChar::fromLatin1(
            std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' ? c : '_');
    return part;
}

} // namespace

bool singleWindowWanted()
{
    const QByteArray off = qgetenv("ORVEL_NO_SINGLE_WINDOW");
    return off.isEmpty() || off == "0";
}

QString singleWindowName()
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

bool handToRunningWindow(
    const QString &name, const QString &commandLine, const QByteArray &launchId)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    QByteArray message;
    for (const QByteArray &part : { commandLine.toUtf8(), launchId }) {
        QByteArray header(kHeader, '\0');
        qToBigEndian(quint32(part.size()), header.data());
        message += header + part;
    }
    socket.write(message);
    if (!socket.waitForBytesWritten(kAnswerMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kAnswerMs))
            return false;
    }
    return socket.read(1).at(0) == kTaken;
}

SingleWindowServer::SingleWindowServer(QObject *parent)
    : QObject(parent), m_server(new QLocalServer(this))
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

bool SingleWindowServer::listen(const QString &name)
{
    if (m_server->listen(name))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // A socket file left by a window that crashed answers nobody.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectMs))
        return false;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

} // namespace orv::app
