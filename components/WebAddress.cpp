// SPDX-License-Identifier: MIT
#include "components/WebAddress.h"

#include <algorithm>
#include <charconv>

namespace orv {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSchemeName(std::string_view name)
{
    if (name.empty() || !isLetter(name.front()))
        return false;
    return std::all_of(name.begin(), name.end(),
        [](char c) { return isLetter(c) || isDigit(c) || c == '+' || c == '-' || c == '.'; });
}

// Names and IPv4 addresses; percent signs for encoded international names.
bool isHostName(std::string_view host)
{
    return std::all_of(host.begin(), host.end(), [](char c) {
        return isLetter(c) || isDigit(c) || c == '-' || c == '.' || c == '_' || c == '%'
            || static_cast<unsigned char>(c) >= 0x80;
    });
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

} // namespace

std::string WebAddress::hostAndPort() const
{
    const std::string name = host.find(':') == std::string::npos ? host : '[' + host + ']';
    return port < 0 ? name : name + ':' + std::to_string(port);
}

std::optional<WebAddress> parseWebAddress(std::string_view text)
{
    const auto colon = text.find(':');
    // One letter before the colon is a drive ("c:\..."), not a scheme.
    if (colon == std::string_view::npos || colon < 2 || !isSchemeName(text.substr(0, colon)))
        return std::nullopt;
    WebAddress address;
    address.scheme = lowered(text.substr(0, colon));
    address.text = std::string(text);
    std::string_view rest = text.substr(colon + 1);
    if (!rest.starts_with("//"))
        return address; // "mailto:...", "about:blank", "data:..." have no host
    rest.remove_prefix(2);
    std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);

    std::string_view host = authority;
    std::string_view port;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !after.starts_with(':'))
            return std::nullopt;
        if (!after.empty())
            port = after.substr(1);
        if (!std::all_of(host.begin(), host.end(),
                [](char c) { return isDigit(c) || c == ':' || c == '.' || isLetter(c); }))
            return std::nullopt;
    } else {
        if (const auto portColon = authority.find(':'); portColon != std::string_view::npos) {
            host = authority.substr(0, portColon);
            port = authority.substr(portColon + 1);
        }
        if (!isHostName(host))
            return std::nullopt;
    }
    if (!port.empty()) {
        int number = -1;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (error != std::errc() || end != port.data() + port.size() || number < 0
            || number > 65535)
            return std::nullopt;
        address.port = number;
    }
    address.host = lowered(host);
    return address;
}

bool namesScheme(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2)
        return false; // "c:\\..." is a drive, not a scheme
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')))
            return false;
    }
    // Digits up to the end or the path are a port: "localhost:8080".
    const std::string_view rest = text.substr(colon + 1);
    const auto digits = rest.find_first_not_of("0123456789");
    const bool port = digits != 0 && (digits == std::string_view::npos || rest[digits] == '/');
    return !port;
}

std::string htmlEscaped(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\'':
            result += "&#39;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace orv
