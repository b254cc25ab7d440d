// SPDX-License-Identifier: MIT
#pragma once

// The notifications of pages the user allowed to notify, shown by the
// desktop's notification service (org.freedesktop.Notifications on the
// session bus) under the program's name and icon. Every call goes out
// without waiting for the answer: a slow or hung service never holds up a
// window. A click on one brings the window of its page forward and tells
// the page; closed on the desktop, the page is told too. Without a service
// the page learns at once that its notification was shown and closed.

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QUrl>

#include <memory>

class QWebEngineNotification;
class QWebEngineProfile;
class QWidget;

namespace orv {

class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    // The profile's notifications go to the desktop from now on.
    static void install(QWebEngineProfile *profile);

    explicit DesktopNotifications(QObject *parent = nullptr);

    void present(std::unique_ptr<QWebEngineNotification> notification);

    // The window whose page shows the origin, the active one first; none: null.
    static QWidget *windowShowing(const QUrl &origin);

private Q_SLOTS:
    void handleActionInvoked(uint id, const QString &action);
    void handleNotificationClosed(uint id, uint reason);

private:
    bool connectToService();
    // The page is told, and the notification let go of.
    void finish(QWebEngineNotification *notification);

    std::unique_ptr<QDBusConnection> m_bus;
    QHash<uint, QWebEngineNotification *> m_shown; // by the service's id
};

} // namespace orv
