// SPDX-License-Identifier: MIT
#include "browser/qt/PageArea.h"

#include "browser/qt/FindBar.h"
#include "browser/qt/FullScreenSwitch.h"
#include "browser/qt/KeyBindings.h"
#include "browser/qt/ToolbarLayout.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/Twips.h"
#include "components/qt/WebBrowserControl.h"
#include "core/Steps.h"

namespace orv {

PageArea::PageArea(QWidget *window, ActiveBar *bar, WebBrowserControl *browser)
    : QObject(window), m_window(window), m_bar(bar), m_browser(browser),
      m_fullScreen(new FullScreenSwitch(window, browser))
{
    connect(m_fullScreen, &FullScreenSwitch::pageFullScreenStarts, this, &PageArea::closeFindBar);
    connect(m_fullScreen, &FullScreenSwitch::pageFullScreenChanged, this,
        [this] { runUntrapped("layout", [&] { layout(); }); });
    bindKeys(window, { QKeySequence(Qt::CTRL | Qt::Key_F) }, this, &PageArea::openFindBar);
    bindKeys(window, { QKeySequence(Qt::Key_F3) }, this, [this] { findAgain(false); });
    bindKeys(window, { QKeySequence(Qt::SHIFT | Qt::Key_F3) }, this, [this] { findAgain(true); });
}

bool PageArea::pageFullScreen() const
{
    return m_fullScreen->pageFullScreen();
}

void PageArea::layout()
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_window);
    QRect area = m_bar->clientArea();
    if (pageFullScreen()) {
        // The page's full screen hides the bands.
        area = QRect(0, 0, tpp.xToTwips(m_bar->width()), tpp.yToTwips(m_bar->height()));
        m_browser->widget()->raise();
    } else if (findBarOpen()) {
        const int barHeight = m_findBar->dockAtBottom(toPixels(area, tpp));
        area.setHeight(qMax(0, area.height() - tpp.yToTwips(barHeight)));
    }
    m_browser->Move(area.x(), area.y(), area.width(), area.height());
}

bool PageArea::escapeUsed()
{
    if (findBarOpen()) {
        closeFindBar();
        return true;
    }
    if (pageFullScreen()) {
        m_fullScreen->leavePage();
        return true;
    }
    return false;
}

void PageArea::openFindBar()
{
    if (pageFullScreen())
        return;
    if (!m_findBar) {
        // Made at first use: its line edit asks the icon theme for a clear
        // button, which would cost the start several milliseconds.
        m_findBar = new FindBar(m_browser, m_window);
        connect(m_findBar, &FindBar::openChanged, this,
            [this] { runUntrapped("layout", [&] { layout(); }); });
    }
    m_findBar->open();
}

void PageArea::findAgain(bool backward)
{
    openFindBar();
    if (m_findBar)
        m_findBar->findAgain(backward);
}

void PageArea::closeFindBar()
{
    if (m_findBar)
        m_findBar->dismiss();
}

bool PageArea::findBarOpen() const
{
    return m_findBar && m_findBar->isOpen();
}

} // namespace orv
