// SPDX-License-Identifier: MIT
// Start-up benchmark: how long after launch a browser program shows a
// realistic page (its onload handler sends a beacon to this server), when it
// asks for the page at all, and how much memory its process tree holds once
// the page is loaded. Programs are run in turn (A B A B ...) on a virtual
// display of the benchmark's own, each with a fresh home folder.
//
//   orvel-bench-startup [--runs N] [--warmup N] NAME=COMMAND ...
//
// The first NAME is the baseline. COMMAND is split like a shell line without
// expansion; {url} stands for the page's address.

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <map>
#include <optional>
#include <sys/types.h>
#include <unistd.h>

namespace {

struct Program
{
    QString name;
    QStringList command;
};

struct Run
{
    double firstRequestMs = 0;
    double onloadMs = 0;
    double pssMiB = 0;
};

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
    html += "</main><footer>Lokale Benchmark-Seite</footer>"
            "<script>window.addEventListener('load',function(){"
            "if(!(navigator.sendBeacon&&navigator.sendBeacon('/beacon',''))){new "
            "Image().src='/beacon';}});"
            "</script></body></html>";
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

double pssMiB(const QList<pid_t> &tree)
{
    qint64 kib = 0;
    for (pid_t pid : tree) {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : rollup.readAll().split('\n')) {
            if (line.startsWith("Pss:"))
                kib += line.mid(4).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return double(kib) / 1024.0;
}

void endTree(pid_t root)
{
    const QList<pid_t> tree = processTree(root);
    for (pid_t pid : tree)
        ::kill(pid, SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000 && ::kill(root, 0) == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        usleep(20000);
    }
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

class Bench : public QObject
{
public:
    Bench()
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
    }

    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }
    qsizetype pageBytes() const { return m_page.size(); }

    std::optional<Run> runOnce(const Program &program, const QString &display, int timeoutMs)
    {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(
            QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
        environment.insert(
            QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
        environment.insert(
            QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (::geteuid() == 0)
            environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));

        QStringList command;
        for (QString part : program.command)
            command.append(part.replace(QStringLiteral("{url}"), url()));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());

        m_firstRequest.reset();
        m_beacon.reset();
        m_clock.start();
        process.start(command.first(), command.mid(1));
        if (!process.waitForStarted(5000))
            return std::nullopt;
        const pid_t root = pid_t(process.processId());

        QElapsedTimer waiting;
        waiting.start();
        while (!m_beacon && waiting.elapsed() < timeoutMs && process.state() == QProcess::Running)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::optional<Run> run;
        if (m_beacon && m_firstRequest) {
            const qint64 settleUntil = *m_beacon + 1500;
            while (m_clock.elapsed() < settleUntil)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            run = Run { double(*m_firstRequest), double(*m_beacon), pssMiB(processTree(root)) };
        }
        endTree(root);
        process.waitForFinished(3000);
        return run;
    }

private:
    void handle(const QHttpServerRequest &request, QHttpServerResponder &&responder)
    {
        const qint64 now = m_clock.elapsed();
        if (!m_firstRequest)
            m_firstRequest = now;
        const QString path = request.url().path();
        if (path == QStringLiteral("/beacon")) {
            if (!m_beacon)
                m_beacon = now;
            responder.write(QHttpServerResponder::StatusCode::NoContent);
        } else if (path == QStringLiteral("/style.css")) {
            responder.write(m_style, "text/css");
        } else if (path == QStringLiteral("/app.js")) {
            responder.write(m_script, "text/javascript");
        } else if (path.startsWith(QStringLiteral("/pic"))) {
            responder.write(m_pictures.value(path.mid(4, 1).toInt()), "image/png");
        } else if (path == QStringLiteral("/")) {
            responder.write(m_page, "text/html; charset=utf-8");
        } else {
            responder.write(QHttpServerResponder::StatusCode::NotFound);
        }
    }

    QHttpServer m_server;
    quint16 m_port = 0;
    QByteArray m_page, m_style, m_script;
    QList<QByteArray> m_pictures;
    QElapsedTimer m_clock;
    std::optional<qint64> m_firstRequest;
    std::optional<qint64> m_beacon;
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
            QStringLiteral("-nolisten"), QStringLiteral("tcp") });
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
    parser.addOption(runsOption);
    parser.addOption(warmupOption);
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
    const int runs = qMax(1, parser.value(runsOption).toInt());
    const int warmup = qMax(0, parser.value(warmupOption).toInt());

    VirtualDisplay display;
    if (!display.start()) {
        std::fputs("bench: cannot start Xvfb\n", stderr);
        return 1;
    }
    Bench bench;
    std::printf("page %s (%lld bytes of HTML), display %s, %d runs after %d warm-up per program\n",
        qPrintable(bench.url()), static_cast<long long>(bench.pageBytes()),
        qPrintable(display.display()), runs, warmup);

    std::map<QString, std::vector<Run>> results;
    int failures = 0;
    for (int round = 0; round < warmup + runs; ++round) {
        for (const Program &program : programs) {
            const auto run = bench.runOnce(program, display.display(), 30000);
            if (!run) {
                ++failures;
                std::printf(
                    "  %-12s round %d: no beacon within 30 s\n", qPrintable(program.name), round);
                continue;
            }
            std::printf(
                "  %-12s round %d: first request %6.0f ms, onload %6.0f ms, PSS %6.1f MiB%s\n",
                qPrintable(program.name), round, run->firstRequestMs, run->onloadMs, run->pssMiB,
                round < warmup ? "  (warm-up)" : "");
            std::fflush(stdout);
            if (round >= warmup)
                results[program.name].push_back(*run);
        }
    }

    struct Figures
    {
        double first[3], onload[3], pss[3]; // median, min, max
    };
    auto summarise = [](const std::vector<Run> &runs, double Run::*field, double out[3]) {
        std::vector<double> values;
        for (const Run &run : runs)
            values.push_back(run.*field);
        out[0] = median(values);
        out[1] = values.empty() ? 0 : *std::min_element(values.begin(), values.end());
        out[2] = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    };
    std::map<QString, Figures> figures;
    for (const Program &program : programs) {
        Figures f {};
        summarise(results[program.name], &Run::firstRequestMs, f.first);
        summarise(results[program.name], &Run::onloadMs, f.onload);
        summarise(results[program.name], &Run::pssMiB, f.pss);
        figures[program.name] = f;
    }
    const Figures &base = figures[programs.front().name];
    std::printf("\n%-12s %-22s %-22s %-22s %s\n", "program", "first request ms", "onload ms",
        "PSS MiB", "ratio onload / PSS");
    for (const Program &program : programs) {
        const Figures &f = figures[program.name];
        std::printf("%-12s %5.0f (%5.0f-%5.0f)    %5.0f (%5.0f-%5.0f)    %5.1f (%5.1f-%5.1f)    "
                    "%.2f / %.2f\n",
            qPrintable(program.name), f.first[0], f.first[1], f.first[2], f.onload[0], f.onload[1],
            f.onload[2], f.pss[0], f.pss[1], f.pss[2],
            base.onload[0] > 0 ? f.onload[0] / base.onload[0] : 0,
            base.pss[0] > 0 ? f.pss[0] / base.pss[0] : 0);
    }
    std::printf("baseline: %s; medians of %d runs each; failed runs: %d\n",
        qPrintable(programs.front().name), runs, failures);
    return failures == 0 ? 0 : 1;
}
