// SPDX-License-Identifier: MIT
#include "components/LinkRouting.h"

#include <cstdlib>

namespace orv {

namespace {

// Hosts the window keeps besides the maker's own. The build adds more with
// the CMake cache variable ORVEL_TRUSTED_HOSTS, a user with the environment
// variable of the same name.
const char *const kAllowList[] = {
    "zahlung.harlund-partner.example",
};

std::string withoutWww(const std::string &host)
{
    return host.starts_with("www.") ? host.substr(4) : host;
}

void appendSplit(std::vector<std::string> &entries, std::string_view text)
{
    constexpr std::string_view separators = " \t\r\n\f\v,;";
    while (!text.empty()) {
        const auto start = text.find_first_not_of(separators);
        if (start == std::string_view::npos)
            return;
        text.remove_prefix(start);
        const auto end = text.find_first_of(separators);
        entries.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
}

// "host" or "host:port" as the address a bare host names.
std::optional<WebAddress> asHost(std::string_view hostAndPort)
{
    if (hostAndPort.empty())
        return std::nullopt;
    auto address = parseWebAddress("http://" + std::string(hostAndPort));
    if (!address || address->host.empty())
        return std::nullopt;
    return address;
}

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

TrustedHosts::TrustedHosts(const std::vector<std::string> &entries)
{
    for (const std::string &raw : entries) {
        const auto start = raw.find_first_not_of(" \t\r\n");
        const auto end = raw.find_last_not_of(" \t\r\n");
        if (start == std::string::npos)
            continue;
        if (const auto address = asHost(std::string_view(raw).substr(start, end - start + 1)))
            m_entries.push_back({ withoutWww(address->host), address->port });
    }
}

TrustedHosts TrustedHosts::forMaker(
    const HostsText &mainHost, const HostsText &shopHost, const HostsText &extra)
{
    std::vector<std::string> entries { mainHost.utf8, shopHost.utf8 };
    for (const char *host : kAllowList)
        entries.emplace_back(host);
    appendSplit(entries, extra.utf8);
    if (const char *added = std::getenv("ORVEL_TRUSTED_HOSTS"))
        appendSplit(entries, added);
    return TrustedHosts(entries);
}

bool TrustedHosts::contains(std::string_view hostAndPort) const
{
    const auto address = asHost(hostAndPort);
    if (!address)
        return false;
    for (const Entry &entry : m_entries) {
        if (entry.port != -1 && entry.port != address->port)
            continue;
        if (address->host == entry.domain || address->host.ends_with('.' + entry.domain))
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

    const std::string &scheme = request.target.scheme;
    if (scheme == "mailto" || scheme == "tel")
        return request.userInitiated ? Route::Shell : Route::Ignore;
    // The engine's own content (blank pages, our error pages, inline data).
    if (scheme == "about" || scheme == "data" || scheme == "blob")
        return Route::Stay;
    // Nothing else but the web: a page must not open local files or programs.
    if (scheme != "http" && scheme != "https")
        return Route::Ignore;

    const std::string target = request.target.hostAndPort();
    if (trusted.contains(target))
        return Route::Stay;
    const bool redirect = request.isRedirect || request.kind == K::Redirect;
    // A navigation that began on the maker's site or in the window itself
    // follows its redirects (the shop handing over to a payment provider).
    if (redirect && (request.currentHost.empty() || trusted.contains(request.currentHost)))
        return Route::Stay;
    // A site that reached the window that way keeps its own pages.
    if (!request.currentHost.empty() && sameText(target, request.currentHost))
        return Route::Stay;
    if (request.userInitiated && !redirect)
        return Route::Shell;
    return Route::Ignore;
}

Route NavigationRouter::route(NavigationKind kind, bool userInitiated, bool isRedirect,
    const WebAddress &target, const std::string &pageHost)
{
    // The button of our own page loads the page it stands in for.
    if ((!m_standIn.text.empty() && target.text == m_standIn.text) || m_trusted.isEmpty())
        return Route::Stay;
    NavigationRequest request;
    request.kind = kind;
    request.userInitiated = userInitiated;
    request.isRedirect = isRedirect || kind == NavigationKind::Redirect;
    request.target = target;
    const std::string from = m_standIn.text.empty() ? pageHost : m_standIn.hostAndPort();
    request.currentHost = request.isRedirect ? m_chainOrigin : from;

    const Route route = routeNavigation(request, m_trusted);
    if (route == Route::Stay && !request.isRedirect) {
        // A redirect chain starts here: in the window's own hands, on the
        // maker's site, or on a site the maker's site led to.
        if (kind == NavigationKind::Typed || kind == NavigationKind::BackForward
            || kind == NavigationKind::Reload || from.empty())
            m_chainOrigin.clear();
        else if (m_trusted.contains(from))
            m_chainOrigin = from;
    }
    return route;
}

} // namespace orv
