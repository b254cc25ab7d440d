// SPDX-License-Identifier: MIT
#pragma once

// The command line and the category tables of the browser window: which
// address each category opens, at start and when the user switches. Texts
// are UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The maker's two hosts ("host" or "host:port"); every address is http://host/path.
struct Hosts
{
    std::string MainHost;
    std::string ShopHost;

    // The environment variables ORVEL_MAIN_HOST and ORVEL_SHOP_HOST, when set
    // and not empty, replace the built-in defaults.
    static Hosts fromEnvironment(std::string_view defaultMain, std::string_view defaultShop);
};

// The five fields of the command line, written by the load step.
struct CommandLineFields
{
    std::int32_t ProductNumber = 0;
    std::string ProgramTag;
    std::string Category;
    std::string ExtraPageCaption;
    std::string ExtraPageAddress;
};

// The fields of a command line split at "|", in order: product number,
// program tag, category, extra page caption, extra page address. Missing
// fields are empty, surplus ones ignored, nothing is trimmed or unquoted; a
// field 1 that is no 32-bit number leaves ProductNumber 0.
CommandLineFields parseCommandLine(std::string_view commandLine);

// Empty after removing leading and trailing spaces (only spaces count).
bool isBlank(std::string_view text);

namespace address {
std::string home(const Hosts &hosts);
std::string download(const Hosts &hosts, std::int32_t productNumber);
std::string programInfoShort(const Hosts &hosts);
std::string programInfo(const Hosts &hosts, std::int32_t productNumber);
std::string support(const Hosts &hosts);
std::string news(const Hosts &hosts);
std::string events(const Hosts &hosts);
std::string shop(const Hosts &hosts);
} // namespace address

// The entries of the category list, in list order (seven, or eight with a
// non-blank extra page caption, added untrimmed).
std::vector<std::string> categoryEntries(const CommandLineFields &fields);

struct StartPage
{
    std::string address;
    int position = 0; // list position to select
};

// The page opened at start for the command line's category.
StartPage startPageFor(const CommandLineFields &fields, const Hosts &hosts);

// The page opened when the user chooses an entry; nothing for an unknown one.
std::optional<std::string> switchAddressFor(
    std::string_view entry, const CommandLineFields &fields, const Hosts &hosts);

// The addresses of every entry of the category list and of the page opened
// at start: the window's own pages, whose last good copy is kept.
std::vector<std::string> ownPageAddresses(const CommandLineFields &fields, const Hosts &hosts);

// The window's caption while the category list shows the entry.
std::string captionFor(std::string_view shownEntry);

} // namespace orv
