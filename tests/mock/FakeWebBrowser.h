// SPDX-License-Identifier: MIT
#pragma once

// A scriptable web browser control: records every call, fails the calls it
// is told to fail, and lets a test raise any notification.

#include "components/qt/DownloadList.h"
#include "components/qt/WebBrowserControl.h"

#include <QRect>
#include <QSet>
#include <QStringList>
#include <QWidget>

namespace orv::test {

class FakeWebBrowser : public WebBrowserControl
{
    Q_OBJECT

public:
    explicit FakeWebBrowser(QWidget *container);

    QWidget *widget() const override { return m_widget; }
    void setSilent(bool silent) override
    {
        m_silent = silent;
        record("Silent", silent ? "true" : "false");
    }
    bool silent() const override { return m_silent; }
    void Navigate(const QString &address) override { record("Navigate", address); }
    void GoBack() override { record("GoBack"); }
    void GoForward() override { record("GoForward"); }
    void Stop() override { record("Stop"); }
    void Refresh() override { record("Refresh"); }
    void Move(int left, int top, int width, int height) override;
    void FindText(const QString &text, bool backward) override
    {
        record("FindText", text + (backward ? " <" : ""));
    }
    void SetZoomFactor(double factor) override { record("Zoom", QString::number(factor)); }
    void Print() override { record("Print"); }
    void PrintToPdf(const QString &filePath) override { record("PrintToPdf", filePath); }
    void ExitFullScreen() override { record("ExitFullScreen"); }
    DownloadList *downloads() const override { return fileDownloads; }

    // "Navigate http://...", "GoBack", "Move 0 330 10440 4000", "FindText abc <"
    // (backward), "Zoom 1.25", ...
    QStringList calls;
    // Operation names ("Navigate", "GoBack", ...) that throw Failure(ControlFailed).
    QSet<QString> failing;
    QRect lastMove; // twips
    DownloadList *fileDownloads; // filled by the test

    // The arguments of the calls of one operation, in order.
    QStringList callsOf(const QString &operation) const;

private:
    void record(const QString &operation, const QString &arguments = QString());

    QWidget *m_widget;
    bool m_silent = false;
};

} // namespace orv::test
