// SPDX-License-Identifier: MIT
#pragma once

// The command line and the category tables of the browser window: which
// address each category opens, at start and when the user switches.

#include <QString>
#include <QStringList>

#include <optional>

namespace orv {

// The maker's two hosts ("host" or "host:port"); every address is http://host/path.
struct Hosts
{
    QString MainHost;
    QString ShopHost;

    // The environment variables ORVEL_MAIN_HOST and ORVEL_SHOP_HOST, when set
    // and not empty, replace the built-in defaults.
    static Hosts fromEnvironment(const QString &defaultMain, const QString &defaultShop);
};

// The five fields of the command line, written by the load step and
// anew when a later start hands its line over.
struct CommandLineFields
{
    qint32 ProductNumber = 0;
    QString ProgramTag;
    QString Category;
    QString ExtraPageCaption;
    QString ExtraPageAddress;
};

// The command line as one text: the arguments after the program's path,
// joined by single blanks, quotes kept. Qt's own options (-platform xcb,
// -style=fusion, -reverse, ...) are the toolkit's, never part of the line,
// also when a later start hands its arguments on unparsed.
QString commandLineText(const QStringList &arguments);

// All five fields of a command line in one pass, each as GetField(text,
// "|", n) reads it; a field 1 that is no 32-bit number leaves ProductNumber 0.
CommandLineFields parseCommandLine(const QString &commandLine);

// Field n (from 1) of text, split at separator. A one-character separator
// also closes the last field; fields are not trimmed; n < 1 gives "".
QString GetField(const QString &text, const QString &separator, int n);

// Empty after removing leading and trailing spaces (only spaces count).
bool isBlank(const QString &text);

namespace address {
QString home(const Hosts &hosts);
QString download(const Hosts &hosts, qint32 productNumber);
QString programInfoShort(const Hosts &hosts);
QString programInfo(const Hosts &hosts, qint32 productNumber);
QString support(const Hosts &hosts);
QString news(const Hosts &hosts);
QString events(const Hosts &hosts);
QString shop(const Hosts &hosts);
} // namespace address

// The entries of the category list, in list order (seven, or eight with a
// non-blank extra page caption, added untrimmed).
QStringList categoryEntries(const CommandLineFields &fields);

struct StartPage
{
    QString address;
    int position = 0; // list position to select
};

// The page opened at start for the command line's category.
StartPage startPageFor(const CommandLineFields &fields, const Hosts &hosts);

// The page opened when the user chooses an entry; nothing for an unknown one.
std::optional<QString> switchAddressFor(
    const QString &entry, const CommandLineFields &fields, const Hosts &hosts);

} // namespace orv
