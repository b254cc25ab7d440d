// SPDX-License-Identifier: MIT
#include "demo/DemoSite.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTimer>
#include <QUrlQuery>

namespace orv::demo {

namespace {

using StatusCode = QHttpServerResponder::StatusCode;

struct Page
{
    QString title;
    QString body;
};

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

DemoSite::DemoSite(QObject *parent)
    : QObject(parent), m_main(std::make_unique<QHttpServer>()),
      m_shop(std::make_unique<QHttpServer>())
{
    m_main->setMissingHandler(
        [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            handle(Host::Main, request, std::move(responder));
        });
    m_shop->setMissingHandler(
        [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            handle(Host::Shop, request, std::move(responder));
        });
}

DemoSite::~DemoSite() = default;

bool DemoSite::start(quint16 mainPort, quint16 shopPort)
{
    m_mainPort = m_main->listen(QHostAddress::LocalHost, mainPort);
    m_shopPort = m_shop->listen(QHostAddress::LocalHost, shopPort);
    return m_mainPort != 0 && m_shopPort != 0;
}

QString DemoSite::mainHost() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_mainPort);
}

QString DemoSite::shopHost() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_shopPort);
}

QStringList DemoSite::pageRequests() const
{
    QStringList pages;
    for (const QString &entry : m_requests) {
        if (!entry.endsWith(QStringLiteral("/favicon.ico")))
            pages.append(entry);
    }
    return pages;
}

QByteArray DemoSite::downloadBody()
{
    QByteArray body("MZ-demo-installer\n");
    body += QByteArray(4096, 'x');
    return body;
}

void DemoSite::handle(
    Host host, const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    const QUrl url = request.url();
    const QString path = url.path();
    const QUrlQuery query(url);
    const QString target = url.hasQuery() ? path + QLatin1Char('?') + url.query() : path;
    const QString entry
        = (host == Host::Main ? QStringLiteral("main ") : QStringLiteral("shop ")) + target;
    m_requests.append(entry);
    Q_EMIT requested(entry);

    if (host == Host::Main && path.startsWith(QStringLiteral("/files/"))) {
        const QByteArray name = path.mid(7).toUtf8();
        responder.write(downloadBody(),
            { { "Content-Type", "application/octet-stream" },
                { "Content-Disposition", "attachment; filename=\"" + name + '"' } });
        return;
    }
    if (host == Host::Main && path == QStringLiteral("/late.png")) {
        // A picture that arrives in four pieces spread over the given time,
        // keeping the page loading meanwhile.
        const int total = qBound(0, query.queryItemValue(QStringLiteral("ms")).toInt(), 10000);
        static const QByteArray png
            = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z"
                                     "8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");
        auto pending = std::make_shared<QHttpServerResponder>(std::move(responder));
        pending->writeStatusLine();
        pending->writeHeader("Content-Type", "image/png");
        pending->writeHeader("Content-Length", QByteArray::number(png.size()));
        pending->writeBody("");
        const qsizetype piece = (png.size() + 3) / 4;
        for (int i = 0; i < 4; ++i) {
            QTimer::singleShot(total * (i + 1) / 4, this,
                [pending, i, piece] { pending->writeBody(png.mid(i * piece, piece)); });
        }
        return;
    }

    const QString main = QStringLiteral("http://") + mainHost();
    const QString shop = QStringLiteral("http://") + shopHost() + QLatin1Char('/');
    Page page;
    if (host == Host::Shop) {
        if (path == QStringLiteral("/"))
            page = { QStringLiteral("Shop"), QStringLiteral("<p>Willkommen im Shop.</p>") };
    } else if (path == QStringLiteral("/") || path.isEmpty()) {
        page = { QStringLiteral("Startseite"), QStringLiteral("<p>Willkommen bei Harlund.</p>") };
    } else if (path == QStringLiteral("/download/") || path == QStringLiteral("/download")) {
        const QString product = query.queryItemValue(QStringLiteral("produkt"));
        page = { QStringLiteral("Download"),
            QStringLiteral(
                "<p>Downloads für Produkt <span id=product>%1</span>.</p>"
                "<p><a id=file href=\"/files/Harlund-Setup-%1.exe\">Setup herunterladen</a></p>")
                .arg(escaped(product)) };
    } else if (path == QStringLiteral("/software") || path == QStringLiteral("/software/")) {
        const QString program = query.queryItemValue(QStringLiteral("ProgID"));
        page = { QStringLiteral("Programminfo"),
            program.isEmpty() ? QStringLiteral("<p>Alle Programme.</p>")
                              : QStringLiteral("<p>Programm <span id=program>%1</span>.</p>")
                                    .arg(escaped(program)) };
    } else if (path == QStringLiteral("/support")) {
        page = { QStringLiteral("Support"), QStringLiteral("<p>Hilfe und Kontakt.</p>") };
    } else if (path == QStringLiteral("/neuigkeiten")) {
        page = { QStringLiteral("News"), QStringLiteral("<p>Neuigkeiten.</p>") };
    } else if (path == QStringLiteral("/infos")) {
        page = { QStringLiteral("Events"), QStringLiteral("<p>Termine und Veranstaltungen.</p>") };
    } else if (path == QStringLiteral("/ueberuns/mitarbeiter_detail.aspx")) {
        page = { QStringLiteral("Mitarbeiter"),
            QStringLiteral("<p>Mitarbeiter Nr. %1.</p>")
                .arg(escaped(query.queryItemValue(QStringLiteral("id")))) };
    } else if (path == QStringLiteral("/langsam")) {
        const QString ms = query.queryItemValue(QStringLiteral("ms"));
        page = { QStringLiteral("Langsam"),
            QStringLiteral(
                "<p>Diese Seite lädt langsam.</p><img src=\"/late.png?ms=%1\" width=16 height=16>")
                .arg(escaped(ms)) };
    }

    if (page.title.isEmpty()) {
        responder.write(
            QByteArrayLiteral("<!doctype html><title>Nicht gefunden</title><h1>404</h1>"),
            "text/html; charset=utf-8", StatusCode::NotFound);
        return;
    }

    const QString navigation = QStringLiteral(
        "<nav><a href=\"%1\">Startseite</a> | <a href=\"%1/download/?produkt=4711\">Download</a> | "
        "<a href=\"%1/software\">Programminfo</a> | <a id=support href=\"%1/support\">Support</a> "
        "| "
        "<a href=\"%1/neuigkeiten\">News</a> | <a href=\"%1/infos\">Events</a> | "
        "<a href=\"%2\">Shop</a> | <a id=blank target=\"_blank\" href=\"%1/neuigkeiten\">"
        "News in neuem Fenster</a></nav>")
                                   .arg(main, shop);
    const QString html = QStringLiteral(
        "<!doctype html><html lang=de><head><meta charset=utf-8>"
        "<title>%1 - Harlund (Demo)</title>"
        "<style>body{font-family:sans-serif;margin:1.5em;color:#222}"
        "nav{margin-bottom:1em}h1{color:#7a1010}</style></head>"
        "<body>%2<h1>%1</h1>%3<p><small>Lokale Demo-Seite</small></p></body></html>")
                             .arg(page.title, navigation, page.body);
    responder.write(html.toUtf8(), "text/html; charset=utf-8");
}

} // namespace orv::demo
