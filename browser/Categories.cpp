// SPDX-License-Identifier: MIT
#include "browser/Categories.h"

#include "core/Numeric.h"
#include "core/Steps.h"
#include "resources/Texts.h"

#include <algorithm>
#include <cstdlib>

namespace orv {

namespace {

std::string http(std::string_view host, std::string_view path)
{
    std::string address = "http://";
    address += host;
    address += path;
    return address;
}

bool isShop(std::string_view category)
{
    return category == texts::shop || category == texts::shoppingBrd
        || category == texts::shoppingAut;
}

std::string programInfoFor(const CommandLineFields &fields, const Hosts &hosts)
{
    return fields.ProgramTag.empty() ? address::programInfoShort(hosts)
                                     : address::programInfo(hosts, fields.ProductNumber);
}

std::string environmentOr(const char *name, std::string_view fallback)
{
    const char *value = std::getenv(name);
    return value && *value ? std::string(value) : std::string(fallback);
}

} // namespace

Hosts Hosts::fromEnvironment(std::string_view defaultMain, std::string_view defaultShop)
{
    return { environmentOr("ORVEL_MAIN_HOST", defaultMain),
        environmentOr("ORVEL_SHOP_HOST", defaultShop) };
}

CommandLineFields parseCommandLine(std::string_view commandLine)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = commandLine.find('|', start);
        parts.emplace_back(commandLine.substr(start, end - start));
        if (end == std::string_view::npos || parts.size() == 5)
            break;
        start = end + 1;
    }
    parts.resize(5);
    CommandLineFields fields { 0, parts[1], parts[2], parts[3], parts[4] };
    StepRunner steps("command line");
    steps.step([&] { fields.ProductNumber = textToInt32(parts[0]); });
    return fields;
}

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

namespace address {

std::string home(const Hosts &hosts)
{
    return http(hosts.MainHost, "");
}

std::string download(const Hosts &hosts, std::int32_t productNumber)
{
    return http(hosts.MainHost, "/download/?produkt=" + std::to_string(productNumber));
}

std::string programInfoShort(const Hosts &hosts)
{
    return http(hosts.MainHost, "/software");
}

std::string programInfo(const Hosts &hosts, std::int32_t productNumber)
{
    return http(hosts.MainHost, "/software/?ProgID=" + std::to_string(productNumber));
}

std::string support(const Hosts &hosts)
{
    return http(hosts.MainHost, "/support");
}

std::string news(const Hosts &hosts)
{
    return http(hosts.MainHost, "/neuigkeiten");
}

std::string events(const Hosts &hosts)
{
    return http(hosts.MainHost, "/infos");
}

std::string shop(const Hosts &hosts)
{
    return http(hosts.ShopHost, "/");
}

} // namespace address

std::vector<std::string> categoryEntries(const CommandLineFields &fields)
{
    std::vector<std::string> entries;
    for (const std::string_view entry : { texts::startseite, texts::download, texts::programminfo,
             texts::support, texts::news, texts::events, texts::shop })
        entries.emplace_back(entry);
    if (!isBlank(fields.ExtraPageCaption))
        entries.push_back(fields.ExtraPageCaption);
    return entries;
}

StartPage startPageFor(const CommandLineFields &fields, const Hosts &hosts)
{
    const std::string &category = fields.Category;
    if (category == texts::download)
        return { address::download(hosts, fields.ProductNumber), 1 };
    if (category == texts::programminfo)
        return { programInfoFor(fields, hosts), 2 };
    if (category == texts::news)
        return { address::news(hosts), 4 };
    if (category == texts::events)
        return { address::events(hosts), 5 };
    if (category == texts::support)
        return { address::support(hosts), 3 };
    if (isShop(category))
        return { address::shop(hosts), 6 };
    if (category == fields.ExtraPageAddress && !isBlank(fields.ExtraPageAddress))
        return { fields.ExtraPageAddress, 7 };
    return { address::home(hosts), 0 };
}

std::optional<std::string> switchAddressFor(
    std::string_view entry, const CommandLineFields &fields, const Hosts &hosts)
{
    if (entry == texts::startseite)
        return address::home(hosts);
    if (entry == texts::download)
        return address::download(hosts, fields.ProductNumber);
    if (entry == texts::programminfo)
        return programInfoFor(fields, hosts);
    if (entry == texts::support)
        return address::support(hosts);
    if (entry == texts::news)
        return address::news(hosts);
    if (entry == texts::events)
        return address::events(hosts);
    if (isShop(entry))
        return address::shop(hosts);
    if (entry == fields.ExtraPageCaption)
        return fields.ExtraPageAddress;
    return std::nullopt;
}

std::vector<std::string> ownPageAddresses(const CommandLineFields &fields, const Hosts &hosts)
{
    std::vector<std::string> addresses { startPageFor(fields, hosts).address };
    for (const std::string &entry : categoryEntries(fields)) {
        const auto address = switchAddressFor(entry, fields, hosts);
        if (address && !isBlank(*address)
            && std::find(addresses.begin(), addresses.end(), *address) == addresses.end())
            addresses.push_back(*address);
    }
    return addresses;
}

std::string captionFor(std::string_view shownEntry)
{
    std::string caption(texts::captionPrefix);
    caption += shownEntry;
    return caption;
}

} // namespace orv
