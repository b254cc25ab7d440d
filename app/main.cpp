// SPDX-License-Identifier: MIT
// Starts the program: the browser window is the start-up window, and the
// program ends when it closes.

#include "app/AppInfo.h"
#include "browser/frmBrowser.h"
#include "components/WebEngineBrowser.h"
#include "modules/SettingsStore.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QWebEngineProfile>

int main(int argc, char *argv[])
{
    // The engine prints its whole configuration at every start otherwise.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(orv::app::title());
    QApplication::setOrganizationName(orv::app::title());
    QApplication::setApplicationVersion(orv::app::versionText());

    // The profile outlives the window and its pages.
    QWebEngineProfile *profile = orv::createBrowserProfile(&application);
    orv::QSettingsStore store;

    orv::frmBrowser::Dependencies dependencies;
    dependencies.hosts
        = orv::Hosts::fromEnvironment(orv::app::defaultMainHost(), orv::app::defaultShopHost());
    // The command line as one text: the arguments joined by blanks, quotes kept.
    dependencies.commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    dependencies.store = &store;
    dependencies.createBrowser = [profile](QWidget *container) {
        return new orv::WebEngineBrowser(container, profile);
    };

    auto window = std::make_unique<orv::frmBrowser>(std::move(dependencies));
    window->Form_Load();
    window->show();
    const int status = QApplication::exec();
    window.reset();
    return status;
}
