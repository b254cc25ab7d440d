// SPDX-License-Identifier: MIT
#pragma once

// Where a navigation of the page goes: the maker's pages stay in the window,
// a link the user follows to another site opens in the desktop's default
// program, and what nobody asked for is dropped. Plain data in, plain data
// out, so that every engine's adapter decides alike and every case can be
// tried without an engine.

#include "components/WebAddress.h"

#include <concepts>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Hosts as given, UTF-8; a toolkit's string that converts itself to UTF-8
// (toStdString(), as Qt's does) is taken as it comes, so that a front end
// hands its texts over as they are.
struct HostsText
{
    std::string utf8;

    HostsText(std::string_view text = {}) : utf8(text) { }
    HostsText(std::string text) : utf8(std::move(text)) { }
    HostsText(const char *text) : utf8(text ? text : "") { }
    template <class Text>
    requires requires(const Text &text)
    {
        {
            text.toStdString()
            } -> std::convertible_to<std::string>;
    }
    HostsText(const Text &text) : utf8(text.toStdString()) { }
};

// The hosts whose pages belong in the window: the maker's main and shop host
// with their subdomains, plus an allow-list (payment providers and the like).
class TrustedHosts
{
public:
    TrustedHosts() = default;
    // Entries are "host" or "host:port"; a leading "www." stands for the
    // whole domain. An entry with a port matches only that port. Entries
    // that are no host are left out.
    explicit TrustedHosts(const std::vector<std::string> &entries);

    // The maker's hosts, the built-in allow-list, extra (from the build) and
    // the environment variable ORVEL_TRUSTED_HOSTS (separated by blanks,
    // commas or semicolons).
    static TrustedHosts forMaker(
        const HostsText &mainHost, const HostsText &shopHost, const HostsText &extra = {});

    bool contains(std::string_view hostAndPort) const;
    bool isEmpty() const { return m_entries.empty(); }

private:
    struct Entry
    {
        std::string domain;
        int port = -1;
    };
    std::vector<Entry> m_entries;
};

enum class NavigationKind { Link, Typed, Form, BackForward, Reload, Redirect, Other };

struct NavigationRequest
{
    NavigationKind kind = NavigationKind::Other;
    bool userInitiated = false;
    // Host of the page the navigation starts from; for a redirect, of the page
    // where its chain began. Empty: the window's own navigation (address box,
    // category, command line).
    std::string currentHost;
    WebAddress target;
    bool isRedirect = false;
};

enum class Route { Stay, Shell, Ignore };

Route routeNavigation(const NavigationRequest &request, const TrustedHosts &trusted);

// The routing of one view's main frame: it remembers where the redirect
// chain under way began, and which address one of the program's own pages
// stands in for, whose button loads that address here.
class NavigationRouter
{
public:
    // Empty: every page loads here, as in a plain browser.
    explicit NavigationRouter(TrustedHosts trusted = {}) : m_trusted(std::move(trusted)) { }

    // pageHost: "host[:port]" of the page shown, empty when there is none.
    // While an own page shows, links count as from the address it stands for.
    Route route(NavigationKind kind, bool userInitiated, bool isRedirect, const WebAddress &target,
        const std::string &pageHost);

    // Empty text: no own page shows.
    void setStandIn(WebAddress address) { m_standIn = std::move(address); }
    const WebAddress &standIn() const { return m_standIn; }
    const TrustedHosts &trusted() const { return m_trusted; }

private:
    TrustedHosts m_trusted;
    WebAddress m_standIn;
    std::string m_chainOrigin;
};

} // namespace orv
