// SPDX-License-Identifier: MIT
#include "info/qt/frmInfoFenster.h"

#include "components/qt/SSPanel.h"
#include "components/qt/Twips.h"
#include "resources/qt/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <type_traits>

namespace orv {

namespace {

QColor qtColor(std::uint32_t color)
{
    if (color == info::kButtonText)
        return QApplication::palette().color(QPalette::ButtonText);
    return QColor::fromRgb(QRgb(color));
}

QFont qtFont(const info::Font &font)
{
    // The layout's sizes were made for these faces; where they are missing,
    // take their metric twins rather than whatever the system substitutes.
    QFont f;
    f.setFamilies(
        { toQt(font.family), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo") });
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    return f;
}

void setColors(QWidget *widget, std::uint32_t back, std::uint32_t fore)
{
    QPalette palette = widget->palette();
    if (back != info::kUnset) {
        palette.setColor(QPalette::Window, qtColor(back));
        palette.setColor(QPalette::Base, qtColor(back));
        widget->setAutoFillBackground(true);
    }
    if (fore != info::kUnset) {
        palette.setColor(QPalette::WindowText, qtColor(fore));
        palette.setColor(QPalette::Text, qtColor(fore));
    }
    widget->setPalette(palette);
}

void apply(SSPanel *panel, const info::Look &look)
{
    if (look.back)
        panel->setBackColor(qtColor(*look.back));
    if (look.fore)
        panel->setForeColor(qtColor(*look.fore));
    if (look.underline)
        panel->setFontUnderline(*look.underline);
    panel->setMousePointer(look.hand ? HandPointer : DefaultPointer);
}

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
    m_dragSurfaces << this;
    for (const info::Control &control : info::kControls)
        create(control);
    for (const info::OfficeBlock &block : info::kOffices)
        createOffice(block);
    findControls();
    for (const info::Page page :
        { info::Page::Kontakt, info::Page::Vertrieb, info::Page::Autoren }) {
        connect(
            panel(page), &SSPanel::MouseLeave, this, [this, page] { m_rules.pointerLeft(page); });
        connect(panel(page), &SSPanel::Click, this, [this, page] { m_rules.pageClicked(page); });
    }
    for (const info::Country country : { info::Country::Österreich, info::Country::Deutschland }) {
        connect(panel(country), &SSPanel::MouseLeave, this,
            [this, country] { m_rules.pointerLeft(country); });
        connect(panel(country), &SSPanel::Click, this,
            [this, country] { m_rules.countryClicked(country); });
    }
    // The Autoren page is no drag surface, and neither is anything on it;
    // nor is the sales text, a text box.
    for (QWidget *still : { frameAutoren, static_cast<QWidget *>(frameprogrammierung),
             static_cast<QWidget *>(txtVertrieb) })
        still->setAttribute(Qt::WA_NoMousePropagation);

    Form_Load();
    // The page and the country shown keep the look the pointer gives.
    apply(pnlKontakt, info::hoverLook(info::Role::Navigation));
    apply(pnlÖsterreich, info::hoverLook(info::Role::Country));

    // Esc closes the window through QDialog (reject): no control on it takes
    // that key for itself, so it reaches the window from any of them.
    for (QWidget *surface : m_dragSurfaces)
        surface->installEventFilter(this);
}

frmInfoFenster::~frmInfoFenster() = default;

void frmInfoFenster::create(const info::Control &c)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    QWidget *parent = c.container.empty() ? this : m_controls.value(toQt(c.container));
    QWidget *widget = nullptr;
    switch (c.kind) {
    case info::Kind::Picture:
    case info::Kind::Label:
        widget = new QLabel(c.kind == info::Kind::Label ? toQt(c.text) : QString(), parent);
        break;
    case info::Kind::Panel: {
        auto *panel = new SSPanel(parent);
        panel->setCaption(toQt(c.text));
        panel->Index = c.index;
        widget = panel;
        break;
    }
    case info::Kind::Frame:
    case info::Kind::Line:
        widget = new QWidget(parent);
        break;
    case info::Kind::OutlinedFrame:
        widget = new QGroupBox(QString(), parent);
        break;
    case info::Kind::TextBox: {
        auto *text = new QPlainTextEdit(parent);
        text->setReadOnly(true);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        widget = text;
        break;
    }
    }
    const QString name
        = toQt(c.name) + (c.index < 0 ? QString() : QStringLiteral("_%1").arg(c.index));
    widget->setObjectName(name);
    if (c.kind == info::Kind::Line) {
        // A pixel wide whichever way it runs, from one end to the other.
        const QRect r = QRect(QPoint(tpp.xToPixels(c.left), tpp.yToPixels(c.top)),
            QPoint(tpp.xToPixels(c.left + c.width), tpp.yToPixels(c.top + c.height)))
                            .normalized();
        widget->setGeometry(r.x(), r.y(), qMax(1, r.width()), qMax(1, r.height()));
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    } else {
        widget->setGeometry(tpp.xToPixels(c.left), tpp.yToPixels(c.top), tpp.xToPixels(c.width),
            tpp.yToPixels(c.height));
    }
    if (c.kind == info::Kind::Picture)
        static_cast<QLabel *>(widget)->setPixmap(
            QIcon(QStringLiteral(":/pictures/") + toQt(c.text)).pixmap(widget->size()));
    if (!c.font.family.empty())
        widget->setFont(qtFont(c.font));
    setColors(widget, c.back, c.fore);
    if (c.kind == info::Kind::Panel)
        wirePanel(static_cast<SSPanel *>(widget), c.role, info::linkTarget(c, m_rules.mainHost()));
    if (c.dragSurface)
        m_dragSurfaces << widget;
    m_controls.insert(name, widget);
}

void frmInfoFenster::createOffice(const info::OfficeBlock &block)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    const QString name = toQt(block.office.name);
    auto *frame = new QWidget(m_controls.value(QStringLiteral("frameKontakt")));
    frame->setObjectName(QStringLiteral("frame") + name);
    frame->setGeometry(tpp.xToPixels(info::kOfficeLeft), tpp.yToPixels(block.top),
        tpp.xToPixels(info::kOfficeWidth), tpp.yToPixels(block.height));
    setColors(frame, info::kDarkRed, info::kUnset);
    m_dragSurfaces << frame;
    m_controls.insert(frame->objectName(), frame);

    auto *copy = new SSCommand(frame);
    copy->setObjectName(QStringLiteral("cmdKopieren") + name);
    const auto &[left, top, width, height] = info::kCopyButtonPlace;
    copy->setGeometry(
        tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
    copy->setPicture(QIcon(QStringLiteral(":/pictures/clipboard.svg")));
    copy->setToolTipText(toQt(texts::info::copyTip));
    copy->setBackColor(qtColor(info::kDarkRed));
    // The copy text is the office's own, not read back from the labels.
    connect(copy, &SSCommand::clicked, this,
        [this, text = toQt(info::copyText(block.office))] { copyOffice(text); });
    m_controls.insert(copy->objectName(), copy);

    const auto lines = info::officeLabels(block.office);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto *label = new QLabel(toQt(lines[i]), frame);
        label->setObjectName(QStringLiteral("lbl%1_%2").arg(name).arg(i));
        label->move(
            tpp.xToPixels(info::kOfficeLabelLeft), tpp.yToPixels(info::kOfficeLabelStep * int(i)));
        label->setFont(qtFont(info::kArial975));
        setColors(label, info::kUnset, info::kWhite);
        label->adjustSize();
        m_dragSurfaces << label;
        m_controls.insert(label->objectName(), label);
    }

    auto *mail = new SSPanel(frame);
    mail->setObjectName(QStringLiteral("lnk") + name);
    mail->setGeometry(tpp.xToPixels(info::kMailLinkLeft), tpp.yToPixels(info::kMailLinkTop),
        tpp.xToPixels(block.mailLinkWidth), tpp.yToPixels(info::kMailLinkHeight));
    mail->setFont(qtFont(info::kArial975));
    mail->setCaption(toQt(block.office.mailShown));
    wirePanel(mail, info::Role::MailLink, info::mailTarget(block.office));
    m_controls.insert(mail->objectName(), mail);
}

void frmInfoFenster::wirePanel(SSPanel *panel, info::Role role, std::string target)
{
    apply(panel, info::normalLook(role));
    connect(
        panel, &SSPanel::MouseEnter, this, [panel, role] { apply(panel, info::hoverLook(role)); });
    using info::Role;
    if (role == Role::AuthorLink || role == Role::MailLink)
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A selected page or country keeps its look; the rules say when it goes.
    if (role != Role::Navigation && role != Role::Country)
        connect(panel, &SSPanel::MouseLeave, this,
            [panel, role] { apply(panel, info::normalLook(role)); });
    if (role == Role::Close)
        connect(panel, &SSPanel::Click, this, &QDialog::close);
    else if (role == Role::SystemInfo)
        connect(panel, &SSPanel::Click, this, [this] { m_rules.pnlSysteminfo_Click(); });
    else if (role == Role::HomeLink || role == Role::AuthorLink || role == Role::MailLink)
        connect(panel, &SSPanel::Click, this, [this, target] { m_rules.openLink(target); });
    if (role == Role::HomeLink)
        panel->setToolTipText(toQt(texts::info::homePageTip));
    if (role == Role::SystemInfo)
        panel->setToolTipText(toQt(texts::info::systemInfoTip));
}

void frmInfoFenster::findControls()
{
    const auto find = [this](auto *&member, const QString &name) {
        member = static_cast<std::remove_reference_t<decltype(*member)> *>(m_controls.value(name));
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
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const double screenWidth = screen->geometry().width() * double(tpp.x);
        const double screenHeight = screen->geometry().height() * double(tpp.y);
        const double left = (screenWidth - width() * double(tpp.x)) / 2;
        const double top = (screenHeight - height() * double(tpp.y)) / 2;
        move(tpp.xToPixels(left), tpp.yToPixels(top));
    }
    setColors(this, info::kDarkRed, info::kUnset);
    txtVertrieb->setPlainText(toQt(info::salesText()));
    lblVersion->setText(
        toQt(info::versionText(m_deps.versionMajor, m_deps.versionMinor, m_deps.versionRevision)));
    m_rules.ShowCurrentPage();
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
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    for (const info::Place &p : info::kRunTimePlaces)
        m_controls.value(toQt(p.name))
            ->setGeometry(tpp.xToPixels(p.left), tpp.yToPixels(p.top), tpp.xToPixels(p.width),
                tpp.yToPixels(p.height));
    for (const info::OfficeBlock &block : info::kOffices)
        m_controls.value(QStringLiteral("frame") + toQt(block.office.name))
            ->move(tpp.xToPixels(info::kOfficeLeft), tpp.yToPixels(block.top));
    lblVersion->move(tpp.xToPixels(info::kVersionLeft), lblVersion->y());
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

void frmInfoFenster::showNormalLook(info::Page page)
{
    apply(panel(page), info::normalLook(info::Role::Navigation));
}

void frmInfoFenster::showNormalLook(info::Country country)
{
    apply(panel(country), info::normalLook(info::Role::Country));
}

platform::WindowHandle frmInfoFenster::handle() const
{
    return platform::WindowHandle(winId());
}

void frmInfoFenster::copyOffice(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void frmInfoFenster::DragWindow()
{
    Q_EMIT dragStarted();
    if (QWindow *window = windowHandle())
        window->startSystemMove();
}

bool frmInfoFenster::isDragSurface(const QWidget *widget) const
{
    return m_dragSurfaces.contains(const_cast<QWidget *>(widget));
}

bool frmInfoFenster::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && m_dragSurfaces.contains(qobject_cast<QWidget *>(watched))) {
        DragWindow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orv
