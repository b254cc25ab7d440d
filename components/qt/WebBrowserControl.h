// SPDX-License-Identifier: MIT
#pragma once

// What the browser window asks of its embedded web browser: navigation,
// placement, find, zoom, printing, full screen and the session's downloads,
// and the notifications that go with them. Implementations: WebEngineBrowser
// (the real engine) and the scriptable fake of the tests.

#include "components/WebControl.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace orv {

class DownloadList;

class WebBrowserControl : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~WebBrowserControl() override = default;

    // The widget that shows the pages; a child of the container it was made for.
    virtual QWidget *widget() const = 0;

    // No dialog boxes of the engine's own (script alerts, certificate prompts).
    virtual void setSilent(bool silent) = 0;
    virtual bool silent() const = 0;

    // Starts loading and returns at once; progress arrives as notifications.
    virtual void Navigate(const QString &address) = 0;
    // Throw Failure(ControlFailed) when there is no page to go to.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;

    // Covers exactly this rectangle of the container, in twips.
    virtual void Move(int left, int top, int width, int height) = 0;

    // Goes to the next (or previous) match of the text, wrapping at the ends;
    // an empty text ends the search. The outcome comes as FindTextResult.
    virtual void FindText(const QString &text, bool backward) = 0;
    // 1.0 shows the page at its own size.
    virtual void SetZoomFactor(double factor) = 0;
    // Opens the system's print dialog for the page and prints what it is told.
    virtual void Print() = 0;
    // Writes the page as a PDF file; the outcome comes as PdfPrinted.
    virtual void PrintToPdf(const QString &filePath) = 0;
    // Asks the page to leave the full screen it asked for.
    virtual void ExitFullScreen() = 0;
    // Returns once the files the control is writing are complete (a PDF of
    // the page), so that closing the window cuts none of them off.
    virtual void finishWriting() { }
    // The files downloaded in this session; none where the control keeps no list.
    virtual DownloadList *downloads() const { return nullptr; }
    // The window's own pages (its categories), whose last good copy stands
    // in for them while their server cannot be reached.
    virtual void keepLastSeen(const QStringList &) { }

Q_SIGNALS:
    void StatusTextChange(const QString &text);
    // Progress -1 or 0: nothing is loading.
    void ProgressChange(qint32 progress, qint32 progressMax);
    // Whether a BrowserCommand can be used now; sent for both whenever either
    // may have changed. A receiver ignores values it does not know.
    void CommandStateChange(qint32 command, bool enable);
    void DownloadBegin();
    void DownloadComplete();
    // The page shown has a new address (a link, a redirect, the history).
    void AddressChange(const QString &address);

    // activeMatch counts from 1; 0 matches: nothing found (or the search ended).
    void FindTextResult(int activeMatch, int numberOfMatches);
    // The wheel was turned over the page with Ctrl held (angle in eighths of a degree).
    void ZoomWheel(int angleDelta);
    // The page called window.print().
    void PrintRequested();
    // The user asked the page's context menu to save the page as a PDF file;
    // the window asks where, as for its own key, and calls PrintToPdf.
    void SaveAsPdfRequested();
    void PdfPrinted(const QString &filePath, bool success);
    // The page wants full screen (on) or leaves it; the request is already granted.
    void FullScreenRequested(bool on);
};

} // namespace orv
