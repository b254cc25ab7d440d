// SPDX-License-Identifier: MIT
#include "browser/qt/PageZoom.h"

#include "browser/qt/KeyBindings.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/WebBrowserControl.h"
#include "core/Steps.h"
#include "modules/ZoomByHost.h"

#include <QLabel>
#include <QUrl>

namespace orv {

PageZoom::PageZoom(
    QWidget *window, WebBrowserControl *browser, ZoomByHost *shared, ActiveBarBand &statusBand)
    : QObject(window), m_browser(browser), m_shared(shared), m_pane(new QLabel(window))
{
    m_pane->setObjectName(QStringLiteral("Zoom"));
    m_pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pane->setToolTip(QStringLiteral("Zoomstufe (Strg+0: Originalgröße)"));
    m_pane->setAccessibleName(QStringLiteral("Zoomstufe"));
    m_pane->setText(QStringLiteral("Zoom: %1 %").arg(m_percent));
    m_pane->hide();
    statusBand.addWidget(m_pane, 0, QStringLiteral("Tool1"));

    connect(browser, &WebBrowserControl::ZoomWheel, this, &PageZoom::wheelTurned);
    connect(browser, &WebBrowserControl::AddressChange, this, &PageZoom::addressChanged);
    // '+' is a key of its own on German keyboards and Shift with '=' on
    // others; the number pad's keys match these too.
    bindKeys(window,
        { QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal) },
        this, [this] { zoomBy(1); });
    bindKeys(window, { QKeySequence(Qt::CTRL | Qt::Key_Minus) }, this, [this] { zoomBy(-1); });
    bindKeys(window, { QKeySequence(Qt::CTRL | Qt::Key_0) }, this,
        [this] { runUntrapped("zoom", [&] { setZoom(100, true); }); });
}

void PageZoom::zoomBy(int steps)
{
    runUntrapped("zoom", [&] { setZoom(zoomLevelBy(m_percent, steps), true); });
}

void PageZoom::setZoom(int percent, bool remember)
{
    if (percent != m_percent) {
        m_browser->SetZoomFactor(percent / 100.0);
        m_percent = percent;
    }
    m_pane->setText(QStringLiteral("Zoom: %1 %").arg(percent));
    m_pane->setVisible(percent != 100);
    if (remember && m_shared)
        m_shared->remember(m_host, percent);
}

void PageZoom::addressChanged(const QString &address)
{
    QUrl url(address);
    const std::string host = url.port() >= 0
        ? QStringLiteral("%1:%2").arg(url.host()).arg(url.port()).toStdString()
        : url.host().toStdString();
    // The program's own pages and blank pages have no host: they keep the zoom shown.
    if (host.empty() || host == m_host)
        return;
    m_host = host;
    runUntrapped("zoom", [&] {
        const int percent = m_shared ? m_shared->percentFor(host) : 100;
        // The engine may have reset the zoom for a page of another site.
        m_browser->SetZoomFactor(percent / 100.0);
        m_percent = percent;
        setZoom(percent, false);
    });
}

void PageZoom::wheelTurned(int angleDelta)
{
    // A notch is 120; touchpads send smaller amounts that add up.
    m_wheelAngle += angleDelta;
    const int steps = m_wheelAngle / 120;
    m_wheelAngle %= 120;
    if (steps != 0)
        zoomBy(steps);
}

} // namespace orv
