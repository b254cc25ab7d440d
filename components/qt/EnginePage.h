// SPDX-License-Identifier: MIT
#pragma once

// The page of the web browser control, and what the page asks for: script
// dialogs (none while silent), where its navigations and new windows go (by
// the routing rules for the maker's hosts), untrusted certificates (always
// refused, never asked about), logins and permissions (the user's German
// dialogs). It answers all of it itself and tells its owner by signals.

#include "components/LinkRouting.h"
#include "components/qt/PageQuestions.h"
#include "components/qt/QtWebAddress.h"

#include <QWebEnginePage>

namespace orv {

// The persistent profile of the program: cookies and logins survive restarts;
// pages are asked for in German, their text fields spell-checked in German,
// and their notifications shown on the desktop.
QWebEngineProfile *createBrowserProfile(QObject *parent);

struct PageRules
{
    // Empty: every page loads here, as in a plain browser.
    TrustedHosts trusted;
    AskLogin askLogin = askLoginDialog;
    AskPermission askPermission = askPermissionDialog;
};

class EnginePage : public QWebEnginePage
{
    Q_OBJECT

public:
    // The dialogs open over dialogParent's window.
    EnginePage(QWebEngineProfile *profile, PageRules rules, QWidget *dialogParent);

    void setSilent(bool silent) { m_silent = silent; }
    bool silent() const { return m_silent; }

    // The address one of the program's own pages stands in for, shown in
    // place of this page: its button loads it here, and links are judged
    // as from that address. Empty: none.
    void setStandIn(const QUrl &address) { m_router.setStandIn(toWebAddress(address)); }
    // A link the user clicked somewhere else for this page (in its last-seen
    // copy), routed as one clicked here: whether it loads here.
    bool followLink(const QUrl &address);
    // The navigation refused last, until one is let through; its loading
    // events are no load of the window's.
    QUrl refused() const { return m_refused; }

Q_SIGNALS:
    // The page goes to the address (should it be a file, it is a download of this page's).
    void goingTo(const QUrl &address);
    // A navigation was refused; external: it belongs to the desktop's default program.
    void navigationRefused(const QUrl &address, bool external);
    // A server or proxy asks for a login, before the user is asked.
    void loginAsked();
    // The user would not log in to the address.
    void loginCancelled(const QUrl &address);

protected:
    void javaScriptAlert(const QUrl &origin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
        QString *result) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    void routeNewWindow(QWebEngineNewWindowRequest &request);

    PageRules m_rules;
    bool m_silent = false;
    QUrl m_refused;
    NavigationRouter m_router;
};

} // namespace orv
