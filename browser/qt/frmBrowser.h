// SPDX-License-Identifier: MIT
#pragma once

// The browser window. Every start of the program has one of its own: its
// load step reads that start's command line, fills the category list, opens
// the category's page, names the window and restores the placement filed
// under that name. Closing it, which is never refused, files the placement
// under the caption shown then and writes the settings store. Besides the
// toolbar it finds in the page, zooms (per host, shared by all windows),
// prints, saves the page as PDF and goes full screen, all from the keyboard.

#include "browser/BrowserWindowRules.h"
#include "browser/qt/AddressBox.h"
#include "browser/qt/CommandLineText.h"
#include "browser/qt/DownloadsPanel.h"
#include "browser/qt/PageArea.h"
#include "browser/qt/PageZoom.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QToolButton;

namespace orv {

class ActiveBar;
class ActiveBarTool;
class FindBar;
class PictureBox;
class PictureMeterHost;
class SettingsStore;
class WebBrowserControl;
class ZoomByHost;

// Draws what the browser window's rules decide and reports to them what the
// user and the web control do.
class frmBrowser : public QWidget, private BrowserView
{
    Q_OBJECT

public:
    struct Dependencies
    {
        Hosts hosts;
        QString commandLine; // the arguments as one text, quotes kept
        SettingsStore *store = nullptr;
        // The zoom per host, shared by every window of the process.
        ZoomByHost *zoom = nullptr;
        // Makes the web browser control inside the given container.
        std::function<WebBrowserControl *(QWidget *container)> createBrowser;
        // Shows the Info window, modal to the given browser window only;
        // empty while there is none.
        std::function<void(QWidget *owner)> showInfoWindow;
        // Told when the load step is about to request the first page (start-up tracing).
        std::function<void()> beforeFirstNavigate;
        // Asks where the page's PDF goes, proposing a file; empty: nowhere.
        // A file dialog when not set.
        std::function<QString(const QString &proposed)> choosePdfFile;
        // Hands a downloaded file or its folder to the desktop's default program.
        std::function<void(const QString &path)> openWithShell;
    };

    explicit frmBrowser(Dependencies dependencies, QWidget *parent = nullptr);
    ~frmBrowser() override;

    // Runs once, before the window is first shown.
    void Form_Load();

    ActiveBar *toolbar() const { return ActiveBar31; }
    WebBrowserControl *browser() const { return brwWebBrowser; }
    QComboBox *addressBox() const { return txtEingabe; }
    const AddressHistory &history() const { return m_rules->history(); }
    PictureBox *meterFrame() const { return Meter; }
    PictureBox *meterArea() const { return bMeter; }
    // Null until the find bar is first opened.
    FindBar *findBar() const { return m_page->findBar(); }
    QLabel *zoomPane() const { return m_zoom->pane(); }
    int zoomPercent() const { return m_zoom->percent(); }
    bool pageFullScreen() const { return m_page->pageFullScreen(); }
    // The session's downloads and the status band button that shows them;
    // null when the browser control keeps no download list.
    DownloadsPanel *downloadsPanel() const { return m_downloadsPanel; }
    QToolButton *downloadsButton() const
    {
        return m_downloadsPanel ? m_downloadsPanel->button() : nullptr;
    }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Toolbar events.
    void ActiveBar31_ToolClick(ActiveBarTool *tool);
    void ActiveBar31_ComboSelChange(ActiveBarTool *tool);
    void ActiveBar31_ClientAreaChanged(int left, int top, int width, int height);

    // Address box events.
    void txtEingabe_KeyPress(int keyAscii);
    void txtEingabe_Click(int index);

    // Browser control notifications.
    void brwWebBrowser_StatusTextChange(const QString &text);
    void brwWebBrowser_ProgressChange(qint32 progress, qint32 progressMax);
    void brwWebBrowser_CommandStateChange(qint32 command, bool enable);
    void brwWebBrowser_DownloadBegin();
    void brwWebBrowser_DownloadComplete();

    // What the rules have the window show.
    void setCaption(const std::string &caption) override;
    void setCategoryList(const std::vector<std::string> &entries) override;
    void selectCategory(int position) override;
    void setAddressText(const std::string &text) override;
    void addHistoryEntry(const std::string &text) override;
    void moveHistoryEntryToFront(int index) override;
    void markHistoryEntry(int index) override;
    void setToolEnabled(std::string_view tool, bool enabled) override;
    void setStatusText(const std::string &text) override;
    void setMeterAreaVisible(bool visible) override;
    MeterCanvas &meter() override;
    void closeWindow() override;
    void showInfoWindow() override;

    void Form_Unload();
    void cancelRunningDownloads();

    Dependencies m_deps;

    ActiveBar *ActiveBar31 = nullptr;
    WebBrowserControl *brwWebBrowser = nullptr;
    PictureBox *Meter = nullptr;
    PictureBox *bMeter = nullptr;
    std::unique_ptr<PictureMeterHost> m_meter;
    AddressBox *txtEingabe = nullptr;
    DownloadsPanel *m_downloadsPanel = nullptr;

    std::unique_ptr<WebControl> m_web;
    std::unique_ptr<BrowserWindowRules> m_rules;

    PageArea *m_page = nullptr;
    PageZoom *m_zoom = nullptr;
};

} // namespace orv
