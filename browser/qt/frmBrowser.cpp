// SPDX-License-Identifier: MIT
#include "browser/qt/frmBrowser.h"

#include "browser/ToolbarDesign.h"
#include "browser/qt/PrintActions.h"
#include "browser/qt/QtWebControl.h"
#include "browser/qt/ToolbarLayout.h"
#include "components/qt/ActiveBar.h"
#include "components/qt/DownloadList.h"
#include "components/qt/PictureBox.h"
#include "components/qt/StartupTrace.h"
#include "components/qt/WebBrowserControl.h"
#include "core/Steps.h"
#include "modules/SettingsStore.h"
#include "modules/qt/PictureMeterHost.h"
#include "modules/qt/WidgetPlacementWindow.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>

#include <utility>

namespace orv {

namespace {

// Design rectangles, in twips.
constexpr QRect kClientArea { 0, 0, 10440, 4980 };
constexpr QRect kMeterAreaRect { 90, 60, 375, 105 };
constexpr QRect kAddressBoxRect { 60, 2460, 3705, 315 };

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
    // No minimum of our own: a stored placement comes back as it was stored.

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

    // The meter lives in the status band, in front of its designed pane; hidden
    // until the first start. Its designed tags give it 22 blocks at its
    // design width.
    Meter = new PictureBox(this);
    Meter->setObjectName(QStringLiteral("Meter"));
    Meter->Tag = toQt(ProgressBar::kFrameTag);
    Meter->setFixedSize(
        toPixels(QRect(0, 0, toolbar::meterFrame.width, toolbar::meterFrame.height), tpp).size());
    Meter->hide();
    bMeter = new PictureBox(Meter);
    bMeter->setObjectName(QStringLiteral("bMeter"));
    bMeter->Tag = toQt(ProgressBar::kAreaTag);
    bMeter->setGeometry(toPixels(kMeterAreaRect, tpp));
    bMeter->hide();
    m_meter = std::make_unique<PictureMeterHost>(Meter, bMeter);
    ActiveBarBand &statusBand = ActiveBar31->Bands(toQt(names::statusBar));
    statusBand.addWidget(Meter, 0, toQt(toolbar::meterBeforeTool));

    // The address box sits in the command band, where the keyboard reaches it.
    txtEingabe = new AddressBox(this, toPixels(kAddressBoxRect, tpp).width());
    connect(txtEingabe, &AddressBox::enterPressed, this, [this] { txtEingabe_KeyPress(13); });
    connect(txtEingabe, &QComboBox::activated, this, &frmBrowser::txtEingabe_Click);
    ActiveBar31->Bands(toQt(names::band1)).addWidget(txtEingabe, 1);

    m_zoom = new PageZoom(this, brwWebBrowser, m_deps.zoom, statusBand);
    auto *print = new PrintActions(this, brwWebBrowser,
        { .pageName = [this] { return tool(*ActiveBar31, names::band1, names::idSeite).Text(); },
            .choosePdfFile = m_deps.choosePdfFile });
    connect(print, &PrintActions::statusText, this, &frmBrowser::brwWebBrowser_StatusTextChange);
    m_page = new PageArea(this, ActiveBar31, brwWebBrowser);
    // Esc stops a load only when there is no find bar to close and no page
    // full screen to leave.
    ActiveBar31->setShortcutGate([this](const QKeySequence &key) {
        return key != QKeySequence(Qt::Key_Escape) || !m_page->escapeUsed();
    });
    if (DownloadList *downloads = brwWebBrowser->downloads())
        m_downloadsPanel = new DownloadsPanel(downloads, m_deps.openWithShell, this, statusBand);
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
    runUntrapped("layout", [&] { m_page->layout(); });
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
    txtEingabe->addEntry(toQt(text));
}

void frmBrowser::moveHistoryEntryToFront(int index)
{
    txtEingabe->moveEntryToFront(index);
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
    const QStringList names = m_downloadsPanel ? m_downloadsPanel->runningNames() : QStringList();
    if (names.isEmpty())
        return;
    brwWebBrowser_StatusTextChange(
        toQt(texts::statusDownloadsCancelledOnClose) + names.join(QStringLiteral(", ")));
    m_downloadsPanel->cancelRunning();
}

void frmBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_downloadsPanel)
        m_downloadsPanel->place();
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
