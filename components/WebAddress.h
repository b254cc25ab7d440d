// SPDX-License-Identifier: MIT
#pragma once

// A web address as the rules about pages see it: its scheme, host and port
// to decide by, and its text to load and to show. Each front end fills it
// from its own toolkit's parser at its edge; parseWebAddress is the plain
// one, for the trusted hosts' entries and for engines that hand over bare
// address texts.

#include <optional>
#include <string>
#include <string_view>

namespace orv {

struct WebAddress
{
    std::string scheme; // lower case, without the colon
    std::string host; // lower case; IPv6 without brackets
    int port = -1; // -1: none given
    std::string text; // the address as loaded, encoded
    std::string shown; // the address as people read it; empty: text

    // "host" or "host:port", as the routing compares hosts; IPv6 hosts keep
    // their brackets so that the port stays apart.
    std::string hostAndPort() const;
    const std::string &forPeople() const { return shown.empty() ? text : shown; }
};

// The parts of "scheme:..." ("scheme://[user@]host[:port]/..."). Nothing for
// a text without a scheme, with a port that is no number up to 65535, or
// with characters no host name has.
std::optional<WebAddress> parseWebAddress(std::string_view text);

// Whether a typed text begins with its scheme ("https://...", "about:blank",
// "mailto:..."); a drive ("c:\\...") and a host with its port
// ("localhost:8080/a") do not, and get the web's scheme put in front.
bool namesScheme(std::string_view text);

// The text with &, <, >, " and ' written as entities, for HTML.
std::string htmlEscaped(std::string_view text);

} // namespace orv
