// SPDX-License-Identifier: MIT
#include "browser/qt/frmBrowser.h"

#include "browser/qt/DownloadsPanel.h"
#include "browser/qt/FindBar.h"
#include "browser/qt/QtWebControl.h"
#include "browser/qt/ToolbarLayout.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/DownloadList.h"
#include "components/qt/PictureBox.h"
#include "components/qt/StartupTrace.h"
#include "components/qt/Twips.h"
#include "components/qt/WebBrowserControl.h"
#include "core/Application.h"
#include "core/Numeric.h"
#include "core/Steps.h"
#include "modules/SettingsStore.h"
#include "modules/ZoomByHost.h"
#include "modules/qt/PictureMeterHost.h"
#include "modules/qt/WidgetPlacementWindow.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStandardPaths>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace orv {

namespace {

// Design rectangles, in twips.
constexpr QRect kClientArea { 0, 0, 10440, 4980 };
constexpr QRect kSmallestClientArea { 0, 0, 3000, 1500 };
constexpr QRect kMeterRect { 60, 3630, 2325, 285 };
constexpr QRect kMeterAreaRect { 90, 60, 375, 105 };
constexpr QRect kAddressBoxRect { 60, 2460, 3705, 315 };

QRect toPixels(const QRect &twips, const TwipsPerPixel &tpp)
{
    return { tpp.xToPixels(twips.x()), tpp.yToPixels(twips.y()), tpp.xToPixels(twips.width()),
        tpp.yToPixels(twips.height()) };
}

ActiveBarTool &tool(ActiveBar &bar, std::string_view band, std::string_view name)
{
    return bar.Bands(toQt(band)).Tools(toQt(name));
}

} // namespace

frmBrowser::frmBrowser(Dependencies dependencies, QWidget *parent)
    : QWidget(parent), m_deps(std::move(dependencies))
{
    setObjectName(QStringLiteral("frmBrowser"));
    QIcon icon;
    for (const int size : { 16, 32, 48 })
        icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    resize(toPixels(kClientArea, tpp).size());
    // Room for both bands and some of the page, whatever size is stored.
    setMinimumSize(toPixels(kSmallestClientArea, tpp).size());

    // Created in design order: toolbar, browser control, meter, address box.
    ActiveBar31 = new ActiveBar(this);
    buildToolbarLayout(*ActiveBar31);
    connect(ActiveBar31, &ActiveBar::ToolClick, this, &frmBrowser::ActiveBar31_ToolClick);
    connect(ActiveBar31, &ActiveBar::ComboSelChange, this, &frmBrowser::ActiveBar31_ComboSelChange);
    connect(ActiveBar31, &ActiveBar::ClientAreaChanged, this,
        &frmBrowser::ActiveBar31_ClientAreaChanged);

    brwWebBrowser = m_deps.createBrowser(ActiveBar31);
    m_web = std::make_unique<QtWebControl>(
        brwWebBrowser, std::exchange(m_deps.beforeFirstNavigate, nullptr));
    m_rules = std::make_unique<BrowserWindowRules>(
        m_deps.hosts, *m_web, static_cast<BrowserView &>(*this));
    connect(brwWebBrowser, &WebBrowserControl::StatusTextChange, this,
        &frmBrowser::brwWebBrowser_StatusTextChange);
    connect(brwWebBrowser, &WebBrowserControl::ProgressChange, this,
        &frmBrowser::brwWebBrowser_ProgressChange);
    connect(brwWebBrowser, &WebBrowserControl::CommandStateChange, this,
        &frmBrowser::brwWebBrowser_CommandStateChange);
    connect(brwWebBrowser, &WebBrowserControl::DownloadBegin, this,
        &frmBrowser::brwWebBrowser_DownloadBegin);
    connect(brwWebBrowser, &WebBrowserControl::DownloadComplete, this,
        &frmBrowser::brwWebBrowser_DownloadComplete);

    // The meter lives in the status band, in front of the time pane; hidden
    // until the first start. Blocks of 6 pixels with gaps of 1 pixel give it
    // 22 blocks at its design width.
    Meter = new PictureBox(this);
    Meter->setObjectName(QStringLiteral("Meter"));
    Meter->Tag = QStringLiteral("6");
    Meter->setFixedSize(toPixels(kMeterRect, tpp).size());
    Meter->hide();
    bMeter = new PictureBox(Meter);
    bMeter->setObjectName(QStringLiteral("bMeter"));
    bMeter->Tag = QStringLiteral("1");
    bMeter->setGeometry(toPixels(kMeterAreaRect, tpp));
    bMeter->hide();
    m_meter = std::make_unique<PictureMeterHost>(Meter, bMeter);
    ActiveBar31->Bands(toQt(names::statusBar)).addWidget(Meter, 0, QStringLiteral("Tool1"));

    // The address box sits in the command band, where the keyboard reaches it.
    txtEingabe = new QComboBox(this);
    txtEingabe->setObjectName(QStringLiteral("txtEingabe"));
    txtEingabe->setEditable(true);
    txtEingabe->setInsertPolicy(QComboBox::NoInsert);
    // Enter opens the text exactly as typed; an inline completion would
    // silently turn a prefix into the history entry it starts.
    txtEingabe->setCompleter(nullptr);
    txtEingabe->setMinimumWidth(toPixels(kAddressBoxRect, tpp).width());
    txtEingabe->setMaxVisibleItems(20);
    m_historyModel = new QStringListModel(txtEingabe);
    txtEingabe->setModel(m_historyModel);
    // The combo box keeps the focus and hands keys to its line edit itself,
    // past any filter there: Enter is caught on the box, and on the line
    // edit for keys sent to it directly (input methods).
    txtEingabe->installEventFilter(this);
    txtEingabe->lineEdit()->installEventFilter(this);
    // The combo box reports a text that matches an entry as picked when the
    // focus leaves it; only a real pick from the list may navigate.
    disconnect(txtEingabe->lineEdit(), &QLineEdit::editingFinished, txtEingabe, nullptr);
    connect(txtEingabe, &QComboBox::activated, this, &frmBrowser::txtEingabe_Click);
    ActiveBar31->Bands(toQt(names::band1)).addWidget(txtEingabe, 1);
    for (const QKeySequence &focusKey : { QKeySequence(Qt::Key_F6),
             QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D) }) {
        auto *shortcut = new QShortcut(focusKey, this);
        connect(shortcut, &QShortcut::activated, txtEingabe, [this] {
            txtEingabe->setFocus(Qt::ShortcutFocusReason);
            txtEingabe->lineEdit()->selectAll();
        });
    }

    // The zoom level shows in the status band while it is not 100 %.
    m_zoomPane = new QLabel(this);
    m_zoomPane->setObjectName(QStringLiteral("Zoom"));
    m_zoomPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_zoomPane->setToolTip(QStringLiteral("Zoomstufe (Strg+0: Originalgröße)"));
    m_zoomPane->setAccessibleName(QStringLiteral("Zoomstufe"));
    m_zoomPane->setText(QStringLiteral("Zoom: %1 %").arg(m_zoomPercent));
    m_zoomPane->hide();
    ActiveBar31->Bands(toQt(names::statusBar)).addWidget(m_zoomPane, 0, QStringLiteral("Tool1"));

    connect(
        brwWebBrowser, &WebBrowserControl::ZoomWheel, this, &frmBrowser::brwWebBrowser_ZoomWheel);
    connect(brwWebBrowser, &WebBrowserControl::AddressChange, this,
        &frmBrowser::brwWebBrowser_AddressChange);
    connect(brwWebBrowser, &WebBrowserControl::PrintRequested, this, &frmBrowser::print);
    connect(brwWebBrowser, &WebBrowserControl::SaveAsPdfRequested, this, &frmBrowser::saveAsPdf);
    connect(
        brwWebBrowser, &WebBrowserControl::PdfPrinted, this, &frmBrowser::brwWebBrowser_PdfPrinted);
    connect(brwWebBrowser, &WebBrowserControl::FullScreenRequested, this,
        &frmBrowser::brwWebBrowser_FullScreenRequested);

    bindKeys({ QKeySequence(Qt::CTRL | Qt::Key_F) }, &frmBrowser::openFindBar);
    bindKeys({ QKeySequence(Qt::Key_F3) }, &frmBrowser::findNext);
    bindKeys({ QKeySequence(Qt::SHIFT | Qt::Key_F3) }, &frmBrowser::findPrevious);
    // '+' is a key of its own on German keyboards and Shift with '=' on
    // others; the number pad's keys match these too.
    bindKeys({ QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal) },
        &frmBrowser::zoomIn);
    bindKeys({ QKeySequence(Qt::CTRL | Qt::Key_Minus) }, &frmBrowser::zoomOut);
    bindKeys({ QKeySequence(Qt::CTRL | Qt::Key_0) }, &frmBrowser::zoomReset);
    bindKeys({ QKeySequence(Qt::Key_F11) }, &frmBrowser::toggleFullScreen);
    bindKeys({ QKeySequence(Qt::CTRL | Qt::Key_P) }, &frmBrowser::print);
    bindKeys({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) }, &frmBrowser::saveAsPdf);
    // Esc stops a load only when there is no find bar to close and no page
    // full screen to leave.
    ActiveBar31->setShortcutGate([this](const QKeySequence &key) {
        return key != QKeySequence(Qt::Key_Escape) || !escapeUsed();
    });
    // The session's downloads float over the page; a button at the right end
    // of the status band brings them back.
    if (DownloadList *downloads = brwWebBrowser->downloads()) {
        m_downloadsPanel = new DownloadsPanel(downloads, m_deps.openWithShell, this);
        m_downloadsButton = new QToolButton(this);
        m_downloadsButton->setObjectName(QStringLiteral("downloadsButton"));
        m_downloadsButton->setText(QStringLiteral("Downloads"));
        m_downloadsButton->setToolTip(QStringLiteral("Downloads dieser Sitzung"));
        m_downloadsButton->setAutoRaise(true);
        ActiveBar31->Bands(toQt(names::statusBar)).addWidget(m_downloadsButton);
        connect(m_downloadsButton, &QToolButton::clicked, this, [this] {
            if (m_downloadsPanel->isVisible()) {
                m_downloadsPanel->hide();
                return;
            }
            placeDownloadsPanel();
            m_downloadsPanel->show();
            m_downloadsPanel->raise();
        });
        connect(downloads, &DownloadList::added, this, &frmBrowser::placeDownloadsPanel);
    }

    // Nothing to go back or forward to and nothing loading before the first report.
    tool(*ActiveBar31, names::band1, names::idZurueck).setEnabled(false);
    tool(*ActiveBar31, names::band1, names::idVorwaerts).setEnabled(false);
    tool(*ActiveBar31, names::band1, names::idStop).setEnabled(false);
}

frmBrowser::~frmBrowser() = default;

void frmBrowser::Form_Load()
{
    m_rules->Form_Load(m_deps.commandLine.toStdString());
    StepRunner steps("load step");
    steps.step([&] {
        WidgetPlacementWindow window(this);
        LoadWindowPlacement(window, *m_deps.store);
    });
}

void frmBrowser::bindKeys(const QList<QKeySequence> &keys, void (frmBrowser::*command)())
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, command);
        // Where a keyboard reports one key in two spellings, both match; Qt
        // then calls the key ambiguous, but it still means this command.
        connect(shortcut, &QShortcut::activatedAmbiguously, this, command);
    }
}

void frmBrowser::ActiveBar31_ToolClick(ActiveBarTool *clicked)
{
    m_rules->ActiveBar31_ToolClick(clicked->Name().toStdString());
}

void frmBrowser::ActiveBar31_ComboSelChange(ActiveBarTool *chosen)
{
    m_rules->ActiveBar31_ComboSelChange(chosen->Text().toStdString());
}

void frmBrowser::ActiveBar31_ClientAreaChanged(int, int, int, int)
{
    runUntrapped("layout", [&] { layoutClientArea(); });
}

void frmBrowser::layoutClientArea()
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    QRect area = ActiveBar31->clientArea();
    if (m_pageFullScreen) {
        // The page's full screen hides the bands.
        area = QRect(0, 0, tpp.xToTwips(ActiveBar31->width()), tpp.yToTwips(ActiveBar31->height()));
        brwWebBrowser->widget()->raise();
    } else if (findBarOpen()) {
        const QRect pixels = toPixels(area, tpp);
        const int barHeight = m_findBar->sizeHint().height();
        m_findBar->setGeometry(
            pixels.left(), pixels.top() + pixels.height() - barHeight, pixels.width(), barHeight);
        area.setHeight(qMax(0, area.height() - tpp.yToTwips(barHeight)));
    }
    brwWebBrowser->Move(area.x(), area.y(), area.width(), area.height());
}

void frmBrowser::openFindBar()
{
    if (m_pageFullScreen)
        return;
    if (!m_findBar) {
        // Made at first use: its line edit asks the icon theme for a clear
        // button, which would cost the start several milliseconds.
        m_findBar = new FindBar(this);
        connect(m_findBar, &FindBar::find, this, [this](const QString &text, bool backward) {
            runUntrapped("find", [&] { brwWebBrowser->FindText(text, backward); });
        });
        connect(m_findBar, &FindBar::closeRequested, this, &frmBrowser::closeFindBar);
        connect(brwWebBrowser, &WebBrowserControl::FindTextResult, m_findBar, &FindBar::showResult);
    }
    m_findBar->open();
    runUntrapped("layout", [&] { layoutClientArea(); });
}

void frmBrowser::findNext()
{
    openFindBar();
    if (findBarOpen() && !m_findBar->text().isEmpty())
        runUntrapped("find", [&] { brwWebBrowser->FindText(m_findBar->text(), false); });
}

void frmBrowser::findPrevious()
{
    openFindBar();
    if (findBarOpen() && !m_findBar->text().isEmpty())
        runUntrapped("find", [&] { brwWebBrowser->FindText(m_findBar->text(), true); });
}

void frmBrowser::closeFindBar()
{
    if (!findBarOpen())
        return;
    m_findBar->hide();
    brwWebBrowser->widget()->setFocus(Qt::OtherFocusReason);
    runUntrapped("find", [&] { brwWebBrowser->FindText(QString(), false); });
    runUntrapped("layout", [&] { layoutClientArea(); });
}

bool frmBrowser::findBarOpen() const
{
    return m_findBar && !m_findBar->isHidden();
}

bool frmBrowser::escapeUsed()
{
    if (findBarOpen()) {
        closeFindBar();
        return true;
    }
    if (m_pageFullScreen) {
        leavePageFullScreen();
        return true;
    }
    return false;
}

void frmBrowser::zoomIn()
{
    zoomBy(1);
}

void frmBrowser::zoomOut()
{
    zoomBy(-1);
}

void frmBrowser::zoomReset()
{
    runUntrapped("zoom", [&] { setZoom(100, true); });
}

void frmBrowser::zoomBy(int steps)
{
    runUntrapped("zoom", [&] { setZoom(zoomLevelBy(m_zoomPercent, steps), true); });
}

void frmBrowser::setZoom(int percent, bool remember)
{
    if (percent != m_zoomPercent) {
        brwWebBrowser->SetZoomFactor(percent / 100.0);
        m_zoomPercent = percent;
    }
    m_zoomPane->setText(QStringLiteral("Zoom: %1 %").arg(percent));
    m_zoomPane->setVisible(percent != 100);
    if (remember && m_deps.zoom)
        m_deps.zoom->remember(m_zoomHost, percent);
}

void frmBrowser::brwWebBrowser_AddressChange(const QString &address)
{
    QUrl url(address);
    const std::string host = url.port() >= 0
        ? QStringLiteral("%1:%2").arg(url.host()).arg(url.port()).toStdString()
        : url.host().toStdString();
    // The program's own pages and blank pages have no host: they keep the zoom shown.
    if (host.empty() || host == m_zoomHost)
        return;
    m_zoomHost = host;
    runUntrapped("zoom", [&] {
        const int percent = m_deps.zoom ? m_deps.zoom->percentFor(host) : 100;
        // The engine may have reset the zoom for a page of another site.
        brwWebBrowser->SetZoomFactor(percent / 100.0);
        m_zoomPercent = percent;
        setZoom(percent, false);
    });
}

void frmBrowser::brwWebBrowser_ZoomWheel(int angleDelta)
{
    // A notch is 120; touchpads send smaller amounts that add up.
    m_wheelAngle += angleDelta;
    const int steps = m_wheelAngle / 120;
    m_wheelAngle %= 120;
    if (steps != 0)
        zoomBy(steps);
}

void frmBrowser::toggleFullScreen()
{
    if (m_pageFullScreen)
        leavePageFullScreen();
    else
        setWindowFullScreen(!isFullScreen());
}

void frmBrowser::setWindowFullScreen(bool on)
{
    if (on == isFullScreen())
        return;
    if (on) {
        m_stateBeforeFullScreen = windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen);
        setWindowState(
            (windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowFullScreen);
    } else {
        setWindowState(m_stateBeforeFullScreen);
    }
}

void frmBrowser::leavePageFullScreen()
{
    runUntrapped("full screen", [&] { brwWebBrowser->ExitFullScreen(); });
    // The page confirms later, or not at all when it has gone meanwhile.
    brwWebBrowser_FullScreenRequested(false);
}

void frmBrowser::brwWebBrowser_FullScreenRequested(bool on)
{
    if (on == m_pageFullScreen)
        return;
    m_pageFullScreen = on;
    if (on) {
        closeFindBar();
        m_fullScreenByPage = !isFullScreen();
        setWindowFullScreen(true);
    } else if (m_fullScreenByPage) {
        setWindowFullScreen(false);
    }
    runUntrapped("layout", [&] { layoutClientArea(); });
}

void frmBrowser::print()
{
    runUntrapped("print", [&] { brwWebBrowser->Print(); });
}

void frmBrowser::saveAsPdf()
{
    runUntrapped("PDF", [&] {
        QString name = tool(*ActiveBar31, names::band1, names::idSeite).Text();
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        const QString proposed
            = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                  .filePath(
                      (name.isEmpty() ? QStringLiteral("Seite") : name) + QStringLiteral(".pdf"));
        const QString path = m_deps.choosePdfFile
            ? m_deps.choosePdfFile(proposed)
            : QFileDialog::getSaveFileName(this, QStringLiteral("Als PDF speichern"), proposed,
                QStringLiteral("PDF-Dateien (*.pdf)"));
        if (!path.isEmpty())
            brwWebBrowser->PrintToPdf(path);
    });
}

void frmBrowser::brwWebBrowser_PdfPrinted(const QString &filePath, bool success)
{
    brwWebBrowser_StatusTextChange(
        toQt(success ? texts::statusPdfSaved : texts::statusPdfFailed) + filePath);
}

bool frmBrowser::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the address box, whatever modifiers are held. The combo box
    // never sees it, so it cannot add or pick an entry of its own accord.
    if ((watched == txtEingabe || watched == txtEingabe->lineEdit())
        && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            txtEingabe_KeyPress(13);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmBrowser::txtEingabe_KeyPress(int keyAscii)
{
    m_rules->txtEingabe_KeyPress(keyAscii, txtEingabe->currentText().toStdString());
}

void frmBrowser::txtEingabe_Click(int index)
{
    m_rules->txtEingabe_Click(index);
}

void frmBrowser::brwWebBrowser_StatusTextChange(const QString &text)
{
    const trace::Scope traced(trace::Work::StatusText);
    m_rules->StatusTextChange(text.toStdString());
}

void frmBrowser::brwWebBrowser_ProgressChange(qint32 progress, qint32 progressMax)
{
    const trace::Scope traced(trace::Work::Progress);
    m_rules->ProgressChange(progress, progressMax);
}

void frmBrowser::brwWebBrowser_CommandStateChange(qint32 command, bool enable)
{
    m_rules->CommandStateChange(command, enable);
}

void frmBrowser::brwWebBrowser_DownloadBegin()
{
    m_rules->DownloadBegin();
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    m_rules->DownloadComplete();
}

void frmBrowser::setCaption(const std::string &caption)
{
    setWindowTitle(toQt(caption));
}

void frmBrowser::setCategoryList(const std::vector<std::string> &entries)
{
    ActiveBarTool &list = tool(*ActiveBar31, names::band1, names::idSeite);
    list.Clear();
    for (const std::string &entry : entries)
        list.AddItem(toQt(entry));
}

void frmBrowser::selectCategory(int position)
{
    tool(*ActiveBar31, names::band1, names::idSeite).setListIndex(position);
}

void frmBrowser::setAddressText(const std::string &text)
{
    txtEingabe->setEditText(toQt(text));
}

void frmBrowser::addHistoryEntry(const std::string &text)
{
    m_historyModel->insertRows(0, 1);
    m_historyModel->setData(m_historyModel->index(0), toQt(text));
}

void frmBrowser::moveHistoryEntryToFront(int index)
{
    if (index > 0)
        m_historyModel->moveRows(QModelIndex(), index, 1, QModelIndex(), 0);
}

void frmBrowser::markHistoryEntry(int index)
{
    // The box would otherwise keep its first entry ever as its current one.
    txtEingabe->setCurrentIndex(index);
}

void frmBrowser::setToolEnabled(std::string_view name, bool enabled)
{
    tool(*ActiveBar31, names::band1, name).setEnabled(enabled);
}

void frmBrowser::setStatusText(const std::string &text)
{
    tool(*ActiveBar31, names::statusBar, names::statusInfo).setCaption(toQt(text));
    ActiveBar31->RecalcLayout();
}

void frmBrowser::setMeterAreaVisible(bool visible)
{
    bMeter->setVisible(visible);
}

MeterCanvas &frmBrowser::meter()
{
    return *m_meter;
}

void frmBrowser::closeWindow()
{
    close();
}

void frmBrowser::showInfoWindow()
{
    if (m_deps.showInfoWindow)
        m_deps.showInfoWindow(this);
}

void frmBrowser::closeEvent(QCloseEvent *event)
{
    // Never refused: running downloads are cancelled, their partial files removed.
    cancelRunningDownloads();
    Form_Unload();
    // Out of sight at once; a PDF being written is finished first.
    hide();
    brwWebBrowser->finishWriting();
    event->accept();
}

void frmBrowser::cancelRunningDownloads()
{
    DownloadList *downloads = brwWebBrowser->downloads();
    if (!downloads || downloads->runningCount() == 0)
        return;
    QStringList names;
    for (const DownloadEntry &entry : downloads->entries()) {
        if (entry.state == DownloadEntry::State::Running)
            names.append(entry.fileName);
    }
    brwWebBrowser_StatusTextChange(
        toQt(texts::statusDownloadsCancelledOnClose) + names.join(QStringLiteral(", ")));
    downloads->cancelRunning();
}

void frmBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeDownloadsPanel();
}

void frmBrowser::placeDownloadsPanel()
{
    if (!m_downloadsPanel)
        return;
    const QWidget &band = ActiveBar31->Bands(toQt(names::statusBar));
    m_downloadsPanel->placeAbove(band.isVisible() ? band.mapTo(this, QPoint(0, 0)).y() : height());
}

void frmBrowser::Form_Unload()
{
    runUntrapped("storing the window placement", [&] {
        WidgetPlacementWindow window(this);
        SaveWindowPlacement(window, *m_deps.store);
    });
    // One write of the whole store per close; a failed write is reported once.
    runUntrapped("storing the window placement", [&] { m_deps.store->flush(); });
}

} // namespace orv
