// SPDX-License-Identifier: MIT
// Starts the program: the browser window is the start-up window, and the
// program ends when it closes.

#include "app/AppInfo.h"
#include "app/TerminationSignals.h"
#include "browser/frmBrowser.h"
#include "components/EngineSetup.h"
#include "components/WebEngineBrowser.h"
#include "core/Application.h"
#include "info/frmInfoFenster.h"
#include "modules/SettingsStore.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QWebEngineProfile>

#include <cstdio>

namespace {

// ORVEL_STARTUP_TRACE=1 prints where the start-up time goes.
class StartupTrace
{
public:
    StartupTrace() : m_enabled(qEnvironmentVariableIsSet("ORVEL_STARTUP_TRACE"))
    {
        m_clock.start();
    }
    void mark(const char *what)
    {
        if (m_enabled)
            std::fprintf(
                stderr, "startup: %-28s %8.3f ms\n", what, double(m_clock.nsecsElapsed()) / 1e6);
    }

private:
    bool m_enabled;
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char *argv[])
{
    StartupTrace trace;
    // The engine prints its whole configuration at every start otherwise.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    orv::applyEngineSetup();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QLatin1String(orv::application::title));
    QApplication::setOrganizationName(QLatin1String(orv::application::title));
    QApplication::setApplicationVersion(QLatin1String(orv::application::versionText));
    trace.mark("application object");

    // The profile outlives the window and its pages.
    QWebEngineProfile *profile = orv::createBrowserProfile(&application);
    trace.mark("engine profile");
    orv::QSettingsStore store;

    orv::frmBrowser::Dependencies dependencies;
    dependencies.hosts
        = orv::Hosts::fromEnvironment(orv::app::defaultMainHost(), orv::app::defaultShopHost());
    // The command line as one text: the arguments joined by blanks, quotes kept.
    dependencies.commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    dependencies.store = &store;
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
    // The platform layer is set up on first use, not at start.
    dependencies.showInfoWindow = [info]() mutable {
        info.platform = &orv::platform::systemPlatform();
        orv::frmInfoFenster::ShowModal(info);
    };

    dependencies.beforeFirstNavigate = [&trace] {
        trace.mark("command line read, navigating");
    };

    trace.mark("before window");
    auto window = std::make_unique<orv::frmBrowser>(std::move(dependencies));
    trace.mark("window and engine view");
    window->Form_Load(); // the first page is requested here, before the window shows
    trace.mark("load step");
    orv::TerminationSignals closeOnSignal(window.get());
    window->show();
    trace.mark("window shown");
    const int status = QApplication::exec();
    window.reset();
    return status;
}
