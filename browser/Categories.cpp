// SPDX-License-Identifier: MIT
#include "browser/Categories.h"

#include "core/Numeric.h"
#include "core/Steps.h"
#include "resources/Texts.h"

namespace orv {

namespace {

QString http(const QString &host, const QString &path)
{
    return QStringLiteral("http://") + host + path;
}

bool isShop(const QString &category)
{
    return category == texts::shop() || category == texts::shoppingBrd()
        || category == texts::shoppingAut();
}

QString programInfoFor(const CommandLineFields &fields, const Hosts &hosts)
{
    return fields.ProgramTag.isEmpty() ? address::programInfoShort(hosts)
                                       : address::programInfo(hosts, fields.ProductNumber);
}

// 1-based position of the first occurrence of what in text at or after
// start, 0 when there is none; an empty what is found at start.
qsizetype instr(qsizetype start, const QString &text, const QString &what)
{
    if (start > text.size() + 1)
        return 0;
    if (what.isEmpty())
        return start;
    const qsizetype index = text.indexOf(what, start - 1, Qt::CaseSensitive);
    return index < 0 ? 0 : index + 1;
}

// The options QGuiApplication, QApplication and the X11 platform take out
// of the arguments, with whether the next argument is their value.
struct ToolkitOption
{
    const char *name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = { { "platform", true }, { "platformpluginpath", true },
    { "platformtheme", true }, { "plugin", true }, { "qwindowgeometry", true },
    { "geometry", true }, { "qwindowtitle", true }, { "title", true }, { "qwindowicon", true },
    { "icon", true }, { "display", true }, { "name", true }, { "session", true }, { "style", true },
    { "stylesheet", true }, { "qmljsdebugger", true }, { "reverse", false },
    { "widgetcount", false }, { "nograb", false }, { "dograb", false }, { "sync", false },
    { "testability", false } };

// How many arguments from this one on are a toolkit option: 0, 1 or 2.
int toolkitOptionLength(const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('-')))
        return 0;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    if (equals >= 0)
        name.truncate(equals);
    for (const ToolkitOption &option : kToolkitOptions) {
        if (name == QLatin1String(option.name))
            return option.takesValue && equals < 0 ? 2 : 1;
    }
    return 0;
}

} // namespace

QString commandLineText(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 1; i < arguments.size();) {
        const int length = toolkitOptionLength(arguments.at(i));
        if (length == 0)
            kept.append(arguments.at(i));
        i += qMax(length, 1);
    }
    return kept.join(QLatin1Char(' '));
}

Hosts Hosts::fromEnvironment(const QString &defaultMain, const QString &defaultShop)
{
    const QString main = qEnvironmentVariable("ORVEL_MAIN_HOST");
    const QString shop = qEnvironmentVariable("ORVEL_SHOP_HOST");
    return { main.isEmpty() ? defaultMain : main, shop.isEmpty() ? defaultShop : shop };
}

CommandLineFields parseCommandLine(const QString &commandLine)
{
    const QStringList parts = commandLine.split(QLatin1Char('|'));
    const auto field = [&](qsizetype index) {
        return parts.value(index);
    };
    CommandLineFields fields { 0, field(1), field(2), field(3), field(4) };
    StepRunner steps("command line");
    steps.step([&] { fields.ProductNumber = textToInt32(field(0).toStdString()); });
    return fields;
}

QString GetField(const QString &text, const QString &separator, int n)
{
    const QString work = separator.size() == 1 ? text + separator : text;
    int count = 0;
    qsizetype position = 0;
    qsizetype previous = 0;
    do {
        ++count;
        previous = position;
        position = instr(previous + 1, work, separator);
    } while (count != n && position != 0 && count < n);
    if (count == n && position - previous - 1 >= 1)
        return work.mid(previous, position - previous - 1);
    return QString();
}

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

namespace address {

QString home(const Hosts &hosts)
{
    return http(hosts.MainHost, QString());
}

QString download(const Hosts &hosts, qint32 productNumber)
{
    return http(
        hosts.MainHost, QStringLiteral("/download/?produkt=") + QString::number(productNumber));
}

QString programInfoShort(const Hosts &hosts)
{
    return http(hosts.MainHost, QStringLiteral("/software"));
}

QString programInfo(const Hosts &hosts, qint32 productNumber)
{
    return http(
        hosts.MainHost, QStringLiteral("/software/?ProgID=") + QString::number(productNumber));
}

QString support(const Hosts &hosts)
{
    return http(hosts.MainHost, QStringLiteral("/support"));
}

QString news(const Hosts &hosts)
{
    return http(hosts.MainHost, QStringLiteral("/neuigkeiten"));
}

QString events(const Hosts &hosts)
{
    return http(hosts.MainHost, QStringLiteral("/infos"));
}

QString shop(const Hosts &hosts)
{
    return http(hosts.ShopHost, QStringLiteral("/"));
}

} // namespace address

QStringList categoryEntries(const CommandLineFields &fields)
{
    QStringList entries { texts::startseite(), texts::download(), texts::programminfo(),
        texts::support(), texts::news(), texts::events(), texts::shop() };
    if (!isBlank(fields.ExtraPageCaption))
        entries.append(fields.ExtraPageCaption);
    return entries;
}

StartPage startPageFor(const CommandLineFields &fields, const Hosts &hosts)
{
    const QString &category = fields.Category;
    if (category == texts::download())
        return { address::download(hosts, fields.ProductNumber), 1 };
    if (category == texts::programminfo())
        return { programInfoFor(fields, hosts), 2 };
    if (category == texts::news())
        return { address::news(hosts), 4 };
    if (category == texts::events())
        return { address::events(hosts), 5 };
    if (category == texts::support())
        return { address::support(hosts), 3 };
    if (isShop(category))
        return { address::shop(hosts), 6 };
    if (category == fields.ExtraPageAddress && !isBlank(fields.ExtraPageAddress))
        return { fields.ExtraPageAddress, 7 };
    return { address::home(hosts), 0 };
}

std::optional<QString> switchAddressFor(
    const QString &entry, const CommandLineFields &fields, const Hosts &hosts)
{
    if (entry == texts::startseite())
        return address::home(hosts);
    if (entry == texts::download())
        return address::download(hosts, fields.ProductNumber);
    if (entry == texts::programminfo())
        return programInfoFor(fields, hosts);
    if (entry == texts::support())
        return address::support(hosts);
    if (entry == texts::news())
        return address::news(hosts);
    if (entry == texts::events())
        return address::events(hosts);
    if (isShop(entry))
        return address::shop(hosts);
    if (entry == fields.ExtraPageCaption)
        return fields.ExtraPageAddress;
    return std::nullopt;
}

} // namespace orv
