// SPDX-License-Identifier: MIT
#include "components/qt/LinkRouting.h"

#include <QRegularExpression>

namespace orv {

namespace {

// Hosts the window keeps besides the maker's own. The build adds more with
// the CMake cache variable ORVEL_TRUSTED_HOSTS, a user with the environment
// variable of the same name.
const char *const kAllowList[] = {
    "zahlung.harlund-partner.example",
};

QString withoutWww(const QString &host)
{
    return host.startsWith(QLatin1String("www.")) ? host.mid(4) : host;
}

} // namespace

TrustedHosts::TrustedHosts(const QStringList &entries)
{
    for (const QString &raw : entries) {
        const QString text = raw.trimmed().toLower();
        if (text.isEmpty())
            continue;
        const QUrl url(QStringLiteral("http://") + text);
        if (!url.isValid() || url.host().isEmpty())
            continue;
        m_entries.append({ withoutWww(url.host()), url.port(-1) });
    }
}

TrustedHosts TrustedHosts::forMaker(
    const QString &mainHost, const QString &shopHost, const QString &extra)
{
    QStringList entries { mainHost, shopHost };
    for (const char *host : kAllowList)
        entries.append(QLatin1String(host));
    const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    entries += extra.split(separators, Qt::SkipEmptyParts);
    entries += qEnvironmentVariable("ORVEL_TRUSTED_HOSTS").split(separators, Qt::SkipEmptyParts);
    return TrustedHosts(entries);
}

QString TrustedHosts::hostOf(const QUrl &url)
{
    const QString host = url.host().toLower();
    return url.port(-1) == -1 ? host : host + QLatin1Char(':') + QString::number(url.port());
}

bool TrustedHosts::contains(const QString &hostAndPort) const
{
    if (hostAndPort.isEmpty())
        return false;
    const QUrl url(QStringLiteral("http://") + hostAndPort);
    const QString host = url.host();
    const int port = url.port(-1);
    for (const Entry &entry : m_entries) {
        if (entry.port != -1 && entry.port != port)
            continue;
        if (host == entry.domain || host.endsWith(QLatin1Char('.') + entry.domain))
            return true;
    }
    return false;
}

Route routeNavigation(const NavigationRequest &request, const TrustedHosts &trusted)
{
    using K = NavigationKind;
    // What the user typed or picked, and the window's own history, always load here.
    if (request.kind == K::Typed || request.kind == K::BackForward || request.kind == K::Reload)
        return Route::Stay;

    const QString scheme = request.target.scheme().toLower();
    if (scheme == QLatin1String("mailto") || scheme == QLatin1String("tel"))
        return request.userInitiated ? Route::Shell : Route::Ignore;
    // The engine's own content (blank pages, our error pages, inline data).
    if (scheme == QLatin1String("about") || scheme == QLatin1String("data")
        || scheme == QLatin1String("blob"))
        return Route::Stay;
    // Nothing else but the web: a page must not open local files or programs.
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return Route::Ignore;

    const QString target = TrustedHosts::hostOf(request.target);
    if (trusted.contains(target))
        return Route::Stay;
    const bool redirect = request.isRedirect || request.kind == K::Redirect;
    // A navigation that began on the maker's site or in the window itself
    // follows its redirects (the shop handing over to a payment provider).
    if (redirect && (request.currentHost.isEmpty() || trusted.contains(request.currentHost)))
        return Route::Stay;
    // A site that reached the window that way keeps its own pages.
    if (!request.currentHost.isEmpty() && target == request.currentHost.toLower())
        return Route::Stay;
    if (request.userInitiated && !redirect)
        return Route::Shell;
    return Route::Ignore;
}

} // namespace orv
