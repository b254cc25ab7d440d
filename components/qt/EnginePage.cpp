// SPDX-License-Identifier: MIT
#include "components/qt/EnginePage.h"

#include "components/qt/DesktopNotifications.h"
#include "components/qt/SpellCheck.h"
#include "core/Application.h"

#include <QAuthenticator>
#include <QStandardPaths>
#include <QWebEngineCertificateError>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWidget>

namespace orv {

namespace {

NavigationKind kindOf(QWebEnginePage::NavigationType type)
{
    using P = QWebEnginePage;
    switch (type) {
    case P::NavigationTypeLinkClicked:
        return NavigationKind::Link;
    case P::NavigationTypeTyped:
        return NavigationKind::Typed;
    case P::NavigationTypeFormSubmitted:
        return NavigationKind::Form;
    case P::NavigationTypeBackForward:
        return NavigationKind::BackForward;
    case P::NavigationTypeReload:
        return NavigationKind::Reload;
    case P::NavigationTypeRedirect:
        return NavigationKind::Redirect;
    default:
        return NavigationKind::Other;
    }
}

} // namespace

QWebEngineProfile *createBrowserProfile(QObject *parent)
{
    auto *profile = new QWebEngineProfile(QLatin1String(application::title), parent);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profile->setDownloadPath(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    profile->setHttpAcceptLanguage(QStringLiteral("de-DE,de"));
    enableSpellCheck(profile);
    DesktopNotifications::install(profile);
    return profile;
}

EnginePage::EnginePage(QWebEngineProfile *profile, PageRules rules, QWidget *dialogParent)
    : QWebEnginePage(profile, dialogParent), m_rules(std::move(rules)), m_router(m_rules.trusted)
{
    // The program's own page replaces the engine's for pages that cannot be reached.
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // Scripts get no access to the clipboard: this engine cannot ask the user
    // per site, and the maker's pages need none. The user's own copy and
    // paste (keys, context menu) work as always.
    settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings()->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // Without it the engine refuses every screen capture before the user is
    // asked; whether the page may record the screen is the user's answer.
    settings()->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, true);
    // Said before the user is asked, whose dialog may take its time.
    connect(this, &QWebEnginePage::authenticationRequired, this, &EnginePage::loginAsked);
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this, &EnginePage::loginAsked);
    auto *questions
        = new PageQuestions(this, dialogParent, m_rules.askLogin, m_rules.askPermission);
    connect(questions, &PageQuestions::loginCancelled, this, &EnginePage::loginCancelled);
    // Never ask: an untrusted certificate fails the load. The failed load of
    // the page says so; a picture or icon does not speak.
    connect(
        this, &QWebEnginePage::certificateError, this, [](const QWebEngineCertificateError &error) {
            auto copy = error;
            copy.rejectCertificate();
        });
    connect(this, &QWebEnginePage::newWindowRequested, this, &EnginePage::routeNewWindow);
}

void EnginePage::javaScriptAlert(const QUrl &origin, const QString &message)
{
    if (!m_silent)
        QWebEnginePage::javaScriptAlert(origin, message);
}

bool EnginePage::javaScriptConfirm(const QUrl &origin, const QString &message)
{
    return !m_silent && QWebEnginePage::javaScriptConfirm(origin, message);
}

bool EnginePage::javaScriptPrompt(
    const QUrl &origin, const QString &message, const QString &defaultValue, QString *result)
{
    return !m_silent && QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
}

bool EnginePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    Q_EMIT goingTo(url);
    const NavigationKind kind = kindOf(type);
    // The engine files navigations a script starts without the user's
    // gesture under redirects; a link click or a form is the user's.
    const bool userInitiated = kind == NavigationKind::Link || kind == NavigationKind::Form;
    const Route route = m_router.route(kind, userInitiated, kind == NavigationKind::Redirect,
        toWebAddress(url), toWebAddress(this->url()).hostAndPort());
    if (route == Route::Stay) {
        m_refused.clear();
        return true;
    }
    m_refused = url;
    Q_EMIT navigationRefused(url, route == Route::Shell);
    return false;
}

bool EnginePage::followLink(const QUrl &address)
{
    return address.isValid() && acceptNavigationRequest(address, NavigationTypeLinkClicked, true);
}

void EnginePage::routeNewWindow(QWebEngineNewWindowRequest &request)
{
    // A one-window browser: links with a target and window.open() load here,
    // after the same routing as every other navigation. The engine's window
    // for them is never made: adopting it would replace this page, its
    // content and its history. Left unopened, the engine drops it.
    const QUrl url = request.requestedUrl();
    const auto type = request.isUserInitiated() ? NavigationTypeLinkClicked : NavigationTypeOther;
    if (url.isValid() && acceptNavigationRequest(url, type, true))
        load(url);
}

} // namespace orv
