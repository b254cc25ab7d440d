// SPDX-License-Identifier: MIT
#include "components/qt/PageLifecycle.h"

#include <QWebEnginePage>
#include <QWebEngineView>

namespace orv {

using State = QWebEnginePage::LifecycleState;

PageLifecycle::PageLifecycle(
    QWebEnginePage *page, QWebEngineView *view, RestDelays delays, QObject *parent)
    : QObject(parent), m_page(page), m_view(view)
{
    m_freeze.setSingleShot(true);
    m_freeze.setInterval(delays.freeze);
    m_discard.setSingleShot(true);
    m_discard.setInterval(delays.discard);
    connect(&m_freeze, &QTimer::timeout, this, [this] { rest(int(State::Frozen)); });
    connect(&m_discard, &QTimer::timeout, this, [this] { rest(int(State::Discarded)); });
    connect(m_page, &QWebEnginePage::visibleChanged, this, &PageLifecycle::follow);
    connect(m_page, &QWebEnginePage::recommendedStateChanged, this, &PageLifecycle::follow);
}

void PageLifecycle::follow()
{
    if (m_page->isVisible()) {
        m_freeze.stop();
        m_discard.stop();
        return;
    }
    if (!m_freeze.isActive() && m_page->lifecycleState() == State::Active)
        m_freeze.start();
    if (!m_discard.isActive() && m_page->lifecycleState() != State::Discarded)
        m_discard.start();
}

void PageLifecycle::rest(int state)
{
    const auto to = State(state);
    // Hidden only because one of the browser's own pages stands in for it in
    // the view: it must stay ready to come back at once.
    if (m_page->isVisible() || m_view->page() != m_page)
        return;
    // Never deeper than the engine advises: a page playing sound or holding
    // what the user typed stays as it is.
    if (m_page->recommendedState() < to || m_page->lifecycleState() >= to)
        return;
    m_page->setLifecycleState(to);
}

} // namespace orv
