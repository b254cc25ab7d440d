// SPDX-License-Identifier: MIT
#pragma once

// A small stand-in for the maker's web site on loopback: one server for the
// main host and one for the shop host, a page for every category address,
// staff pages, a file download and a page whose picture arrives late. A
// third server plays another company's site (the shop's checkout redirects
// there), and a fourth, slow one has a page that never answers, a large file
// that trickles in, and the other faults of servers under /fehler/. A fifth
// serves https with a certificate nobody trusts. The main host also has pages
// behind a login (/intern/NAME/, realm "Harlund NAME"), a page that asks for
// a permission (/erlaubnis?was=mitteilungen, standort, kamera, mikrofon or
// bildschirm), one that opens a window on the other company's site
// (/fenster), a page that stops answering once loaded (/haengt) and one that
// eats memory until its display process dies (/speicher). It records every
// request so that tests can see what the browser asked for.

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QTcpServer;
class QTcpSocket;

namespace orv::demo {

class DemoSite : public QObject
{
    Q_OBJECT

public:
    enum class Host { Main, Shop, Foreign, Slow, Secure };

    explicit DemoSite(QObject *parent = nullptr);
    ~DemoSite() override;

    // Listens on 127.0.0.1; port 0 picks a free port. False when a port is taken.
    bool start(quint16 mainPort = 0, quint16 shopPort = 0);

    QString mainHost() const; // "127.0.0.1:port"
    QString shopHost() const;
    QString foreignHost() const;
    QString slowHost() const;
    QString secureHost() const;

    // Closes the host's port (the browser then finds nobody there) and opens
    // the same port again.
    void stop(Host host);
    bool restart(Host host);

    // "main /download/?produkt=4711", "shop /", in arrival order.
    QStringList requests() const { return m_requests; }
    // The same without the icon requests that the engine makes on its own.
    QStringList pageRequests() const;
    void clearRequests()
    {
        m_requests.clear();
        m_logins.clear();
    }
    // What each request for a page behind the login carried: "user:password",
    // or "" for none.
    QStringList logins() const { return m_logins; }
    static constexpr const char *kLoginUser = "kunde";
    static constexpr const char *kLoginPassword = "geheim";

    // The file served at /files/<name>.
    static QByteArray downloadBody();
    // Size of the file the slow host trickles out at /gross.bin.
    static constexpr qint64 kLargeFileSize = 64 * 1024 * 1024;
    // Cuts every /gross.bin still being sent, as a server that goes down
    // does; /fehler/downloads-abbrechen on the slow host does the same.
    void cutDownloads();

Q_SIGNALS:
    void requested(const QString &entry);

private:
    void handle(Host host, const QHttpServerRequest &request, QHttpServerResponder &&responder);
    std::unique_ptr<QHttpServer> makeServer(Host host);
    std::unique_ptr<QHttpServer> &server(Host host);
    void record(const QString &entry);
    void serveSlowly(QTcpSocket *socket);
    bool serveFault(QTcpSocket *socket, const QString &path);

    std::unique_ptr<QHttpServer> m_main;
    std::unique_ptr<QHttpServer> m_shop;
    std::unique_ptr<QHttpServer> m_foreign;
    std::unique_ptr<QHttpServer> m_secure;
    QTcpServer *m_slow = nullptr;
    QList<QPointer<QTcpSocket>> m_largeDownloads;
    quint16 m_mainPort = 0;
    quint16 m_shopPort = 0;
    quint16 m_foreignPort = 0;
    quint16 m_securePort = 0;
    QStringList m_requests;
    QStringList m_logins;
};

} // namespace orv::demo
