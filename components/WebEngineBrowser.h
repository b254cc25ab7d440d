// SPDX-License-Identifier: MIT
#pragma once

// The web browser control on Qt WebEngine. Maps the engine's signals onto
// the notifications, keeps quiet when silent, opens new-window requests in
// the same view, saves downloads into the user's download folder, finds,
// zooms, prints and grants the page's full-screen requests.

#include "components/Twips.h"
#include "components/WebBrowserControl.h"

#include <QPointer>

class QDir;
class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace orv {

class SilentPage;

// The persistent profile of the program: cookies and logins survive restarts.
QWebEngineProfile *createBrowserProfile(QObject *parent);

// A name in the folder that no file has yet: "setup.exe", "setup (1).exe", ...
QString uniqueFileName(const QDir &folder, const QString &suggested);

class WebEngineBrowser : public WebBrowserControl
{
    Q_OBJECT

public:
    WebEngineBrowser(QWidget *container, QWebEngineProfile *profile);
    ~WebEngineBrowser() override;

    QWidget *widget() const override;
    void setSilent(bool silent) override;
    bool silent() const override;

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void Move(int left, int top, int width, int height) override;
    void FindText(const QString &text, bool backward) override;
    void SetZoomFactor(double factor) override;
    void Print() override;
    void PrintToPdf(const QString &filePath) override;
    void ExitFullScreen() override;

    QWebEngineView *view() const { return m_view; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void handleLoadProgress(int percent);
    void handleLoadFinished();
    void reportCommandStates();
    void handleDownload(QWebEngineDownloadRequest *download);

    QWebEngineView *m_view;
    SilentPage *m_page;
    bool m_loading = false;
    bool m_downloadStartedByLoad = false;
    double m_zoomFactor = 1.0;
    bool m_printing = false;
};

} // namespace orv
