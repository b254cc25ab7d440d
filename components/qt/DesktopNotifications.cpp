// SPDX-License-Identifier: MIT
#include "components/qt/DesktopNotifications.h"

#include "core/Application.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QWebEngineNotification>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

namespace orv {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The name of the icon and the desktop entry that the program installs.
const QString desktopName = QStringLiteral("orvelbrowser");
const QString defaultAction = QStringLiteral("default");

QDBusMessage call(const QString &method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

} // namespace

void DesktopNotifications::install(QWebEngineProfile *profile)
{
    auto *notifications = new DesktopNotifications(profile);
    profile->setNotificationPresenter(
        [notifications](std::unique_ptr<QWebEngineNotification> notification) {
            notifications->present(std::move(notification));
        });
}

DesktopNotifications::DesktopNotifications(QObject *parent) : QObject(parent)
{
}

bool DesktopNotifications::connectToService()
{
    if (!m_bus) {
        // Asked for only when a page notifies: most starts never need the bus.
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::sessionBus());
        // Signals of whoever serves the path: tying them to the service's
        // name would ask the bus for its owner and wait for the answer.
        if (m_bus->isConnected()) {
            m_bus->connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                SLOT(handleActionInvoked(uint, QString)));
            m_bus->connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(handleNotificationClosed(uint, uint)));
        }
    }
    return m_bus->isConnected();
}

void DesktopNotifications::present(std::unique_ptr<QWebEngineNotification> owned)
{
    QWebEngineNotification *notification = owned.release();
    notification->setParent(this);
    if (!connectToService()) {
        // Told after the engine's call has returned, as a service would.
        QMetaObject::invokeMethod(
            this, [this, notification] { finish(notification); }, Qt::QueuedConnection);
        return;
    }
    // A notification with the tag of one still shown takes its place.
    uint replaces = 0;
    for (auto shown = m_shown.begin(); shown != m_shown.end(); ++shown) {
        if (shown.value()->matches(notification)) {
            replaces = shown.key();
            shown.value()->deleteLater();
            m_shown.erase(shown);
            break;
        }
    }
    QDBusMessage notify = call(QStringLiteral("Notify"));
    // The body may be read as markup; a page's text stays text.
    notify << QLatin1String(application::title) << replaces << desktopName << notification->title()
           << notification->message().toHtmlEscaped()
           << QStringList { defaultAction, toQt(texts::notificationShow) }
           << QVariantMap { { QStringLiteral("desktop-entry"), desktopName } } << -1;
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, notification](QDBusPendingCallWatcher *answered) {
            answered->deleteLater();
            const QDBusPendingReply<uint> reply = *answered;
            if (reply.isError()) {
                finish(notification);
                return;
            }
            const uint id = reply.value();
            m_shown.insert(id, notification);
            notification->show();
            // The page took it back.
            connect(notification, &QWebEngineNotification::closed, this, [this, id] {
                if (QWebEngineNotification *gone = m_shown.take(id)) {
                    gone->deleteLater();
                    m_bus->asyncCall(call(QStringLiteral("CloseNotification")) << id);
                }
            });
        });
}

void DesktopNotifications::finish(QWebEngineNotification *notification)
{
    notification->show();
    notification->close();
    notification->deleteLater();
}

void DesktopNotifications::handleActionInvoked(uint id, const QString &action)
{
    QWebEngineNotification *notification = m_shown.value(id);
    if (!notification || action != defaultAction)
        return;
    if (QWidget *window = windowShowing(notification->origin())) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    }
    notification->click();
}

void DesktopNotifications::handleNotificationClosed(uint id, uint /*reason*/)
{
    if (QWebEngineNotification *notification = m_shown.take(id)) {
        notification->close();
        notification->deleteLater();
    }
}

QWidget *DesktopNotifications::windowShowing(const QUrl &origin)
{
    QWidget *found = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        for (const QWebEngineView *view : window->findChildren<QWebEngineView *>()) {
            const QUrl shown = view->url();
            if (shown.scheme() == origin.scheme() && shown.host() == origin.host()
                && shown.port() == origin.port() && (!found || window->isActiveWindow()))
                found = window;
        }
    }
    return found;
}

} // namespace orv
