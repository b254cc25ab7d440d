// SPDX-License-Identifier: MIT
#pragma once

// Full screen for the browser window: F11 switches the window, and a page
// may ask for it (a video, a presentation). A page's full screen hides the
// bands; leaving it restores the window as it was before, unless F11 had
// already made it full screen.

#include <QObject>

class QWidget;

namespace orv {

class WebBrowserControl;

class FullScreenSwitch : public QObject
{
    Q_OBJECT

public:
    FullScreenSwitch(QWidget *window, WebBrowserControl *browser);

    bool pageFullScreen() const { return m_pageFullScreen; }
    // Leaves the page's full screen; the page confirms later, or not at all
    // when it has gone meanwhile.
    void leavePage();

Q_SIGNALS:
    // A page goes full screen: what covers it must go first.
    void pageFullScreenStarts();
    // The page's full screen began or ended: the client area is laid out anew.
    void pageFullScreenChanged();

private:
    void toggle();
    void setWindowFullScreen(bool on);
    void pageRequested(bool on);

    QWidget *m_window;
    WebBrowserControl *m_browser;
    bool m_pageFullScreen = false;
    bool m_byPage = false; // the page, not F11, made the window full screen
    Qt::WindowStates m_stateBefore;
};

} // namespace orv
