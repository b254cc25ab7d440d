// SPDX-License-Identifier: MIT
#pragma once

// What the end-to-end tests do on the desktop, as a user's tools would:
// start the real program, send real X events, read windows and the
// settings file from outside; and the browser window on the real engine
// against the demo site, driven as a user drives it.

#include "browser/qt/frmBrowser.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/EngineSetup.h"
#include "components/qt/WebEngineBrowser.h"
#include "demo/DemoSite.h"
#include "modules/posix/IniSettingsStore.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstring>
#include <functional>
#include <memory>
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
inline QTemporaryDir &testHome()
{
    static QTemporaryDir home;
    return home;
}
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

// A test's own browser windows on the real engine, against the demo site,
// under a window manager as users have one. A test class derives from it
// and adds its test functions; the set-up and the clean-up are these.
class BrowserDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Users have a window manager; window frames change what geometry means.
        m_windowManager = new QProcess(this);
        m_windowManager->start("openbox", {});
        m_windowManager->waitForStarted();
        QTest::qWait(500);
        QVERIFY(m_site.start());
        m_profile = createBrowserProfile(this);
        m_store = std::make_unique<IniSettingsStore>(IniSettingsStore::fileFor("OrvelBrowser"));
    }

    void cleanup()
    {
        if (m_window)
            m_window->close();
        m_window.reset();
        m_site.clearRequests();
        m_shell.clear();
    }

    void cleanupTestCase()
    {
        m_store.reset();
        delete m_profile; // after every page that used it
        m_windowManager->terminate();
        m_windowManager->waitForFinished();
    }

protected:
    demo::DemoSite m_site;
    QWebEngineProfile *m_profile = nullptr;
    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<frmBrowser> m_window;
    QProcess *m_windowManager = nullptr;
    QString m_pdfPath = testHome().filePath("seite.pdf");
    QStringList m_shell; // what went to the desktop's default programs

    // The script's result; the answer may arrive after the page is gone, it
    // must find its place.
    QVariant js(const QString &script, int timeoutMs = 5000)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        view()->page()->runJavaScript(script, [result](const QVariant &r) { *result = r; });
        (void)QTest::qWaitFor([&] { return result->has_value(); }, timeoutMs);
        return result->value_or(QVariant());
    }
    QString pageText() { return js("document.body ? document.body.innerText : ''").toString(); }
    // A click with the mouse, as the user gives it: the page sees a gesture.
    // On the link's first line: a link that wraps has its bounding box's
    // centre between its lines, over another link.
    void userClick(const QString &elementId, Qt::MouseButton button = Qt::LeftButton)
    {
        const QVariantList xy
            = js(QString("(function(){var r=document.getElementById('%1').getClientRects()[0];"
                         "return [r.left+r.width/2, r.top+r.height/2];})()")
                     .arg(elementId))
                  .toList();
        QCOMPARE(xy.size(), 2);
        QWidget *surface = view()->focusProxy() ? view()->focusProxy() : view();
        QTest::mouseClick(surface, button, {}, QPoint(xy.at(0).toInt(), xy.at(1).toInt()));
    }
    void screenshot(const char *file)
    {
        QTest::qWait(300);
        const QImage shot = m_window->screen()->grabWindow(m_window->winId()).toImage();
        QDir().mkpath(QStringLiteral(ORVEL_SCREENSHOT_DIR));
        QVERIFY(shot.save(QStringLiteral(ORVEL_SCREENSHOT_DIR) + "/" + QLatin1String(file)));
    }

    QString main(const QString &path) const { return "http://" + m_site.mainHost() + path; }
    QWebEngineView *view() const
    {
        return static_cast<WebEngineBrowser *>(m_window->browser())->view();
    }
    ActiveBarTool &tool(const char *name, const char *band = "Band1") const
    {
        return m_window->toolbar()->Bands(band).Tools(name);
    }
    QString status() const
    {
        return static_cast<QLabel *>(tool("Status_Info", "StatusBar").widget())->text();
    }

    void open(const QString &commandLine)
    {
        // The program's routing: the maker's hosts and, allow-listed as a
        // maker would add a download mirror, the slow host.
        const WebEngineBrowserOptions options { .trusted
            = TrustedHosts::forMaker(m_site.mainHost(), m_site.shopHost(), m_site.slowHost()),
            .openExternally = [this](const QUrl &url) { m_shell.append(url.toString()); },
            .answerTimeoutMs = 3000,
            .firstRetryMs = 500,
            .rest = { .freeze = std::chrono::milliseconds(300),
                .discard = std::chrono::milliseconds(1500) } };
        m_window = std::make_unique<frmBrowser>(frmBrowser::Dependencies {
            .hosts = { m_site.mainHost().toStdString(), m_site.shopHost().toStdString() },
            .commandLine = commandLine,
            .store = m_store.get(),
            .createBrowser
            = [this, options](
                  QWidget *box) { return new WebEngineBrowser(box, m_profile, options); },
            .showInfoWindow = {},
            .beforeFirstNavigate = {},
            .choosePdfFile = [this](const QString &) { return m_pdfPath; },
            .openWithShell = [this](const QString &path) { m_shell.append(path); },
        });
        QSignalSpy loaded(view()->page(), &QWebEnginePage::loadFinished);
        m_window->Form_Load();
        m_window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), kLoadTimeout);
    }

    // Runs an action and waits until the page has finished the load it starts.
    template <typename Action> void loadBy(Action action)
    {
        QSignalSpy loaded(view()->page(), &QWebEnginePage::loadFinished);
        action();
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), kLoadTimeout);
        QVERIFY(loaded.first().first().toBool());
    }

    bool enabled(const char *name) const { return tool(name).Enabled(); }
    void clickTool(const char *name) { QTest::mouseClick(tool(name).widget(), Qt::LeftButton); }
    void choose(const char *entry)
    {
        auto *box = qobject_cast<QComboBox *>(tool("ID_Seite").widget());
        const int index = box->findText(QLatin1String(entry));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    // Return goes to the box, which keeps the focus and hands keys on itself.
    void enter(const QString &address)
    {
        m_window->addressBox()->lineEdit()->setText(address);
        QTest::keyClick(m_window->addressBox(), Qt::Key_Return);
    }
    // Answers every dialog from the keyboard once it has the focus, as a
    // user would, and each one once: a button's shortcut clicks it a moment
    // later. The dialog runs its own event loop meanwhile.
    void answerDialogs(std::function<void(QWidget *)> answer)
    {
        auto *poll = new QTimer(m_window.get());
        connect(poll, &QTimer::timeout, poll, [answer, answered = QPointer<QWidget>()]() mutable {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == answered || !QApplication::focusWidget()
                || QApplication::focusWidget()->window() != dialog)
                return;
            answered = dialog;
            answer(dialog);
        });
        poll->start(50);
    }
};

// Runs the test class in a fresh home, on the engine set up as the program
// sets it up on this machine, with the engine's extra switches.
template <typename Test>
int runOnDesktop(int argc, char *argv[], const QByteArray &engineFlags = {})
{
    useHome(testHome());
    if (!engineFlags.isEmpty())
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", engineFlags);
    applyEngineSetup();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("OrvelBrowser");
    QApplication::setOrganizationName("OrvelBrowser");
    Test test;
    return QTest::qExec(&test, argc, argv);
}
// The browser windows' tests: little memory for a page's scripts, so that a
// page that eats it dies soon; and the test's own switches.
template <typename Test>
int runBrowserTests(int argc, char *argv[], const QByteArray &moreFlags = {})
{
    const QByteArray flags = "--js-flags=--max-old-space-size=128";
    return runOnDesktop<Test>(argc, argv, moreFlags.isEmpty() ? flags : flags + ' ' + moreFlags);
}

} // namespace orv::test::desktop
