// SPDX-License-Identifier: MIT
#pragma once

// What the end-to-end tests do on the desktop, as a user's tools would:
// start the real program, send real X events, read windows and the
// settings file from outside.

#include "demo/DemoSite.h"
#include "modules/posix/IniSettingsStore.h"

#include <QAbstractNativeEventFilter>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <optional>
#include <xcb/xcb.h>

namespace orv::test::desktop {

constexpr int kLoadTimeout = 20000;
const QString kPrefix = QStringLiteral("Harlund Webbrowser... Kategorie: ");
const QStringList kPlacementKeys { "left", "top", "width", "height", "windowstate" };

// The launchers' startup messages on this display, as a desktop's task bar
// reads them: pieces of 20 bytes sent to the root window, joined up to a NUL.
// They are sent with the mask for property changes, which Qt already selects
// on the root window.
class StartupMessages : public QAbstractNativeEventFilter
{
public:
    StartupMessages() { qApp->installNativeEventFilter(this); }
    ~StartupMessages() override { qApp->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *event = static_cast<xcb_client_message_event_t *>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE
            || (event->type != m_begin && event->type != m_more))
            return false;
        QByteArray &text = m_partial[event->window];
        if (event->type == m_begin)
            text.clear();
        const auto *piece = reinterpret_cast<const char *>(event->data.data8);
        text.append(piece, qstrnlen(piece, 20));
        if (qstrnlen(piece, 20) < 20) // up to the NUL
            messages.append(QString::fromUtf8(std::exchange(text, {})));
        return false;
    }

    QStringList messages;

private:
    xcb_atom_t atom(const char *name) const
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(m_connection,
            xcb_intern_atom(m_connection, false, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return result;
    }

    xcb_connection_t *m_connection
        = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_atom_t m_begin = atom("_NET_STARTUP_INFO_BEGIN"), m_more = atom("_NET_STARTUP_INFO");
    QHash<xcb_window_t, QByteArray> m_partial;
};

// The real program, on this display and the demo site, with the
// variables ("NAME=value") added to its environment.
inline void startProgram(QProcess &program, const demo::DemoSite &site, const QString &commandLine,
    const QStringList &variables = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ORVEL_MAIN_HOST", site.mainHost());
    environment.insert("ORVEL_SHOP_HOST", site.shopHost());
    for (const QString &variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(ORVEL_BROWSER_EXECUTABLE), { commandLine });
    QVERIFY(program.waitForStarted());
}
// A tool's output, the event loop running meanwhile; none unless it ran
// and ended with status 0.
inline std::optional<QString> run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000)
        || process.error() != QProcess::UnknownError || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}
// Real X events through the server, as a keyboard gives them.
inline void xdo(const QStringList &arguments)
{
    QVERIFY(run("xdotool", arguments));
}
inline void keys(const QString &sequence)
{
    xdo(QStringList { "key", "--delay", "30" } + sequence.split(' '));
}
inline void type(const QString &text)
{
    xdo({ "type", "--delay", "20", text });
}
// Ctrl+L, the address, Enter.
inline void typeAddress(const QString &address)
{
    keys("ctrl+l");
    type(address);
    keys("Return");
}
// Processor time of a process and all its descendants so far, in clock ticks.
inline qint64 treeCpuTicks(qint64 root)
{
    // By process, what follows the command's name in parentheses: state,
    // ppid, ..., utime (12th), stime.
    QMap<qint64, QStringList> stats;
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(stat.readAll());
        stats.insert(pid.toLongLong(), text.mid(text.lastIndexOf(')') + 2).split(' '));
    }
    qint64 sum = 0;
    for (auto process = stats.cbegin(); process != stats.cend(); ++process) {
        qint64 ancestor = process.key();
        while (ancestor > 1 && ancestor != root)
            ancestor = stats.value(ancestor).value(1).toLongLong();
        if (ancestor == root)
            sum += process->value(11).toLongLong() + process->value(12).toLongLong();
    }
    return sum;
}
// Visible windows of any program whose caption shows the category.
inline QStringList windowsOf(const QString &category)
{
    return run("xdotool", { "search", "--onlyvisible", "--name", kPrefix + category + "$" })
        .value_or(QString())
        .split('\n', Qt::SkipEmptyParts);
}

// Settings, profile and downloads of the test and of the programs it starts
// go to a fresh home of its own; before the application object is made.
inline void useHome(const QTemporaryDir &home)
{
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_CACHE_HOME", root + "/.cache");
}

// A key of a caption's placement as the settings file holds it now.
inline QString filed(const QString &category, const char *key)
{
    return QString::fromStdString(
        IniSettingsStore(IniSettingsStore::fileFor("OrvelBrowser"))
            .GetSetting("OrvelBrowser", (kPrefix + category).toStdString(), key, {}));
}
inline QStringList placementOf(const QString &category)
{
    QStringList values;
    for (const QString &key : kPlacementKeys)
        values.append(filed(category, key.toLatin1().constData()));
    return values;
}
// Files the five keys (left ... windowstate) per category, as a close would.
inline void file(const QMap<QString, QStringList> &placements)
{
    IniSettingsStore store(IniSettingsStore::fileFor("OrvelBrowser"));
    for (auto category = placements.cbegin(); category != placements.cend(); ++category) {
        for (qsizetype i = 0; i < kPlacementKeys.size(); ++i)
            store.SaveSetting("OrvelBrowser", (kPrefix + category.key()).toStdString(),
                kPlacementKeys.at(i).toStdString(), category.value().value(i).toStdString());
    }
    store.flush();
}

} // namespace orv::test::desktop
