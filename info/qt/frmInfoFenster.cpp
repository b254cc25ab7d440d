// SPDX-License-Identifier: MIT
#include "info/qt/frmInfoFenster.h"

#include "components/qt/SSPanel.h"
#include "components/qt/Twips.h"
#include "info/qt/InfoControls.h"
#include "resources/qt/QtText.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <type_traits>

namespace orv {

namespace {

QPointer<frmInfoFenster> &lastOpened()
{
    static QPointer<frmInfoFenster> window;
    return window;
}

} // namespace

frmInfoFenster *frmInfoFenster::ShowModal(const Dependencies &dependencies, QWidget *owner)
{
    auto *window = new frmInfoFenster(dependencies, owner);
    // Closing discards the window and its utility class; the next opening starts afresh.
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QDialog::finished, window, &QObject::deleteLater);
    window->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    lastOpened() = window;
    window->show();
    return window;
}

frmInfoFenster *frmInfoFenster::instance()
{
    return lastOpened().data();
}

frmInfoFenster::frmInfoFenster(Dependencies dependencies, QWidget *parent)
    : QDialog(parent), m_deps(std::move(dependencies)),
      m_rules(*this, m_deps.MainHost, m_deps.platform, m_deps.createSysUtil)
{
    setObjectName(QStringLiteral("frmInfoFenster"));
    setWindowTitle(toQt(texts::info::title));
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    setFixedSize(tpp.xToPixels(info::kClientWidth), tpp.yToPixels(info::kClientHeight));
    m_controls = std::make_unique<InfoControls>(
        this, m_rules.mainHost(), [this](SSPanel *panel, info::Role role, std::string target) {
            wirePanel(panel, role, std::move(target));
        });
    findControls();
    for (const info::Page page : { info::Page::Kontakt, info::Page::Vertrieb, info::Page::Autoren })
        connect(panel(page), &SSPanel::Click, this, [this, page] { m_rules.pageClicked(page); });
    for (const info::Country country : { info::Country::Österreich, info::Country::Deutschland })
        connect(panel(country), &SSPanel::Click, this,
            [this, country] { m_rules.countryClicked(country); });
    // The Autoren page is no drag surface, and neither is anything on it;
    // nor is the sales text, a text box.
    for (QWidget *still : { frameAutoren, static_cast<QWidget *>(frameprogrammierung),
             static_cast<QWidget *>(txtVertrieb) })
        still->setAttribute(Qt::WA_NoMousePropagation);

    Form_Load();

    // Esc closes the window through QDialog (reject): no control on it takes
    // that key for itself, so it reaches the window from any of them.
    for (QWidget *surface : m_controls->dragSurfaces())
        surface->installEventFilter(this);
}

frmInfoFenster::~frmInfoFenster() = default;

void frmInfoFenster::wirePanel(SSPanel *panel, info::Role role, std::string target)
{
    using info::Role;
    connect(panel, &SSPanel::MouseLeave, this,
        [this, panel, role] { m_rules.pointerLeft(panel->objectName().toStdString(), role); });
    if (role == Role::Close)
        connect(panel, &SSPanel::Click, this, &QDialog::close);
    else if (role == Role::SystemInfo)
        connect(panel, &SSPanel::Click, this, [this] { m_rules.pnlSysteminfo_Click(); });
    else if (role == Role::HomeLink || role == Role::AuthorLink || role == Role::MailLink)
        connect(panel, &SSPanel::Click, this, [this, target] { m_rules.openLink(target); });
}

void frmInfoFenster::findControls()
{
    const auto find = [this](auto *&member, const QString &name) {
        member = static_cast<std::remove_reference_t<decltype(*member)> *>((*m_controls)[name]);
    };
    for (const auto &[member, name] : std::initializer_list<std::pair<QLabel **, const char *>> {
             { &Image1, "Image1" }, { &lblProgramm, "lblProgramm" }, { &lblVersion, "lblVersion" },
             { &Image2, "Image2" }, { &lblProjektleitung, "lblProjektleitung" },
             { &lblProgrammierung, "lblProgrammierung" }, { &Image3, "Image3" } })
        find(*member, QString::fromUtf8(name));
    for (const auto &[member, name] : std::initializer_list<std::pair<SSPanel **, const char *>> {
             { &lnkHarlund, "lnkHarlund" }, { &pnlSysteminfo, "pnlSysteminfo" },
             { &pnlKontakt, "pnlKontakt" }, { &pnlVertrieb, "pnlVertrieb" },
             { &pnlAutoren, "pnlAutoren" }, { &pnlSchließen, "pnlSchließen" },
             { &pnlÖsterreich, "pnlÖsterreich" }, { &pnlDeutschland, "pnlDeutschland" },
             { &lnkOlmbach, "lnkOlmbach" }, { &lnkKestadt, "lnkKestadt" },
             { &lnkSarnfeld, "lnkSarnfeld" }, { &lnkArneKolvik[0], "lnkArneKolvik_0" },
             { &lnkArneKolvik[1], "lnkArneKolvik_1" }, { &lnkLenzOttmer, "lnkLenzOttmer" } })
        find(*member, QString::fromUtf8(name));
    for (const auto &[member, name] : std::initializer_list<std::pair<QWidget **, const char *>> {
             { &frameNavi, "frameNavi" }, { &frameLand, "frameLand" },
             { &frameKontakt, "frameKontakt" }, { &frameOlmbach, "frameOlmbach" },
             { &frameKestadt, "frameKestadt" }, { &frameSarnfeld, "frameSarnfeld" },
             { &frameVertrieb, "frameVertrieb" }, { &frameAutoren, "frameAutoren" } })
        find(*member, QString::fromUtf8(name));
    for (const auto &[member, name] : { std::pair { &cmdKopierenOlmbach, "Olmbach" },
             std::pair { &cmdKopierenKestadt, "Kestadt" },
             std::pair { &cmdKopierenSarnfeld, "Sarnfeld" } })
        find(*member, QStringLiteral("cmdKopieren") + QString::fromUtf8(name));
    for (const auto &[labels, name] : { std::pair { &lblOlmbach, "Olmbach" },
             std::pair { &lblKestadt, "Kestadt" }, std::pair { &lblSarnfeld, "Sarnfeld" } }) {
        for (std::size_t i = 0; i < labels->size(); ++i)
            find((*labels)[i], QStringLiteral("lbl%1_%2").arg(QString::fromUtf8(name)).arg(i));
    }
    find(txtVertrieb, QStringLiteral("txtVertrieb"));
    find(frameprogrammierung, QStringLiteral("frameprogrammierung"));
}

void frmInfoFenster::Form_Load()
{
    // Centred on the whole screen (not its work area) of the browser window
    // the user is looking at.
    const QWidget *browser
        = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    if (const QScreen *screen = browser ? browser->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        // Made now, so that a window system that frames windows at once reports the frame; one
        // that frames them on showing reports the window's own size until then.
        create();
        const QSize outer = frameGeometry().size();
        const TwipsPerPixel tpp = TwipsPerPixel::of(this);
        const info::ScreenPoint at
            = info::centredPlace({ area.x(), area.y(), area.width(), area.height() }, outer.width(),
                outer.height(), double(tpp.x), double(tpp.y));
        move(at.x, at.y);
    }
    setColors(this, info::kDarkRed, info::kUnset);
    txtVertrieb->setPlainText(toQt(info::salesText()));
    lblVersion->setText(
        toQt(info::versionText(m_deps.versionMajor, m_deps.versionMinor, m_deps.versionRevision)));
    m_rules.Form_Load();
}

void frmInfoFenster::setFrameVisible(info::Frame frame, bool visible)
{
    QWidget *const frames[] = { frameLand, frameKontakt, frameVertrieb, frameAutoren, frameOlmbach,
        frameKestadt, frameSarnfeld };
    frames[int(frame)]->setVisible(visible);
}

void frmInfoFenster::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    m_controls->placeAtRunTime();
}

SSPanel *frmInfoFenster::panel(info::Page page) const
{
    return page == info::Page::Kontakt ? pnlKontakt
        : page == info::Page::Vertrieb ? pnlVertrieb
                                       : pnlAutoren;
}

SSPanel *frmInfoFenster::panel(info::Country country) const
{
    return country == info::Country::Österreich ? pnlÖsterreich : pnlDeutschland;
}

void frmInfoFenster::showLook(std::string_view panel, const info::Look &look)
{
    if (auto *shown = qobject_cast<SSPanel *>((*m_controls)[toQt(panel)]))
        apply(shown, look);
}

platform::WindowHandle frmInfoFenster::handle() const
{
    return platform::WindowHandle(winId());
}

void frmInfoFenster::DragWindow()
{
    Q_EMIT dragStarted();
    if (QWindow *window = windowHandle())
        window->startSystemMove();
}

bool frmInfoFenster::isDragSurface(const QWidget *widget) const
{
    return m_controls->dragSurfaces().contains(const_cast<QWidget *>(widget));
}

bool frmInfoFenster::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && m_controls->dragSurfaces().contains(qobject_cast<QWidget *>(watched))) {
        DragWindow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orv
