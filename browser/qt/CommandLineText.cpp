// SPDX-License-Identifier: MIT
#include "browser/qt/CommandLineText.h"

namespace orv {

namespace {

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

} // namespace orv
