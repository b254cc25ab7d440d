// SPDX-License-Identifier: MIT
#include "browser/qt/FullScreenSwitch.h"

#include "browser/qt/KeyBindings.h"
#include "components/qt/WebBrowserControl.h"
#include "core/Steps.h"

#include <QWidget>

namespace orv {

FullScreenSwitch::FullScreenSwitch(QWidget *window, WebBrowserControl *browser)
    : QObject(window), m_window(window), m_browser(browser)
{
    connect(
        browser, &WebBrowserControl::FullScreenRequested, this, &FullScreenSwitch::pageRequested);
    bindKeys(window, { QKeySequence(Qt::Key_F11) }, this, &FullScreenSwitch::toggle);
}

void FullScreenSwitch::toggle()
{
    if (m_pageFullScreen)
        leavePage();
    else
        setWindowFullScreen(!m_window->isFullScreen());
}

void FullScreenSwitch::setWindowFullScreen(bool on)
{
    if (on == m_window->isFullScreen())
        return;
    if (on) {
        m_stateBefore = m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen);
        m_window->setWindowState(
            (m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized))
            | Qt::WindowFullScreen);
    } else {
        m_window->setWindowState(m_stateBefore);
    }
}

void FullScreenSwitch::leavePage()
{
    runUntrapped("full screen", [&] { m_browser->ExitFullScreen(); });
    pageRequested(false);
}

void FullScreenSwitch::pageRequested(bool on)
{
    if (on == m_pageFullScreen)
        return;
    m_pageFullScreen = on;
    if (on) {
        Q_EMIT pageFullScreenStarts();
        m_byPage = !m_window->isFullScreen();
        setWindowFullScreen(true);
    } else if (m_byPage) {
        setWindowFullScreen(false);
    }
    Q_EMIT pageFullScreenChanged();
}

} // namespace orv
