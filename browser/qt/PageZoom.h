// SPDX-License-Identifier: MIT
#pragma once

// The page's zoom in the browser window: Ctrl with +, - and 0, and Ctrl with
// the wheel, in the steps of the shared zoom table. Each host keeps its own
// level, shared by every window of the process; the level shows in the
// status band while it is not 100 %.

#include <QObject>

#include <string>

class QLabel;
class QWidget;

namespace orv {

class ActiveBarBand;
class WebBrowserControl;
class ZoomByHost;

class PageZoom : public QObject
{
    Q_OBJECT

public:
    // shared may be null: every host then opens at 100 %, nothing is kept.
    PageZoom(
        QWidget *window, WebBrowserControl *browser, ZoomByHost *shared, ActiveBarBand &statusBand);

    QLabel *pane() const { return m_pane; }
    int percent() const { return m_percent; }

private:
    void zoomBy(int steps);
    void setZoom(int percent, bool remember);
    // The page's address changed: a new host opens at its own zoom.
    void addressChanged(const QString &address);
    void wheelTurned(int angleDelta);

    WebBrowserControl *m_browser;
    ZoomByHost *m_shared;
    QLabel *m_pane;
    int m_percent = 100;
    std::string m_host; // the host whose zoom the page shows
    int m_wheelAngle = 0; // turned but not yet a whole zoom step
};

} // namespace orv
