// SPDX-License-Identifier: MIT
#pragma once

// A small stand-in for the maker's web site on loopback: one server for the
// main host and one for the shop host, a page for every category address,
// staff pages, a file download and a page whose picture arrives late. It
// records every request so that tests can see what the browser asked for.

#include <QHostAddress>
#include <QObject>
#include <QStringList>

#include <memory>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;

namespace orv::demo {

class DemoSite : public QObject
{
    Q_OBJECT

public:
    enum class Host { Main, Shop };

    explicit DemoSite(QObject *parent = nullptr);
    ~DemoSite() override;

    // Listens on 127.0.0.1; port 0 picks a free port. False when a port is taken.
    bool start(quint16 mainPort = 0, quint16 shopPort = 0);

    QString mainHost() const; // "127.0.0.1:port"
    QString shopHost() const;

    // "main /download/?produkt=4711", "shop /", in arrival order.
    QStringList requests() const { return m_requests; }
    // The same without the icon requests that the engine makes on its own.
    QStringList pageRequests() const;
    void clearRequests() { m_requests.clear(); }

    // The file served at /files/<name>.
    static QByteArray downloadBody();

Q_SIGNALS:
    void requested(const QString &entry);

private:
    void handle(Host host, const QHttpServerRequest &request, QHttpServerResponder &&responder);

    std::unique_ptr<QHttpServer> m_main;
    std::unique_ptr<QHttpServer> m_shop;
    quint16 m_mainPort = 0;
    quint16 m_shopPort = 0;
    QStringList m_requests;
};

} // namespace orv::demo
