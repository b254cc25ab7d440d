// SPDX-License-Identifier: MIT
// The floor for start-up benchmarks: the smallest Qt WebEngine program that
// loads one address in a view.
//
//   orvel-bare-engine [--rendering-setup | --lean-setup] [--stored-profile]
//                     [--rect X,Y,WxH] [--follow-stdin] ADDRESS
//
// --rendering-setup makes the same rendering choice as orvelbrowser (the
// software scene graph and --disable-gpu where there is no GPU render node),
// and nothing else of its set-up; --lean-setup adds orvelbrowser's trimming
// of the process tree; without either the engine keeps its defaults.
// --stored-profile keeps cookies and the cache on disk, as orvelbrowser
// does, instead of the default profile that keeps nothing.
// --rect places the view's window; 1024x768 otherwise.
// --follow-stdin loads each line of standard input as it arrives, for a long
// session driven by the benchmark.

#include "components/qt/EngineSetup.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstring>
#include <memory>
#include <optional>
#include <unistd.h>

int main(int argc, char *argv[])
{
    std::optional<orv::EngineProcesses> setup;
    QRect geometry;
    const char *address = "";
    bool storedProfile = false;
    bool followStdin = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rendering-setup") == 0) {
            setup = orv::EngineProcesses::Defaults;
        } else if (std::strcmp(argv[i], "--lean-setup") == 0) {
            setup = orv::EngineProcesses::Lean;
        } else if (std::strcmp(argv[i], "--stored-profile") == 0) {
            storedProfile = true;
        } else if (std::strcmp(argv[i], "--follow-stdin") == 0) {
            followStdin = true;
        } else if (std::strcmp(argv[i], "--rect") == 0 && i + 1 < argc) {
            const QRegularExpressionMatch m
                = QRegularExpression(QStringLiteral("^(\\d+),(\\d+),(\\d+)x(\\d+)$"))
                      .match(QString::fromLatin1(argv[++i]));
            if (m.hasMatch())
                geometry = QRect(m.captured(1).toInt(), m.captured(2).toInt(),
                    m.captured(3).toInt(), m.captured(4).toInt());
        } else {
            address = argv[i];
        }
    }
    if (setup)
        orv::applyEngineSetup(*setup);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::unique_ptr<QWebEngineProfile> profile; // outlives the view's page
    QWebEngineView view;
    if (storedProfile) {
        profile = std::make_unique<QWebEngineProfile>(QStringLiteral("bare"));
        profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
        view.setPage(new QWebEnginePage(profile.get(), &view));
    }
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(address)));
    if (geometry.isValid()) {
        view.move(geometry.topLeft());
        view.resize(geometry.size());
    } else {
        view.resize(1024, 768);
    }
    view.show();
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(followStdin);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(buffer, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            view.load(QUrl(QString::fromUtf8(pending.left(end))));
    });
    return QApplication::exec();
}
