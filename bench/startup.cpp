// SPDX-License-Identifier: MIT
// Start-up benchmark: how long after launch a browser program shows a
// realistic page (its onload handler sends a beacon to this server), when it
// asks for the page at all, when its window is mapped and first drawn, and
// how much memory its process tree holds once the page is loaded. Programs
// are run in turn (A B A B ...) on a virtual display of the benchmark's own,
// each with a fresh home folder.
//
//   orvel-bench-startup [--runs N] [--warmup N] [--home-template DIR]
//                       [--handoff NAME] [--session NAME] NAME=COMMAND ...
//
// The first NAME is the baseline. COMMAND is split like a shell line without
// expansion; {url} stands for the page's address. --home-template copies a
// folder into every fresh home (a stored window placement, for example).
//
// --handoff NAME: with NAME's window running, starts NAME again with another
// address, --handoff-runs times, and measures launch to the request of that
// address (the running program opened a window for it) and launch to the
// second start's exit; and the process tree's memory with one window and
// with two.
// --captions NAME=N: NAME's settings file holds N further captions (a
// user's settings after years), to hold its start against the same program
// with a handful.
// --session NAME: a long session in NAME's window, --navigations times: an
// address typed into the window's address box (Ctrl+L, the address, Enter,
// as real key events); PSS and USS of the tree after navigation 10 and at
// the end, and the least USS over the 30 s after each.
// --script-speed: each program also runs a page of allocation-heavy script
// and a page that builds and lays out a large table, four times each, the
// programs in turn;
// prints the median round and the ratio to the baseline.
// At the end a summary holds the figures against their goals: script and
// table time, PSS and onload against the baseline, the session's growth
// against the floor's, and the hand-off.
// --session-floor NAME: NAME (a bare engine with --follow-stdin) then loads
// the same addresses in the same order, written to its standard input, and
// is measured the same way.

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <sys/types.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

struct Program
{
    QString name;
    QStringList command;
    int captions = 0; // further captions in its settings file (--captions)
};

struct Run
{
    double firstRequestMs = 0;
    double onloadMs = 0;
    double pssMiB = 0;
    double ussMiB = 0;
    double mappedMs = 0;
    double drawnMs = 0;
};

// Runs the event loop until done() holds or timeoutMs have passed. The loop
// sleeps between events: a busy wait would take one of the machine's cores
// from the program under test.
bool waitFor(const std::function<bool()> &done, qint64 timeoutMs)
{
    if (done())
        return true;
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done() || waited.elapsed() >= timeoutMs)
            loop.quit();
    });
    tick.start();
    loop.exec();
    return done();
}

void pause(qint64 ms)
{
    waitFor([] { return false; }, ms);
}

QByteArray pngPicture(int seed)
{
    QImage image(320, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 320, 200);
    gradient.setColorAt(0, QColor::fromHsv((seed * 70) % 360, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv((seed * 70 + 120) % 360, 200, 120));
    painter.fillRect(image.rect(), gradient);
    for (int i = 0; i < 40; ++i)
        painter.drawEllipse(
            QPoint((i * 37 + seed * 11) % 320, (i * 23 + seed * 7) % 200), 9 + i % 13, 9 + i % 7);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

const char *const beaconScript = "<script>window.addEventListener('load',function(){"
                                 "if(!(navigator.sendBeacon&&navigator.sendBeacon('/beacon',''))){"
                                 "new Image().src='/beacon';}});</script>";

// A page whose script allocates objects, builds strings, fills a map and
// sorts, five times in a row, then reports each round's milliseconds: how
// fast a program's engine runs script of the heavier kind.
const char *const scriptSpeedPage
    = "<!doctype html><html><body><script>function work(){var t=performance.now(),a=[],s='',"
      "m=new Map(),r=[];for(var i=0;i<300000;i++){a.push({k:'x'+i,v:[i,i*2,String(i)]});"
      "if(a.length>5000)a=[];}for(var j=0;j<20000;j++){s+=j.toString(36);if(s.length>1e4)s='';}"
      "for(var k=0;k<200000;k++)m.set('k'+(k%5000),k);for(var q=0;q<50000;q++)"
      "r.push(Math.sqrt(q)*Math.sin(q));r.sort();return performance.now()-t;}"
      "var ms=[];for(var n=0;n<5;n++)ms.push(work().toFixed(1));"
      "new Image().src='/speed?ms='+ms.join(',');</script></body></html>";

// A page that builds a 5,000-row table of shop articles, lays it out, restyles
// every 50th row with a layout after each, and removes it again, five times:
// how fast a program's engine runs script that works the page's document.
const char *const domSpeedPage
    = "<!doctype html><html><body><script>function work(){var t=performance.now(),"
      "b=document.createElement('table');for(var i=0;i<5000;i++){var r=b.insertRow();"
      "for(var c=0;c<5;c++)r.insertCell().textContent='Artikel '+i+' Feld '+c;}"
      "document.body.appendChild(b);var h=b.offsetHeight;for(var j=0;j<5000;j+=50){"
      "b.rows[j].style.fontSize=(10+j%7)+'px';h+=b.offsetHeight;}document.body.removeChild(b);"
      "return performance.now()-t+(h<0?1:0);}var ms=[];for(var n=0;n<5;n++)ms.push(work()."
      "toFixed(1));new Image().src='/speed?ms='+ms.join(',');</script></body></html>";

// About 100 KB of HTML: a styled article with pictures, a table and a script.
QByteArray benchPage()
{
    QByteArray html
        = "<!doctype html><html lang=de><head><meta charset=utf-8><title>Bench</title>"
          "<link rel=stylesheet href=/style.css><script src=/app.js defer></script></head><body>"
          "<header><h1>Harlund Produktseite</h1><nav>";
    for (int i = 0; i < 12; ++i)
        html += "<a href=#s" + QByteArray::number(i) + ">Abschnitt " + QByteArray::number(i)
            + "</a> ";
    html += "</nav></header><main>";
    const QByteArray sentence = "Dieses Programm verwaltet Kunden, Artikel und Rechnungen "
                                "zuverl\xc3\xa4ssig und schnell. ";
    for (int section = 0; html.size() < 95000; ++section) {
        html += "<section id=s" + QByteArray::number(section) + "><h2>Abschnitt "
            + QByteArray::number(section) + "</h2>";
        if (section % 4 == 0)
            html += "<img src=/pic" + QByteArray::number(section / 4 % 4)
                + ".png width=320 height=200 alt=Bild>";
        for (int p = 0; p < 6; ++p)
            html += "<p class=t" + QByteArray::number(p % 3) + ">" + sentence.repeated(4 + p)
                + "</p>";
        html += "<table><tr><th>Version</th><th>Datum</th><th>Gr\xc3\xb6\xc3\x9f"
                "e</th></tr>";
        for (int r = 0; r < 5; ++r)
            html += "<tr><td>1." + QByteArray::number(r) + "</td><td>0" + QByteArray::number(r + 1)
                + ".01.2014</td><td>" + QByteArray::number(1200 + r * 37) + " KB</td></tr>";
        html += "</table></section>";
    }
    html += "</main><footer>Lokale Benchmark-Seite</footer>";
    html += beaconScript;
    html += "</body></html>";
    return html;
}

// A page of a few KB for every other address: the pages of a long session.
QByteArray smallPage(const QString &path)
{
    QByteArray html = "<!doctype html><html lang=de><head><meta charset=utf-8><title>"
        + path.toHtmlEscaped().toUtf8()
        + "</title><link rel=stylesheet href=/style.css></head><body><h1>"
        + path.toHtmlEscaped().toUtf8() + "</h1><img src=/pic" + QByteArray::number(qHash(path) % 4)
        + ".png width=320 height=200 alt=Bild>";
    for (int p = 0; p < 12; ++p)
        html += "<p class=t" + QByteArray::number(p % 3)
            + ">Neuigkeiten, Termine und Hilfe zu allen Programmen.</p>";
    html += beaconScript;
    html += "</body></html>";
    return html;
}

QByteArray benchStyle()
{
    QByteArray css
        = "body{font-family:sans-serif;margin:0;color:#222;background:#fafafa}"
          "header{background:#7a1010;color:#fff;padding:1em}nav a{color:#fff;margin-right:.5em}"
          "main{max-width:60em;margin:auto;padding:1em}img{float:right;margin:0 0 1em 1em}"
          "table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:.2em .5em}";
    for (int i = 0; i < 60; ++i)
        css += ".t" + QByteArray::number(i) + "{line-height:1." + QByteArray::number(i % 9)
            + ";letter-spacing:." + QByteArray::number(i % 3) + "px}";
    return css;
}

QByteArray benchScript()
{
    return "document.addEventListener('DOMContentLoaded',function(){"
           "var rows=document.querySelectorAll('tr');for(var i=0;i<rows.length;i++){"
           "if(i%2)rows[i].style.background='#f0f0f0';}"
           "var n=document.querySelectorAll('p').length;document.title='Bench '+n;});";
}

// Every process of the tree rooted at root, root included.
QList<pid_t> processTree(pid_t root)
{
    std::multimap<pid_t, pid_t> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool numeric = false;
        const pid_t pid = entry.toInt(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (fields.size() > 1)
            children.emplace(fields.at(1).toInt(), pid);
    }
    QList<pid_t> tree { root };
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const auto [first, last] = children.equal_range(tree.at(i));
        for (auto it = first; it != last; ++it)
            tree.append(it->second);
    }
    return tree;
}

// PSS divides each shared page among all processes that map it, on the
// whole machine: another program of the same libraries running meanwhile
// (a test of another build, say) lowers it. The private part (USS) does not
// depend on other processes.
struct Memory
{
    double pssMiB = 0;
    double ussMiB = 0;
};

Memory treeMemory(const QList<pid_t> &tree)
{
    qint64 pss = 0, uss = 0;
    for (pid_t pid : tree) {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : rollup.readAll().split('\n')) {
            const qint64 kib
                = line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLongLong();
            if (line.startsWith("Pss:"))
                pss += kib;
            else if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:"))
                uss += kib;
        }
    }
    return { double(pss) / 1024.0, double(uss) / 1024.0 };
}

void endTree(pid_t root)
{
    const QList<pid_t> tree = processTree(root);
    for (pid_t pid : tree)
        ::kill(pid, SIGTERM);
    waitFor([root] { return ::kill(root, 0) != 0; }, 3000);
    for (pid_t pid : processTree(root))
        ::kill(pid, SIGKILL);
    for (pid_t pid : tree)
        ::kill(pid, SIGKILL);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary
{
    double median = 0, min = 0, max = 0;
};

Summary summarise(const std::vector<double> &values)
{
    if (values.empty())
        return {};
    return { median(values), *std::min_element(values.begin(), values.end()),
        *std::max_element(values.begin(), values.end()) };
}

// Watches the display for the first top-level window that a program maps,
// and for when that window shows drawn content: a black root (Xvfb -br) and
// windows without a background leave the window black until the program
// first puts its picture there.
class WindowWatch
{
public:
    ~WindowWatch()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    bool open(const QString &display)
    {
        m_connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
        if (!m_connection || xcb_connection_has_error(m_connection))
            return false;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_notifier.emplace(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
        QObject::connect(&*m_notifier, &QSocketNotifier::activated, [this] { poll(); });
        // Events that the library has already read wake no notifier; and the
        // strip is looked at until it is drawn.
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(2);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { poll(); });
        return true;
    }

    void reset(const QElapsedTimer *clock)
    {
        poll();
        m_clock = clock;
        m_window = 0;
        m_mapped.reset();
        m_drawn.reset();
        if (m_connection)
            m_tick.start();
    }

    // Reads the pending events and, once a window is mapped, looks whether
    // its top strip (where the program's toolbar is) has been drawn.
    void poll()
    {
        if (!m_connection)
            return;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && m_clock && !m_window) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (!map->override_redirect && isLarge(map->window)) {
                    m_window = map->window;
                    m_mapped = m_clock->elapsed();
                }
            }
            std::free(event);
        }
        if (m_window && !m_drawn && stripDrawn()) {
            m_drawn = m_clock->elapsed();
            m_tick.stop();
        }
    }

    std::optional<qint64> mapped() const { return m_mapped; }
    std::optional<qint64> drawn() const { return m_drawn; }
    uint32_t window() const { return m_window; }

private:
    bool isLarge(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *geometry
            = xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        const bool large = geometry && geometry->width >= 200 && geometry->height >= 100;
        m_width = geometry ? geometry->width : 0;
        std::free(geometry);
        return large;
    }

    // Drawn once most of the strip is not black.
    bool stripDrawn()
    {
        const uint16_t height = 16;
        xcb_get_image_reply_t *image = xcb_get_image_reply(m_connection,
            xcb_get_image(
                m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, 0, 4, m_width, height, ~0u),
            nullptr);
        if (!image)
            return false;
        const int length = xcb_get_image_data_length(image);
        const uint8_t *data = xcb_get_image_data(image);
        int lit = 0;
        for (int i = 0; i + 3 < length; i += 4)
            lit += (data[i] | data[i + 1] | data[i + 2]) != 0;
        std::free(image);
        return length > 0 && lit * 2 > length / 4;
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    std::optional<QSocketNotifier> m_notifier;
    QTimer m_tick;
    const QElapsedTimer *m_clock = nullptr;
    xcb_window_t m_window = 0;
    uint16_t m_width = 0;
    std::optional<qint64> m_mapped, m_drawn;
};

class Bench : public QObject
{
public:
    Bench(const QString &display, const QString &homeTemplate)
        : m_display(display), m_homeTemplate(homeTemplate)
    {
        m_page = benchPage();
        m_style = benchStyle();
        m_script = benchScript();
        for (int i = 0; i < 4; ++i)
            m_pictures.append(pngPicture(i));
        m_server.setMissingHandler(
            [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
                handle(request, std::move(responder));
            });
        m_port = m_server.listen(QHostAddress::LocalHost, 0);
        m_watch.open(display);
    }

    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    qsizetype pageBytes() const { return m_page.size(); }

    std::optional<Run> runOnce(const Program &program, int timeoutMs)
    {
        QTemporaryDir home;
        QProcess process;
        if (!launch(process, program.command, url(), home.path(), true, program.captions))
            return std::nullopt;
        const pid_t root = pid_t(process.processId());

        waitFor([&] { return m_beacon || process.state() != QProcess::Running; }, timeoutMs);
        std::optional<Run> run;
        if (m_beacon && m_firstRequest) {
            waitFor([&] { return m_clock.elapsed() >= *m_beacon + 1500; }, 2000);
            const Memory memory = treeMemory(processTree(root));
            run = Run { double(*m_firstRequest), double(*m_beacon), memory.pssMiB, memory.ussMiB,
                double(m_watch.mapped().value_or(-1)), double(m_watch.drawn().value_or(-1)) };
        }
        endTree(root);
        process.waitForFinished(3000);
        return run;
    }

    // A speed page's rounds 3 to 5 (the first two warm the engine up), in
    // milliseconds; empty when the program did not report.
    std::vector<double> scriptSpeed(const Program &program, const QString &page)
    {
        QTemporaryDir home;
        QProcess process;
        m_speed.clear();
        std::vector<double> rounds;
        if (launch(process, program.command, url() + page, home.path())
            && waitFor([&] { return !m_speed.isEmpty(); }, 30000)) {
            const QStringList values = m_speed.split(QLatin1Char(','));
            for (qsizetype i = 2; i < values.size(); ++i)
                rounds.push_back(values.at(i).toDouble());
        }
        endTree(pid_t(process.processId()));
        process.waitForFinished(3000);
        return rounds;
    }

    // Launch of a second start to the request of its address, and to its exit.
    struct Handoff
    {
        std::vector<double> requestMs, exitMs;
        Memory oneWindow, twoWindows; // the tree, 1.5 s after each window's page loaded
        int failures = 0;
    };

    Handoff handoff(const Program &program, int count)
    {
        Handoff result;
        QTemporaryDir home;
        QProcess window;
        if (!launch(window, program.command, url(), home.path())
            || !waitFor([&] { return m_beacon.has_value(); }, 30000)) {
            result.failures = count;
            endTree(pid_t(window.processId()));
            return result;
        }
        pause(1500);
        const pid_t root = pid_t(window.processId());
        result.oneWindow = treeMemory(processTree(root));
        for (int i = 0; i < count; ++i) {
            const QString path = QStringLiteral("/h/%1").arg(i);
            const int beacons = m_beacons;
            QProcess second;
            const bool started = launch(second, program.command, url() + path.mid(1), home.path(),
                /*restartClock=*/true);
            const bool taken = started
                && waitFor(
                    [&] {
                        return m_requests.contains(path) && second.state() == QProcess::NotRunning;
                    },
                    10000)
                && second.exitCode() == 0;
            if (taken) {
                result.requestMs.push_back(double(m_requests.value(path)));
                result.exitMs.push_back(double(m_exited));
            } else {
                ++result.failures;
            }
            waitFor([&] { return m_beacons > beacons; }, 10000);
            pause(i == 0 ? 1500 : 200);
            if (i == 0)
                result.twoWindows = treeMemory(processTree(root));
        }
        endTree(pid_t(window.processId()));
        window.waitForFinished(3000);
        return result;
    }

    struct Session
    {
        Memory at10, atEnd;
        Memory mainAt10, mainAtEnd; // the program's own process, without the engine's children
        // The least private memory (USS) the tree held over the 30 s after
        // each of those points: the script engine collects the last pages'
        // garbage when it finds the page idle, 6 to 20 s later in our runs,
        // and one early sample catches it before or after that by chance. USS, as PSS
        // moves with whatever else maps the same libraries meanwhile.
        double settledUssAt10 = 0, settledUssAtEnd = 0;
        int navigations = 0, failures = 0;
        double seconds = 0;
        QStringList pages; // what the navigations loaded, in order
    };

    // A long session in the program's window: navigate(n) starts navigation
    // n, which counts once its page's beacon arrives.
    template <typename Navigate>
    Session session(const Program &program, int navigations, Navigate navigate)
    {
        Session result;
        QTemporaryDir home;
        QProcess window;
        if (!launch(window, program.command, url(), home.path())
            || !waitFor([&] { return m_beacon.has_value() && m_watch.window() != 0; }, 30000)) {
            result.failures = navigations;
            endTree(pid_t(window.processId()));
            return result;
        }
        const pid_t root = pid_t(window.processId());
        auto measure = [&](Memory &tree, Memory &main, double &settledUss) {
            pause(1500);
            tree = treeMemory(processTree(root));
            main = treeMemory({ root });
            settledUss = tree.ussMiB;
            for (int second = 0; second < 30; ++second) {
                pause(1000);
                settledUss = qMin(settledUss, treeMemory(processTree(root)).ussMiB);
            }
        };
        pause(500);
        const qsizetype firstPage = m_pages.size();
        QElapsedTimer took;
        took.start();
        for (int n = 1; n <= navigations; ++n) {
            const int beacons = m_beacons;
            navigate(window, home.path(), n);
            if (waitFor([&] { return m_beacons > beacons; }, 15000))
                ++result.navigations;
            else
                ++result.failures;
            if (n == 10)
                measure(result.at10, result.mainAt10, result.settledUssAt10);
        }
        result.seconds = double(took.elapsed()) / 1000.0;
        measure(result.atEnd, result.mainAtEnd, result.settledUssAtEnd);
        result.pages = m_pages.mid(firstPage);
        endTree(root);
        window.waitForFinished(3000);
        return result;
    }

    // Each navigation typed into the window's address box with real key
    // events, as a user does: Ctrl+L, a new address, Enter.
    Session typedSession(const Program &program, int navigations)
    {
        return session(program, navigations, [&](QProcess &, const QString &, int n) {
            QProcess keys;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("DISPLAY"), m_display);
            keys.setProcessEnvironment(environment);
            keys.start(QStringLiteral("xdotool"),
                { QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                    QString::number(m_watch.window()), QStringLiteral("key"),
                    QStringLiteral("ctrl+l"), QStringLiteral("type"), QStringLiteral("--delay"),
                    QStringLiteral("1"), url() + QStringLiteral("seite/%1").arg(n),
                    QStringLiteral("key"), QStringLiteral("Return") });
            keys.waitForFinished(10000);
        });
    }

    // The same addresses in the same order, each written to the program's
    // standard input.
    Session replayedSession(const Program &program, const QStringList &pages)
    {
        return session(program, int(pages.size()), [&](QProcess &window, const QString &, int n) {
            window.write((url().chopped(1) + pages.at(n - 1) + QLatin1Char('\n')).toUtf8());
        });
    }

private:
    bool launch(QProcess &process, const QStringList &commandTemplate, const QString &address,
        const QString &home, bool restartClock = true, int captions = 0)
    {
        if (!m_homeTemplate.isEmpty())
            copyFolder(m_homeTemplate, home);
        if (captions > 0) {
            QDir().mkpath(home + QStringLiteral("/.config/OrvelBrowser"));
            QFile settings(home + QStringLiteral("/.config/OrvelBrowser/OrvelBrowser.ini"));
            if (settings.open(QIODevice::Append)) {
                for (int i = 0; i < captions; ++i)
                    settings.write(QStringLiteral("\n[Harlund%20Webbrowser...%20Kategorie%3A%20"
                                                  "Seite%20%1]\nheight=15360\nleft=0\ntop=0\n"
                                                  "width=19200\nwindowstate=0\n")
                                       .arg(i)
                                       .toUtf8());
            }
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display);
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
        environment.insert(QStringLiteral("ORVEL_MAIN_HOST"), host());
        environment.insert(QStringLiteral("ORVEL_SHOP_HOST"), host());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (::geteuid() == 0)
            environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));

        QStringList command;
        for (QString part : commandTemplate)
            command.append(part.replace(QStringLiteral("{url}"), address)
                               .replace(QStringLiteral("{home}"), home));
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(
            &process, &QProcess::finished, this, [this] { m_exited = m_clock.elapsed(); });

        if (restartClock) {
            m_firstRequest.reset();
            m_beacon.reset();
            m_requests.clear();
            m_clock.start();
            m_watch.reset(&m_clock);
        }
        process.start(command.first(), command.mid(1));
        return process.waitForStarted(5000);
    }

    static void copyFolder(const QString &from, const QString &to)
    {
        QDirIterator it(
            from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(source, target);
        }
    }

    void handle(const QHttpServerRequest &request, QHttpServerResponder &&responder)
    {
        const qint64 now = m_clock.elapsed();
        if (!m_firstRequest)
            m_firstRequest = now;
        const QString path = request.url().path();
        const bool asset = path == QStringLiteral("/beacon") || path == QStringLiteral("/style.css")
            || path == QStringLiteral("/app.js") || path.startsWith(QStringLiteral("/pic"))
            || path == QStringLiteral("/favicon.ico") || path == QStringLiteral("/speed");
        if (!asset)
            m_pages.append(request.url().toString(QUrl::RemoveScheme | QUrl::RemoveAuthority));
        if (!m_requests.contains(path))
            m_requests.insert(path, now);
        if (path == QStringLiteral("/beacon")) {
            if (!m_beacon)
                m_beacon = now;
            ++m_beacons;
            responder.write(QHttpServerResponder::StatusCode::NoContent);
        } else if (path == QStringLiteral("/style.css")) {
            responder.write(m_style, "text/css");
        } else if (path == QStringLiteral("/app.js")) {
            responder.write(m_script, "text/javascript");
        } else if (path.startsWith(QStringLiteral("/pic"))) {
            responder.write(m_pictures.value(path.mid(4, 1).toInt()), "image/png");
        } else if (path == QStringLiteral("/")) {
            responder.write(m_page, "text/html; charset=utf-8");
        } else if (path == QStringLiteral("/script-speed")) {
            responder.write(QByteArray(scriptSpeedPage), "text/html; charset=utf-8");
        } else if (path == QStringLiteral("/dom-speed")) {
            responder.write(QByteArray(domSpeedPage), "text/html; charset=utf-8");
        } else if (path == QStringLiteral("/speed")) {
            m_speed = QUrlQuery(request.url()).queryItemValue(QStringLiteral("ms"));
            responder.write(QHttpServerResponder::StatusCode::NoContent);
        } else if (path == QStringLiteral("/favicon.ico")) {
            responder.write(QHttpServerResponder::StatusCode::NotFound);
        } else {
            responder.write(smallPage(path), "text/html; charset=utf-8");
        }
    }

    QString m_display;
    QString m_homeTemplate;
    QHttpServer m_server;
    quint16 m_port = 0;
    QByteArray m_page, m_style, m_script;
    QList<QByteArray> m_pictures;
    QElapsedTimer m_clock;
    std::optional<qint64> m_firstRequest;
    std::optional<qint64> m_beacon;
    int m_beacons = 0;
    qint64 m_exited = 0;
    QHash<QString, qint64> m_requests;
    QStringList m_pages; // addresses of the pages asked for, in order
    QString m_speed; // the script-speed page's report
    WindowWatch m_watch;
};

// An X server of our own, so runs do not depend on the session's display.
class VirtualDisplay
{
public:
    bool start()
    {
        m_server.setProgram(QStringLiteral("Xvfb"));
        m_server.setArguments({ QStringLiteral("-displayfd"), QStringLiteral("1"),
            QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
            QStringLiteral("-br"), QStringLiteral("-nolisten"), QStringLiteral("tcp") });
        m_server.start();
        if (!m_server.waitForStarted(5000))
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!m_server.canReadLine() && waited.elapsed() < 10000)
            m_server.waitForReadyRead(200);
        const QByteArray number = m_server.readLine().trimmed();
        m_display
            = number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
        return !m_display.isEmpty();
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(3000);
    }
    QString display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

void printSummaryLine(const char *what, const Summary &s, const char *unit)
{
    std::printf("  %-34s %7.1f %s (%.1f-%.1f)\n", what, s.median, unit, s.min, s.max);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Start-up time and memory of browser programs"));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
        QStringLiteral("Measured runs per program."), QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption warmupOption(QStringLiteral("warmup"),
        QStringLiteral("Unmeasured runs per program."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption templateOption(QStringLiteral("home-template"),
        QStringLiteral("Folder copied into every fresh home."), QStringLiteral("folder"));
    const QCommandLineOption handoffOption(QStringLiteral("handoff"),
        QStringLiteral("Program whose hand-off to its running window is measured."),
        QStringLiteral("name"));
    const QCommandLineOption handoffRunsOption(QStringLiteral("handoff-runs"),
        QStringLiteral("Hand-offs measured (each opens a window that stays)."), QStringLiteral("n"),
        QStringLiteral("10"));
    const QCommandLineOption captionsOption(QStringLiteral("captions"),
        QStringLiteral("NAME=N: N further captions in NAME's settings file."),
        QStringLiteral("name=n"));
    const QCommandLineOption sessionOption(QStringLiteral("session"),
        QStringLiteral("Program driven through a long session."), QStringLiteral("name"));
    const QCommandLineOption scriptSpeedOption(QStringLiteral("script-speed"),
        QStringLiteral("Also time a page of allocation-heavy script in each program."));
    const QCommandLineOption sessionFloorOption(QStringLiteral("session-floor"),
        QStringLiteral("Bare engine that loads the long session's addresses from its input."),
        QStringLiteral("name"));
    const QCommandLineOption navigationsOption(QStringLiteral("navigations"),
        QStringLiteral("Navigations of the long session."), QStringLiteral("n"),
        QStringLiteral("200"));
    parser.addOptions({ runsOption, warmupOption, templateOption, handoffOption, handoffRunsOption,
        sessionOption, sessionFloorOption, navigationsOption, scriptSpeedOption, captionsOption });
    parser.addPositionalArgument(
        QStringLiteral("programs"), QStringLiteral("NAME=COMMAND ..., baseline first"));
    parser.process(application);

    std::vector<Program> programs;
    for (const QString &argument : parser.positionalArguments()) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals <= 0)
            parser.showHelp(2);
        programs.push_back(
            { argument.left(equals), QProcess::splitCommand(argument.mid(equals + 1)) });
    }
    if (programs.empty())
        parser.showHelp(2);
    for (const QString &captions : parser.values(captionsOption)) {
        for (Program &program : programs) {
            if (program.name == captions.section(QLatin1Char('='), 0, 0))
                program.captions = captions.section(QLatin1Char('='), 1).toInt();
        }
    }
    const int runs = parser.value(runsOption).toInt();
    const int warmup = qMax(0, parser.value(warmupOption).toInt());
    auto programNamed = [&](const QString &name) -> const Program * {
        for (const Program &program : programs) {
            if (program.name == name)
                return &program;
        }
        return nullptr;
    };

    VirtualDisplay display;
    if (!display.start()) {
        std::fputs("bench: cannot start Xvfb\n", stderr);
        return 1;
    }
    Bench bench(display.display(), parser.value(templateOption));
    std::printf("page %s (%lld bytes of HTML), display %s, %d runs after %d warm-up per program\n",
        qPrintable(bench.url()), static_cast<long long>(bench.pageBytes()),
        qPrintable(display.display()), runs, warmup);

    std::map<QString, std::vector<Run>> results;
    int failures = 0;
    double basePssMedian = 0;
    for (int round = 0; runs > 0 && round < warmup + runs; ++round) {
        for (const Program &program : programs) {
            const auto run = bench.runOnce(program, 30000);
            if (!run) {
                ++failures;
                std::printf(
                    "  %-14s round %d: no beacon within 30 s\n", qPrintable(program.name), round);
                continue;
            }
            std::printf("  %-14s round %d: first request %4.0f ms, onload %4.0f ms, mapped %4.0f "
                        "ms, drawn %4.0f ms, PSS %6.1f MiB, USS %6.1f MiB%s\n",
                qPrintable(program.name), round, run->firstRequestMs, run->onloadMs, run->mappedMs,
                run->drawnMs, run->pssMiB, run->ussMiB, round < warmup ? "  (warm-up)" : "");
            std::fflush(stdout);
            if (round >= warmup)
                results[program.name].push_back(*run);
        }
    }

    if (runs > 0) {
        auto figure = [&](const QString &name, double Run::*field) {
            std::vector<double> values;
            for (const Run &run : results[name])
                values.push_back(run.*field);
            return summarise(values);
        };
        const QString base = programs.front().name;
        const Summary baseOnload = figure(base, &Run::onloadMs);
        const Summary basePss = figure(base, &Run::pssMiB);
        basePssMedian = basePss.median;
        const Summary baseMapped = figure(base, &Run::mappedMs);
        const Summary baseUss = figure(base, &Run::ussMiB);
        std::printf("\n%-14s %-20s %-20s %-22s %-22s %s\n", "program", "first request ms",
            "onload ms", "PSS MiB", "USS MiB", "ratio onload / PSS / USS");
        for (const Program &program : programs) {
            const Summary first = figure(program.name, &Run::firstRequestMs);
            const Summary onload = figure(program.name, &Run::onloadMs);
            const Summary pss = figure(program.name, &Run::pssMiB);
            const Summary uss = figure(program.name, &Run::ussMiB);
            std::printf("%-14s %4.0f (%4.0f-%4.0f)     %4.0f (%4.0f-%4.0f)     %5.1f "
                        "(%5.1f-%5.1f)    %5.1f (%5.1f-%5.1f)    %.2f / %.2f / %.2f\n",
                qPrintable(program.name), first.median, first.min, first.max, onload.median,
                onload.min, onload.max, pss.median, pss.min, pss.max, uss.median, uss.min, uss.max,
                baseOnload.median > 0 ? onload.median / baseOnload.median : 0,
                basePss.median > 0 ? pss.median / basePss.median : 0,
                baseUss.median > 0 ? uss.median / baseUss.median : 0);
        }
        std::printf("\n%-14s %-20s %-20s %s\n", "program", "window mapped ms", "first drawn ms",
            "drawn - baseline mapped");
        for (const Program &program : programs) {
            const Summary mapped = figure(program.name, &Run::mappedMs);
            const Summary drawn = figure(program.name, &Run::drawnMs);
            std::printf("%-14s %4.0f (%4.0f-%4.0f)     %4.0f (%4.0f-%4.0f)     %+.0f ms\n",
                qPrintable(program.name), mapped.median, mapped.min, mapped.max, drawn.median,
                drawn.min, drawn.max, drawn.median - baseMapped.median);
        }
        std::printf("baseline: %s; medians of %d runs each (min-max); failed runs: %d\n",
            qPrintable(base), runs, failures);
    }

    // Goal, measured value and whether it holds, printed together at the end.
    struct Goal
    {
        QString what;
        double value;
        double limit;
        QString unit;
    };
    std::vector<Goal> goals;
    auto ratioOf = [&](const QString &name, double Run::*field) {
        std::vector<double> mine, base;
        for (const Run &run : results[name])
            mine.push_back(run.*field);
        for (const Run &run : results[programs.front().name])
            base.push_back(run.*field);
        const double b = summarise(base).median;
        return b > 0 ? summarise(mine).median / b : 0.0;
    };
    const Program *measured = parser.isSet(sessionOption)
        ? programNamed(parser.value(sessionOption))
        : (parser.isSet(handoffOption) ? programNamed(parser.value(handoffOption)) : nullptr);
    if (runs > 0 && measured && measured != &programs.front()) {
        goals.push_back({ QStringLiteral("onload / baseline"),
            ratioOf(measured->name, &Run::onloadMs), 1.05, QString() });
        goals.push_back({ QStringLiteral("PSS after onload / baseline"),
            ratioOf(measured->name, &Run::pssMiB), 1.00, QString() });
    }

    if (parser.isSet(scriptSpeedOption)) {
        for (const auto &[page, title] :
            { std::pair { QStringLiteral("script-speed"), "allocation-heavy script" },
                std::pair {
                    QStringLiteral("dom-speed"), "a 5,000-row table built and laid out" } }) {
            constexpr int starts = 4;
            std::printf("\n== script speed: %s, rounds 3 to 5 of each of %d starts, the programs "
                        "in turn\n",
                title, starts);
            // In turn, as the start-up runs: a machine that gets busier
            // meanwhile slows every program alike. Each turn begins with the
            // next program: with the floor always first, its own variants took
            // 1.06 of its time on the table page on average, which may be the
            // place in the turn rather than the program.
            std::vector<std::vector<double>> rounds(programs.size());
            for (int run = 0; run < starts; ++run) {
                for (size_t k = 0; k < programs.size(); ++k) {
                    const size_t i = (size_t(run) + k) % programs.size();
                    const std::vector<double> more = bench.scriptSpeed(programs[i], page);
                    rounds[i].insert(rounds[i].end(), more.begin(), more.end());
                }
            }
            double base = 0;
            for (size_t i = 0; i < programs.size(); ++i) {
                const Program &program = programs[i];
                const Summary speed = summarise(rounds[i]);
                if (base == 0)
                    base = speed.median;
                std::printf("  %-14s %6.1f ms (%.1f-%.1f), %.2f of the baseline; %zu rounds\n",
                    qPrintable(program.name), speed.median, speed.min, speed.max,
                    base > 0 ? speed.median / base : 0, rounds[i].size());
                std::fflush(stdout);
                if (rounds[i].empty())
                    ++failures;
                else if (&program == measured && base > 0)
                    goals.push_back({ QStringLiteral("%1 / baseline").arg(QLatin1String(title)),
                        speed.median / base, 1.05, QString() });
            }
        }
    }

    if (parser.isSet(handoffOption)) {
        const Program *program = programNamed(parser.value(handoffOption));
        const int count = qMax(1, parser.value(handoffRunsOption).toInt());
        if (!program)
            parser.showHelp(2);
        const Bench::Handoff h = bench.handoff(*program, count);
        std::printf("\n== second start: %s hands its command line to the running window\n",
            qPrintable(program->name));
        printSummaryLine("launch to the page's request", summarise(h.requestMs), "ms");
        printSummaryLine("launch to the second start's exit", summarise(h.exitMs), "ms");
        std::printf(
            "  medians of %zu hand-offs (min-max); failed: %d\n", h.requestMs.size(), h.failures);
        failures += h.failures;
        goals.push_back({ QStringLiteral("second start, launch to its window's page request"),
            summarise(h.requestMs).median, 100, QStringLiteral(" ms") });
        // What a second window costs, against what a second bare engine
        // process tree costs (the baseline's own start).
        const double added = h.twoWindows.pssMiB - h.oneWindow.pssMiB;
        std::printf("  tree PSS with one window %.1f MiB, with two %.1f MiB: the second adds "
                    "%.1f MiB; a bare engine's whole tree (%s) %.1f MiB\n",
            h.oneWindow.pssMiB, h.twoWindows.pssMiB, added, qPrintable(programs.front().name),
            basePssMedian);
        if (basePssMedian > 0)
            goals.push_back({ QStringLiteral("second window's PSS, against a bare engine's tree"),
                added, basePssMedian, QStringLiteral(" MiB") });
    }

    if (parser.isSet(sessionOption)) {
        const Program *program = programNamed(parser.value(sessionOption));
        const Program *floor = parser.isSet(sessionFloorOption)
            ? programNamed(parser.value(sessionFloorOption))
            : nullptr;
        const int navigations = qMax(10, parser.value(navigationsOption).toInt());
        if (!program || (parser.isSet(sessionFloorOption) && !floor))
            parser.showHelp(2);
        auto growth = [](double from, double to) {
            return from > 0 ? (to / from - 1.0) * 100.0 : 0;
        };
        auto report = [&](const QString &name, const Bench::Session &s) {
            std::printf(
                "  %-14s PSS %.1f -> %.1f MiB (%+.1f %%), USS %.1f -> %.1f MiB (%+.1f %%); "
                "its own process PSS %.1f -> %.1f MiB, the engine's children %.1f -> %.1f "
                "MiB; settled USS %.1f -> %.1f MiB (%+.1f MiB); %.0f s, loaded %d, failed %d\n",
                qPrintable(name), s.at10.pssMiB, s.atEnd.pssMiB,
                growth(s.at10.pssMiB, s.atEnd.pssMiB), s.at10.ussMiB, s.atEnd.ussMiB,
                growth(s.at10.ussMiB, s.atEnd.ussMiB), s.mainAt10.pssMiB, s.mainAtEnd.pssMiB,
                s.at10.pssMiB - s.mainAt10.pssMiB, s.atEnd.pssMiB - s.mainAtEnd.pssMiB,
                s.settledUssAt10, s.settledUssAtEnd, s.settledUssAtEnd - s.settledUssAt10,
                s.seconds, s.navigations, s.failures);
            std::fflush(stdout);
        };
        std::printf("\n== long session: %d addresses typed into the window, "
                    "memory of the tree after navigation 10 and after the last\n",
            navigations);
        const Bench::Session session = bench.typedSession(*program, navigations);
        report(program->name, session);
        failures += session.failures;
        if (floor) {
            const Bench::Session replayed = bench.replayedSession(*floor, session.pages);
            report(floor->name + QStringLiteral(" (same addresses)"), replayed);
            failures += replayed.failures;
            // In MiB: a share of the start would favour the program whose
            // window, and so its start, is larger.
            auto added = [](const Bench::Session &s) {
                return s.settledUssAtEnd - s.settledUssAt10;
            };
            goals.push_back({ QStringLiteral("session's settled USS growth, against the floor's"),
                added(session), added(replayed), QStringLiteral(" MiB") });
        }
    }

    if (!goals.empty()) {
        std::printf("\n== goals (%s against %s)\n", measured ? qPrintable(measured->name) : "",
            qPrintable(programs.front().name));
        for (const Goal &goal : goals)
            std::printf("  %-52s %8.2f%s  goal <= %.2f%s  %s\n", qPrintable(goal.what), goal.value,
                qPrintable(goal.unit), goal.limit, qPrintable(goal.unit),
                goal.value <= goal.limit ? "holds" : "MISSED");
    }

    return failures == 0 ? 0 : 1;
}
