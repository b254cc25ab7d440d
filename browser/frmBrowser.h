// SPDX-License-Identifier: MIT
#pragma once

// The browser window: the program's start-up window. Its load step reads the
// command line, fills the category list, opens the category's page, names
// the window and restores the placement filed under that name; closing it
// files the placement under the caption shown then and ends the program.

#include "browser/AddressHistory.h"
#include "browser/Categories.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QStringListModel;
class QToolButton;

namespace orv {

class ActiveBar;
class ActiveBarTool;
class DownloadsPanel;
class PictureBox;
class PictureMeterHost;
class SettingsStore;
class WebBrowserControl;

class frmBrowser : public QWidget
{
    Q_OBJECT

public:
    struct Dependencies
    {
        Hosts hosts;
        QString commandLine; // the arguments as one text, quotes kept
        SettingsStore *store = nullptr;
        // Makes the web browser control inside the given container.
        std::function<WebBrowserControl *(QWidget *container)> createBrowser;
        // Shows the Info window modally; empty while there is none.
        std::function<void()> showInfoWindow;
        // Told when the load step is about to request the first page (start-up tracing).
        std::function<void()> beforeFirstNavigate;
        // Hands a downloaded file or its folder to the desktop's default program.
        std::function<void(const QString &path)> openWithShell;
        // Asks a yes/no question; true for yes. Empty: a German message box.
        std::function<bool(const QString &question)> confirm;
    };

    explicit frmBrowser(Dependencies dependencies, QWidget *parent = nullptr);
    ~frmBrowser() override;

    // Runs once, before the window is first shown.
    void Form_Load();

    const CommandLineFields &fields() const { return m_fields; }
    ActiveBar *toolbar() const { return ActiveBar31; }
    WebBrowserControl *browser() const { return brwWebBrowser; }
    QComboBox *addressBox() const { return txtEingabe; }
    const AddressHistory &history() const { return m_history; }
    PictureBox *meterFrame() const { return Meter; }
    PictureBox *meterArea() const { return bMeter; }
    // The session's downloads and the status band button that shows them;
    // null when the browser control keeps no download list.
    DownloadsPanel *downloadsPanel() const { return m_downloadsPanel; }
    QToolButton *downloadsButton() const { return m_downloadsButton; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FillCategoryList();
    void setCategoryCaption();

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

    void Form_Unload();
    bool mayCloseWithRunningDownloads();
    void placeDownloadsPanel();

    Dependencies m_deps;
    CommandLineFields m_fields;

    ActiveBar *ActiveBar31 = nullptr;
    WebBrowserControl *brwWebBrowser = nullptr;
    PictureBox *Meter = nullptr;
    PictureBox *bMeter = nullptr;
    std::unique_ptr<PictureMeterHost> m_meter;
    QComboBox *txtEingabe = nullptr;
    QLabel *imgWelt = nullptr;
    DownloadsPanel *m_downloadsPanel = nullptr;
    QToolButton *m_downloadsButton = nullptr;

    QStringListModel *m_historyModel = nullptr;
    AddressHistory m_history { nullptr };
};

} // namespace orv
