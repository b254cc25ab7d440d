// SPDX-License-Identifier: MIT
#include "app/BrowserWindows.h"

#include "app/StartupNotification.h"

namespace orv::app {

BrowserWindows::BrowserWindows(frmBrowser::Dependencies shared, QObject *parent)
    : QObject(parent), m_shared(std::move(shared))
{
}

BrowserWindows::~BrowserWindows()
{
    // The windows' pages go before the engine's profile that they use.
    for (const QPointer<frmBrowser> &window : std::as_const(m_windows))
        delete window.data();
}

frmBrowser *BrowserWindows::open(const QString &commandLine, const QByteArray &launchId)
{
    frmBrowser::Dependencies dependencies = m_shared;
    dependencies.commandLine = commandLine;
    // Start-up tracing is about the first window only.
    m_shared.beforeFirstNavigate = nullptr;
    auto *window = new frmBrowser(std::move(dependencies));
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_windows.removeAll(nullptr);
    m_windows.append(window);
    window->Form_Load(); // the first page is requested here, before the window shows
    window->show();
    if (!launchId.isEmpty())
        activateForLaunch(window, launchId);
    return window;
}

void BrowserWindows::closeAll()
{
    for (frmBrowser *window : windows())
        window->close();
}

QList<frmBrowser *> BrowserWindows::windows() const
{
    QList<frmBrowser *> open;
    for (const QPointer<frmBrowser> &window : m_windows) {
        if (window)
            open.append(window);
    }
    return open;
}

} // namespace orv::app
