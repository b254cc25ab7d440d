// SPDX-License-Identifier: MIT
#include "browser/frmBrowser.h"

#include "browser/DownloadsPanel.h"
#include "browser/FindBar.h"
#include "browser/ToolbarLayout.h"
#include "components/ActiveBar.h"
#include "components/DownloadList.h"
#include "components/PictureBox.h"
#include "components/StartupTrace.h"
#include "components/Twips.h"
#include "components/WebBrowserControl.h"
#include "core/Application.h"
#include "core/Numeric.h"
#include "core/Steps.h"
#include "modules/ProgressBar.h"
#include "modules/SettingsStore.h"
#include "modules/ZoomByHost.h"
#include "modules/qt/WidgetPlacementWindow.h"
#include "resources/Texts.h"

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
constexpr QRect kPictureRect { 60, 2820, 510, 465 };

QRect toPixels(const QRect &twips, const TwipsPerPixel &tpp)
{
    return { tpp.xToPixels(twips.x()), tpp.yToPixels(twips.y()), tpp.xToPixels(twips.width()),
        tpp.yToPixels(twips.height()) };
}

ActiveBarTool &tool(ActiveBar &bar, const QString &band, const QString &name)
{
    return bar.Bands(band).Tools(name);
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

    // Created in design order: toolbar, browser control, meter, address box, picture.
    ActiveBar31 = new ActiveBar(this);
    buildToolbarLayout(*ActiveBar31);
    connect(ActiveBar31, &ActiveBar::ToolClick, this, &frmBrowser::ActiveBar31_ToolClick);
    connect(ActiveBar31, &ActiveBar::ComboSelChange, this, &frmBrowser::ActiveBar31_ComboSelChange);
    connect(ActiveBar31, &ActiveBar::ClientAreaChanged, this,
        &frmBrowser::ActiveBar31_ClientAreaChanged);

    brwWebBrowser = m_deps.createBrowser(ActiveBar31);
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
    ActiveBar31->Bands(names::statusBar()).addWidget(Meter, 0, QStringLiteral("Tool1"));

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
    m_history = AddressHistory(m_historyModel);
    // The combo box keeps the focus and hands keys to its line edit itself,
    // past any filter there: Enter is caught on the box, and on the line
    // edit for keys sent to it directly (input methods).
    txtEingabe->installEventFilter(this);
    txtEingabe->lineEdit()->installEventFilter(this);
    // The combo box reports a text that matches an entry as picked when the
    // focus leaves it; only a real pick from the list may navigate.
    disconnect(txtEingabe->lineEdit(), &QLineEdit::editingFinished, txtEingabe, nullptr);
    connect(txtEingabe, &QComboBox::activated, this, &frmBrowser::txtEingabe_Click);
    ActiveBar31->Bands(names::band1()).addWidget(txtEingabe, 1);
    for (const QKeySequence &focusKey : { QKeySequence(Qt::Key_F6),
             QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D) }) {
        auto *shortcut = new QShortcut(focusKey, this);
        connect(shortcut, &QShortcut::activated, txtEingabe, [this] {
            txtEingabe->setFocus(Qt::ShortcutFocusReason);
            txtEingabe->lineEdit()->selectAll();
        });
    }

    // No code uses the picture; it keeps its design place, hidden.
    imgWelt = new QLabel(this);
    imgWelt->setObjectName(QStringLiteral("imgWelt"));
    imgWelt->setGeometry(toPixels(kPictureRect, tpp));
    imgWelt->hide();

    // The zoom level shows in the status band while it is not 100 %.
    m_zoomPane = new QLabel(this);
    m_zoomPane->setObjectName(QStringLiteral("Zoom"));
    m_zoomPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_zoomPane->setToolTip(QStringLiteral("Zoomstufe (Strg+0: Originalgröße)"));
    m_zoomPane->setAccessibleName(QStringLiteral("Zoomstufe"));
    m_zoomPane->setText(QStringLiteral("Zoom: %1 %").arg(m_zoomPercent));
    m_zoomPane->hide();
    ActiveBar31->Bands(names::statusBar()).addWidget(m_zoomPane, 0, QStringLiteral("Tool1"));

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
        ActiveBar31->Bands(names::statusBar()).addWidget(m_downloadsButton);
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
    tool(*ActiveBar31, names::band1(), names::idZurueck()).setEnabled(false);
    tool(*ActiveBar31, names::band1(), names::idVorwaerts()).setEnabled(false);
    tool(*ActiveBar31, names::band1(), names::idStop()).setEnabled(false);
}

frmBrowser::~frmBrowser() = default;

void frmBrowser::Form_Load()
{
    StepRunner steps("load step");
    steps.step([&] { brwWebBrowser->setSilent(true); });
    m_fields = parseCommandLine(m_deps.commandLine);

    steps.step([&] { FillCategoryList(); });

    const StartPage start = startPageFor(m_fields, m_deps.hosts);
    if (m_deps.beforeFirstNavigate)
        std::exchange(m_deps.beforeFirstNavigate, nullptr)();
    steps.step([&] { brwWebBrowser->Navigate(start.address); });
    steps.step(
        [&] { tool(*ActiveBar31, names::band1(), names::idSeite()).setListIndex(start.position); });
    steps.step([&] { txtEingabe->setEditText(start.address); });

    steps.step([&] { setCategoryCaption(); });
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

void frmBrowser::FillCategoryList()
{
    ActiveBarTool &list = tool(*ActiveBar31, names::band1(), names::idSeite());
    for (const QString &entry : categoryEntries(m_fields))
        list.AddItem(entry);
}

void frmBrowser::setCategoryCaption()
{
    setWindowTitle(
        texts::captionPrefix() + tool(*ActiveBar31, names::band1(), names::idSeite()).Text());
}

void frmBrowser::ActiveBar31_ToolClick(ActiveBarTool *clicked)
{
    StepRunner steps("toolbar command");
    QString name;
    steps.step([&] { name = clicked->Name(); });
    if (name == names::idBeenden())
        steps.step([&] { close(); });
    else if (name == names::idZurueck())
        steps.step([&] { brwWebBrowser->GoBack(); });
    else if (name == names::idVorwaerts())
        steps.step([&] { brwWebBrowser->GoForward(); });
    else if (name == names::idStop())
        steps.step([&] { brwWebBrowser->Stop(); });
    else if (name == names::idAktualisieren())
        steps.step([&] { brwWebBrowser->Refresh(); });
    else if (name == names::idInfo())
        steps.step([&] {
            if (m_deps.showInfoWindow)
                m_deps.showInfoWindow(this);
        });
}

void frmBrowser::ActiveBar31_ComboSelChange(ActiveBarTool *chosen)
{
    runUntrapped("category switch", [&] {
        if (const auto address = switchAddressFor(chosen->Text(), m_fields, m_deps.hosts)) {
            brwWebBrowser->Navigate(*address);
            txtEingabe->setEditText(*address);
        }
        setWindowTitle(texts::captionPrefix() + chosen->Text());
    });
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
        QString name = tool(*ActiveBar31, names::band1(), names::idSeite()).Text();
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
        (success ? texts::statusPdfSaved() : texts::statusPdfFailed()) + filePath);
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
    if (keyAscii != 13)
        return;
    runUntrapped("address box", [&] {
        const QString typed = txtEingabe->currentText();
        brwWebBrowser->Navigate(typed);
        const QString kept = AddressHistory::completed(typed);
        txtEingabe->setEditText(kept);
        // The list opens on the entry just used, not on the box's first
        // entry ever, which the box would otherwise keep as its current one.
        txtEingabe->setCurrentIndex(m_history.remember(kept));
        txtEingabe->setEditText(kept);
    });
}

void frmBrowser::txtEingabe_Click(int index)
{
    runUntrapped("address list", [&] {
        brwWebBrowser->Navigate(txtEingabe->currentText());
        const QString text = m_history.moveToFront(index);
        txtEingabe->setEditText(text);
    });
}

void frmBrowser::brwWebBrowser_StatusTextChange(const QString &text)
{
    const trace::Scope traced(trace::Work::StatusText);
    runUntrapped("StatusTextChange", [&] {
        tool(*ActiveBar31, names::statusBar(), names::statusInfo()).setCaption(text);
        ActiveBar31->RecalcLayout();
    });
}

void frmBrowser::brwWebBrowser_ProgressChange(qint32 progress, qint32 progressMax)
{
    const trace::Scope traced(trace::Work::Progress);
    StepRunner steps("ProgressChange");
    steps.step([&] { bMeter->setVisible(true); });
    if (progress == -1 || progress == 0) {
        steps.step([&] { bMeter->setVisible(false); });
        return;
    }
    // Every report restarts the meter and draws it up to the new value.
    steps.step([&] { InitMeter(*m_meter, toInt16(progressMax), QStringLiteral("lad")); });
    steps.step([&] { UpdateMeter(*m_meter, progress); });
}

void frmBrowser::brwWebBrowser_CommandStateChange(qint32 command, bool enable)
{
    runUntrapped("CommandStateChange", [&] {
        if (command == CommandForward)
            tool(*ActiveBar31, names::band1(), names::idVorwaerts()).setEnabled(enable);
        else if (command == CommandBack)
            tool(*ActiveBar31, names::band1(), names::idZurueck()).setEnabled(enable);
    });
}

void frmBrowser::brwWebBrowser_DownloadBegin()
{
    StepRunner steps("DownloadBegin");
    steps.step([&] { tool(*ActiveBar31, names::band1(), names::idStop()).setEnabled(true); });
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    StepRunner steps("DownloadComplete");
    steps.step([&] { tool(*ActiveBar31, names::band1(), names::idStop()).setEnabled(false); });
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
        texts::statusDownloadsCancelledOnClose() + names.join(QStringLiteral(", ")));
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
    const QWidget &band = ActiveBar31->Bands(names::statusBar());
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
