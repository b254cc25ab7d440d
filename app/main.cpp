// SPDX-License-Identifier: MIT
// Starts the program: every start has a browser window of its own, and the
// program ends when the last one closes. A start while this user's program
// runs on the same display hands its command line to that process, which
// opens the window, and ends at once.

#include "app/AppInfo.h"
#include "app/BrowserWindows.h"
#include "app/RunningInstance.h"
#include "app/StartupNotification.h"
#include "app/TerminationSignals.h"
#include "browser/qt/frmBrowser.h"
#include "components/qt/EngineSetup.h"
#include "components/qt/StartupTrace.h"
#include "components/qt/StepLog.h"
#include "components/qt/Translations.h"
#include "components/qt/WebEngineBrowser.h"
#include "core/Application.h"
#include "info/qt/frmInfoFenster.h"
#include "modules/ZoomByHost.h"
#include "modules/posix/IniSettingsStore.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QWebEngineProfile>

#include <cstdio>
#include <cstring>

namespace {

// Only "--help" or "--version" as the whole command line: any other line is
// the caller's to give, and keeps its meaning.
bool answeredOption(int argc, char *argv[])
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", orv::application::title, orv::application::versionText);
        return true;
    }
    if (std::strcmp(argv[1], "--help") != 0)
        return false;
    std::printf("Aufruf: orvelbrowser ['PRODUKT|KENNUNG|KATEGORIE|BESCHRIFTUNG|ADRESSE']\n"
                "\n"
                "Zeigt eine Seite der Harlund-Website in einem eigenen Fenster.\n"
                "  PRODUKT       Produktnummer\n"
                "  KENNUNG       Programmkennung (nicht leer: Programmseite des Produkts)\n"
                "  KATEGORIE     Download, Programminfo, Support, News, Events, Shop,\n"
                "                ShoppingBRD, ShoppingAUT oder die ADRESSE der Zusatzseite\n"
                "  BESCHRIFTUNG  Eintrag der Zusatzseite in der Kategorienliste\n"
                "  ADRESSE       Adresse der Zusatzseite\n"
                "Die ganze Zeile in Anführungszeichen setzen: | trennt sonst Befehle.\n"
                "\n"
                "Jeder Aufruf öffnet ein eigenes Fenster.\n"
                "  --help     diese Hilfe\n"
                "  --version  die Version\n");
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (answeredOption(argc, argv))
        return 0;

    // Whether the program runs is asked before anything of the engine or the
    // widgets is set up, so that a later start costs next to nothing.
    const QString instance = orv::app::instanceName();
    orv::app::InstanceLock lock;
    {
        QCoreApplication probe(argc, argv);
        if (orv::app::handToRunningInstance(lock, instance,
                orv::commandLineText(QCoreApplication::arguments()), orv::app::launchId()))
            return 0;
    }

    orv::trace::mark("main");
    // The engine prints its whole configuration at every start otherwise.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    orv::logSkippedSteps();
    orv::applyEngineSetup();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QLatin1String(orv::application::title));
    QApplication::setOrganizationName(QLatin1String(orv::application::title));
    QApplication::setApplicationVersion(QLatin1String(orv::application::versionText));
    // The desktop entry that is installed with the program; its window class
    // is the application name.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvelbrowser"));
    // Qt's own dialogs (print, files, messages) speak German like the rest.
    orv::installQtTranslations(QLocale(QLocale::German, QLocale::Germany));
    orv::trace::mark("application object");

    // The profile outlives the windows and their pages.
    QWebEngineProfile *profile = orv::createBrowserProfile(&application);
    orv::trace::mark("engine profile");
    // Read once here, written once at each close.
    orv::IniSettingsStore store(orv::IniSettingsStore::fileFor(orv::application::title),
        [](const std::string &line) { qCWarning(orv::lcSkippedSteps, "%s", line.c_str()); });
    store.removeSection(orv::ZoomByHost::formerSection);
    orv::ZoomByHost zoom(store);

    orv::frmBrowser::Dependencies dependencies;
    dependencies.hosts = orv::Hosts::fromEnvironment(
        orv::app::defaultMainHost().toStdString(), orv::app::defaultShopHost().toStdString());
    dependencies.store = &store;
    dependencies.zoom = &zoom;
    // Other sites, mail and phone links, and downloaded files open in the
    // desktop's default programs; the platform layer is set up on first use.
    const auto openWithShell = [](const QString &target) {
        orv::platform::systemPlatform().shellExecute(orv::platform::WindowHandle(0), std::wstring(),
            target.toStdWString(), std::nullopt, std::nullopt, 1);
    };
    dependencies.openWithShell = openWithShell;
    orv::WebEngineBrowserOptions browserOptions;
    browserOptions.trusted = orv::TrustedHosts::forMaker(
        dependencies.hosts.MainHost, dependencies.hosts.ShopHost, orv::app::extraTrustedHosts());
    browserOptions.openExternally = [openWithShell](const QUrl &address) {
        openWithShell(address.toString(QUrl::FullyEncoded));
    };
    dependencies.createBrowser = [profile, browserOptions](QWidget *container) {
        return new orv::WebEngineBrowser(container, profile, browserOptions);
    };

    orv::frmInfoFenster::Dependencies info;
    info.MainHost = dependencies.hosts.MainHost;
    info.versionMajor = orv::application::versionMajor;
    info.versionMinor = orv::application::versionMinor;
    info.versionRevision = orv::application::versionRevision;
    // Modal to its own browser window only: for the user each window is a
    // program of its own. The platform layer is set up on first use.
    dependencies.showInfoWindow = [info](QWidget *owner) mutable {
        info.platform = &orv::platform::systemPlatform();
        orv::frmInfoFenster::ShowModal(info, owner);
    };

    dependencies.beforeFirstNavigate = [] {
        orv::trace::mark("command line read, navigating");
    };

    orv::trace::mark("before window");
    orv::app::BrowserWindows windows(std::move(dependencies));
    orv::TerminationSignals closeOnSignal([&windows] { windows.closeAll(); });
    orv::app::InstanceServer server;
    server.listen(instance);
    QObject::connect(&server, &orv::app::InstanceServer::commandLineReceived, &windows,
        [&windows](const QString &commandLine, const QByteArray &launchId) {
            windows.open(commandLine, launchId);
        });
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, &server,
        &orv::app::InstanceServer::close);
    windows.open(orv::commandLineText(QApplication::arguments()));
    orv::trace::mark("window shown");
    // Every window wrote the store as it closed, and the program ends only
    // when the last one has.
    return QApplication::exec();
}
