// SPDX-License-Identifier: MIT
// The demo site as a program: serves the main and the shop host on loopback
// and prints their host:port texts as environment assignments.

#include "demo/DemoSite.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local demo site for OrvelBrowser"));
    parser.addHelpOption();
    const QCommandLineOption mainPort(QStringLiteral("main-port"),
        QStringLiteral("Port of the main host (0: any)."), QStringLiteral("port"),
        QStringLiteral("0"));
    const QCommandLineOption shopPort(QStringLiteral("shop-port"),
        QStringLiteral("Port of the shop host (0: any)."), QStringLiteral("port"),
        QStringLiteral("0"));
    parser.addOption(mainPort);
    parser.addOption(shopPort);
    parser.process(application);

    orv::demo::DemoSite site;
    if (!site.start(
            quint16(parser.value(mainPort).toUInt()), quint16(parser.value(shopPort).toUInt()))) {
        std::fputs("orvel-demosite: cannot listen on the requested ports\n", stderr);
        return 1;
    }
    std::printf("ORVEL_MAIN_HOST=%s\nORVEL_SHOP_HOST=%s\n", qPrintable(site.mainHost()),
        qPrintable(site.shopHost()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
