// SPDX-License-Identifier: MIT
#pragma once

// Where a navigation of the page goes: the maker's pages stay in the window,
// a link the user follows to another site opens in the desktop's default
// program, and what nobody asked for is dropped. Plain data in, plain data
// out, so that every case can be tried without an engine.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace orv {

// The hosts whose pages belong in the window: the maker's main and shop host
// with their subdomains, plus an allow-list (payment providers and the like).
class TrustedHosts
{
public:
    TrustedHosts() = default;
    // Entries are "host" or "host:port"; a leading "www." stands for the
    // whole domain. An entry with a port matches only that port.
    explicit TrustedHosts(const QStringList &entries);

    // The maker's hosts, the built-in allow-list, extra (from the build) and
    // the environment variable ORVEL_TRUSTED_HOSTS (separated by blanks or commas).
    static TrustedHosts forMaker(
        const QString &mainHost, const QString &shopHost, const QString &extra = QString());

    // "host" or "host:port" of an address, as the routing compares them.
    static QString hostOf(const QUrl &url);
    bool contains(const QString &hostAndPort) const;
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    struct Entry
    {
        QString domain;
        int port = -1;
    };
    QList<Entry> m_entries;
};

enum class NavigationKind { Link, Typed, Form, BackForward, Reload, Redirect, Other };

struct NavigationRequest
{
    NavigationKind kind = NavigationKind::Other;
    bool userInitiated = false;
    // Host of the page the navigation starts from; for a redirect, of the page
    // where its chain began. Empty: the window's own navigation (address box,
    // category, command line).
    QString currentHost;
    QUrl target;
    bool isRedirect = false;
};

enum class Route { Stay, Shell, Ignore };

Route routeNavigation(const NavigationRequest &request, const TrustedHosts &trusted);

} // namespace orv
