// SPDX-License-Identifier: MIT
#pragma once

// What a page asks of the user, answered by the user: a login for the site
// or for the proxy on the way, and a permission (location, notifications,
// camera, microphone, screen, mouse). Nothing is sent or granted that the
// user did not give; an answer to a permission holds for the host and the
// feature until the program ends and is never written to disk.

#include <QObject>
#include <QWebEnginePage>

#include <functional>
#include <optional>

class QAuthenticator;
class QWidget;

namespace orv {

struct LoginRequest
{
    QString host; // the site's, or the proxy's
    QString realm;
    bool proxy = false;
};

struct Login
{
    QString user;
    QString password;
};

// Empty: the user cancelled.
using AskLogin = std::function<std::optional<Login>(QWidget *parent, const LoginRequest &)>;
// True: allowed.
using AskPermission
    = std::function<bool(QWidget *parent, const QString &host, QWebEnginePage::Feature)>;

// The German dialogs the program asks with.
std::optional<Login> askLoginDialog(QWidget *parent, const LoginRequest &request);
bool askPermissionDialog(QWidget *parent, const QString &host, QWebEnginePage::Feature feature);

// "Die Seite HOST möchte Ihren Standort verwenden."
QString permissionQuestion(const QString &host, QWebEnginePage::Feature feature);

class PageQuestions : public QObject
{
    Q_OBJECT

public:
    // The dialogs open over dialogParent's window.
    PageQuestions(QWebEnginePage *page, QWidget *dialogParent, AskLogin askLogin,
        AskPermission askPermission);

Q_SIGNALS:
    // The user would not log in to the address; the engine gives up on it.
    void loginCancelled(const QUrl &address);

private:
    void answerLogin(
        const QUrl &address, QAuthenticator *authenticator, const LoginRequest &request);
    void answerPermission(const QUrl &origin, QWebEnginePage::Feature feature);

    QWebEnginePage *m_page;
    QWidget *m_dialogParent;
    AskLogin m_askLogin;
    AskPermission m_askPermission;
};

} // namespace orv
