// SPDX-License-Identifier: MIT
#pragma once

// The browser window's client area under its bands: the page, the find bar
// docked below it, and the page's full screen, which hides the bands. Esc
// closes the find bar or leaves the page's full screen before it may stop a
// load.

#include <QObject>

class QWidget;

namespace orv {

class ActiveBar;
class FindBar;
class FullScreenSwitch;
class WebBrowserControl;

class PageArea : public QObject
{
    Q_OBJECT

public:
    PageArea(QWidget *window, ActiveBar *bar, WebBrowserControl *browser);

    // Null until the find bar is first opened.
    FindBar *findBar() const { return m_findBar; }
    bool pageFullScreen() const;
    // Puts the page into the bands' client area, less the find bar's room.
    void layout();
    // Esc closes the find bar, else leaves full screen; false: neither was there.
    bool escapeUsed();

private:
    void openFindBar();
    void findAgain(bool backward);
    void closeFindBar();
    bool findBarOpen() const;

    QWidget *m_window;
    ActiveBar *m_bar;
    WebBrowserControl *m_browser;
    FullScreenSwitch *m_fullScreen;
    FindBar *m_findBar = nullptr;
};

} // namespace orv
