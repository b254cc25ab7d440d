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
#include "browser/qt/CommandLineText.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QKeySequence;
class QLabel;
class QStringListModel;
class QToolButton;

namespace orv {

class ActiveBar;
class ActiveBarTool;
class FindBar;
class DownloadsPanel;
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
    FindBar *findBar() const { return m_findBar; }
    QLabel *zoomPane() const { return m_zoomPane; }
    int zoomPercent() const { return m_zoomPercent; }
    bool pageFullScreen() const { return m_pageFullScreen; }
    // The session's downloads and the status band button that shows them;
    // null when the browser control keeps no download list.
    DownloadsPanel *downloadsPanel() const { return m_downloadsPanel; }
    QToolButton *downloadsButton() const { return m_downloadsButton; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void bindKeys(const QList<QKeySequence> &keys, void (frmBrowser::*command)());
    void layoutClientArea();

    void openFindBar();
    void findNext();
    void findPrevious();
    void closeFindBar();
    bool findBarOpen() const;
    // Esc closes the find bar, else leaves full screen; false: neither was there.
    bool escapeUsed();

    void zoomIn();
    void zoomOut();
    void zoomReset();
    void zoomBy(int steps);
    void setZoom(int percent, bool remember);
    // The page's address changed: a new host opens at its own zoom.
    void brwWebBrowser_AddressChange(const QString &address);

    void toggleFullScreen();
    void setWindowFullScreen(bool on);
    void leavePageFullScreen();

    void print();
    void saveAsPdf();

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
    void brwWebBrowser_ZoomWheel(int angleDelta);
    void brwWebBrowser_PdfPrinted(const QString &filePath, bool success);
    void brwWebBrowser_FullScreenRequested(bool on);

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
    void placeDownloadsPanel();

    Dependencies m_deps;

    ActiveBar *ActiveBar31 = nullptr;
    WebBrowserControl *brwWebBrowser = nullptr;
    PictureBox *Meter = nullptr;
    PictureBox *bMeter = nullptr;
    std::unique_ptr<PictureMeterHost> m_meter;
    QComboBox *txtEingabe = nullptr;
    DownloadsPanel *m_downloadsPanel = nullptr;
    QToolButton *m_downloadsButton = nullptr;

    // The address box's list: the history as the rules keep it.
    QStringListModel *m_historyModel = nullptr;
    std::unique_ptr<WebControl> m_web;
    std::unique_ptr<BrowserWindowRules> m_rules;

    FindBar *m_findBar = nullptr;
    QLabel *m_zoomPane = nullptr;
    int m_zoomPercent = 100;
    std::string m_zoomHost; // the host whose zoom the page shows
    int m_wheelAngle = 0; // turned but not yet a whole zoom step
    bool m_pageFullScreen = false;
    bool m_fullScreenByPage = false; // the page, not F11, made the window full screen
    Qt::WindowStates m_stateBeforeFullScreen;
};

} // namespace orv
