// SPDX-License-Identifier: MIT
#include "info/frmInfoFenster.h"

#include "components/SSPanel.h"
#include "components/Twips.h"
#include "platform/Platform.h"
#include "resources/ContactData.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace orv {

namespace {

const QColor kDarkRed(139, 3, 4);
const QColor kDarkBlue(0, 85, 143);
const QColor kWhite(255, 255, 255);

QColor buttonText()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

QFont makeFont(const QString &family, double points, bool bold = false)
{
    // The layout's sizes were made for these faces; where they are missing,
    // take their metric twins rather than whatever the system substitutes.
    QFont f;
    f.setFamilies({ family, QStringLiteral("Liberation Sans"), QStringLiteral("Arimo") });
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont arial(double points, bool bold = false)
{
    return makeFont(QStringLiteral("Arial"), points, bold);
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QPointer<frmInfoFenster> &lastOpened()
{
    static QPointer<frmInfoFenster> window;
    return window;
}

QPixmap picture(const QString &name, const QSize &size)
{
    return QIcon(QStringLiteral(":/pictures/") + name).pixmap(size);
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
    : QDialog(parent), m_deps(std::move(dependencies))
{
    setObjectName(QStringLiteral("frmInfoFenster"));
    setWindowTitle(QStringLiteral("Info"));
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    setFixedSize(tpp.xToPixels(6705), tpp.yToPixels(6015));

    createHeader();
    createNavigation();
    createPages();

    CurrentPage = Page::Kontakt;
    CurrentCountry = Country::Österreich;
    Form_Load();
    navigationEnter(pnlKontakt);
    countryEnter(pnlÖsterreich);

    // Esc closes the window through QDialog (reject): no control on it takes
    // that key for itself, so it reaches the window from any of them.
    for (QWidget *surface : m_dragSurfaces)
        surface->installEventFilter(this);
}

frmInfoFenster::~frmInfoFenster() = default;

void frmInfoFenster::createHeader()
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    auto place = [&](QWidget *widget, int left, int top, int width, int height) {
        widget->setGeometry(
            tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
    };

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    place(Image1, 0, 0, 6720, 1365);
    Image1->setPixmap(picture(QStringLiteral("banner.svg"), Image1->size()));

    lnkHarlund = new SSPanel(this);
    lnkHarlund->setObjectName(QStringLiteral("lnkHarlund"));
    place(lnkHarlund, 180, 90, 2385, 240);
    lnkHarlund->setCaption(contact::webAddressShown());
    lnkHarlund->setFont(makeFont(QStringLiteral("MS Sans Serif"), 9.75, true));
    lnkHarlund->setBackColor(kWhite);
    lnkHarlund->setForeColor(Qt::black);
    lnkHarlund->setToolTipText(QStringLiteral("Harlund Homepage"));
    connect(lnkHarlund, &SSPanel::MouseEnter, this, [this] { linkEnter(lnkHarlund); });
    connect(lnkHarlund, &SSPanel::MouseLeave, this, [this] { linkLeave(lnkHarlund); });
    connect(lnkHarlund, &SSPanel::Click, this,
        [this] { openLink(QStringLiteral("http://") + m_deps.MainHost); });

    lblProgramm = new QLabel(QStringLiteral("Orvel Browser"), this);
    lblProgramm->setObjectName(QStringLiteral("lblProgramm"));
    place(lblProgramm, 180, 585, 6495, 510);
    lblProgramm->setFont(arial(20.25, true));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    place(lblVersion, 180, 1035, 2535, 240);
    lblVersion->setFont(arial(9.75, true));

    pnlSysteminfo = new SSPanel(this);
    pnlSysteminfo->setObjectName(QStringLiteral("pnlSysteminfo"));
    place(pnlSysteminfo, 5805, 1035, 810, 240);
    pnlSysteminfo->setCaption(QStringLiteral("Systeminfo"));
    pnlSysteminfo->setFont(arial(8.25));
    pnlSysteminfo->setForeColor(kWhite);
    pnlSysteminfo->setToolTipText(QStringLiteral("Systeminformationen"));
    connect(pnlSysteminfo, &SSPanel::MouseEnter, this, [this] { linkEnter(pnlSysteminfo); });
    connect(pnlSysteminfo, &SSPanel::MouseLeave, this, [this] { linkLeave(pnlSysteminfo); });
    connect(pnlSysteminfo, &SSPanel::Click, this, &frmInfoFenster::showSysInfo);

    m_dragSurfaces << this << Image1 << lblProgramm << lblVersion;
}

void frmInfoFenster::createNavigation()
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    auto place = [&](QWidget *widget, int left, int top, int width, int height) {
        widget->setGeometry(
            tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
    };

    frameNavi = new QWidget(this);
    frameNavi->setObjectName(QStringLiteral("frameNavi"));
    place(frameNavi, 0, 1350, 6720, 465);
    setBackground(frameNavi, kWhite);

    struct NavigationPanel
    {
        SSPanel *&panel;
        const char *name;
        const char *caption;
        int left, width;
    };
    const NavigationPanel panels[] = {
        { pnlKontakt, "pnlKontakt", "Kontakt", 360, 915 },
        { pnlVertrieb, "pnlVertrieb", "Vertrieb", 1530, 960 },
        { pnlAutoren, "pnlAutoren", "Autoren", 2745, 870 },
        { pnlSchließen, "pnlSchließen", "Schließen", 5430, 1140 },
    };
    for (const NavigationPanel &p : panels) {
        p.panel = new SSPanel(frameNavi);
        p.panel->setObjectName(QString::fromUtf8(p.name));
        place(p.panel, p.left, 75, p.width, 285);
        p.panel->setCaption(QString::fromUtf8(p.caption));
        p.panel->setFont(arial(9, true));
        p.panel->setBackColor(kWhite);
        p.panel->setForeColor(buttonText());
    }
    connect(pnlKontakt, &SSPanel::MouseEnter, this, [this] { navigationEnter(pnlKontakt); });
    connect(pnlVertrieb, &SSPanel::MouseEnter, this, [this] { navigationEnter(pnlVertrieb); });
    connect(pnlAutoren, &SSPanel::MouseEnter, this, [this] { navigationEnter(pnlAutoren); });
    connect(pnlSchließen, &SSPanel::MouseEnter, this, [this] { navigationEnter(pnlSchließen); });
    connect(pnlKontakt, &SSPanel::MouseLeave, this,
        [this] { navigationLeave(pnlKontakt, CurrentPage == Page::Kontakt); });
    connect(pnlVertrieb, &SSPanel::MouseLeave, this,
        [this] { navigationLeave(pnlVertrieb, CurrentPage == Page::Vertrieb); });
    connect(pnlAutoren, &SSPanel::MouseLeave, this,
        [this] { navigationLeave(pnlAutoren, CurrentPage == Page::Autoren); });
    connect(
        pnlSchließen, &SSPanel::MouseLeave, this, [this] { navigationLeave(pnlSchließen, false); });
    connect(pnlKontakt, &SSPanel::Click, this, [this] { showPage(Page::Kontakt); });
    connect(pnlVertrieb, &SSPanel::Click, this, [this] { showPage(Page::Vertrieb); });
    connect(pnlAutoren, &SSPanel::Click, this, [this] { showPage(Page::Autoren); });
    connect(pnlSchließen, &SSPanel::Click, this, &QDialog::close);

    // The rule under the panels and the ticks between them.
    auto line = [&](int x1, int y1, int x2, int y2) {
        auto *rule = new QWidget(frameNavi);
        setBackground(rule, Qt::black);
        const QRect r = QRect(QPoint(tpp.xToPixels(x1), tpp.yToPixels(y1)),
            QPoint(tpp.xToPixels(x2), tpp.yToPixels(y2)))
                            .normalized();
        rule->setGeometry(r.x(), r.y(), qMax(1, r.width()), qMax(1, r.height()));
        rule->setAttribute(Qt::WA_TransparentForMouseEvents);
    };
    line(6660, 360, 315, 360);
    for (int x : { 1395, 2610, 3735, 5310 })
        line(x, 270, x, 405);

    m_dragSurfaces << frameNavi;
}

QWidget *frmInfoFenster::createOffice(const QString &name, QWidget *parent,
    std::array<QLabel *, 5> &labels, SSCommand *&copyButton, SSPanel *&mailLink, int linkWidth,
    int height)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    auto *frame = new QWidget(parent);
    frame->setObjectName(QStringLiteral("frame") + name);
    frame->resize(tpp.xToPixels(4605), tpp.yToPixels(height));

    copyButton = new SSCommand(frame);
    copyButton->setObjectName(QStringLiteral("cmdKopieren") + name);
    copyButton->setGeometry(
        tpp.xToPixels(45), tpp.yToPixels(45), tpp.xToPixels(285), tpp.yToPixels(285));
    copyButton->setPicture(QIcon(QStringLiteral(":/pictures/clipboard.svg")));
    copyButton->setToolTipText(QStringLiteral("Kontakt in die Zwischenablage Kopieren"));

    for (int i = 0; i < 5; ++i) {
        labels[size_t(i)] = new QLabel(frame);
        labels[size_t(i)]->setObjectName(QStringLiteral("lbl%1_%2").arg(name).arg(i));
        labels[size_t(i)]->move(tpp.xToPixels(360), tpp.yToPixels(270 * i));
        labels[size_t(i)]->setFont(arial(9.75));
        setTextColor(labels[size_t(i)], kWhite);
        m_dragSurfaces << labels[size_t(i)];
    }

    mailLink = new SSPanel(frame);
    mailLink->setObjectName(QStringLiteral("lnk") + name);
    mailLink->setGeometry(
        tpp.xToPixels(855), tpp.yToPixels(1035), tpp.xToPixels(linkWidth), tpp.yToPixels(285));
    mailLink->setFont(arial(9.75));
    mailLink->setFontUnderline(true);
    mailLink->setForeColor(kWhite);
    mailLink->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SSPanel *link = mailLink;
    connect(link, &SSPanel::MouseEnter, this, [link] { link->setMousePointer(HandPointer); });
    connect(link, &SSPanel::MouseLeave, this, [link] { link->setMousePointer(DefaultPointer); });

    m_dragSurfaces << frame;
    return frame;
}

void frmInfoFenster::createPages()
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    auto place = [&](QWidget *widget, int left, int top, int width, int height) {
        widget->setGeometry(
            tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
    };

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    place(Image2, 0, 1800, 1680, 1365);
    Image2->setPixmap(picture(QStringLiteral("side.svg"), Image2->size()));

    frameLand = new QWidget(this);
    frameLand->setObjectName(QStringLiteral("frameLand"));
    pnlÖsterreich = new SSPanel(frameLand);
    pnlÖsterreich->setObjectName(QStringLiteral("pnlÖsterreich"));
    place(pnlÖsterreich, 135, 0, 1545, 375);
    pnlÖsterreich->setCaption(QStringLiteral("Österreich"));
    pnlDeutschland = new SSPanel(frameLand);
    pnlDeutschland->setObjectName(QStringLiteral("pnlDeutschland"));
    place(pnlDeutschland, 135, 405, 1545, 375);
    pnlDeutschland->setCaption(QStringLiteral("Deutschland"));
    for (SSPanel *country : { pnlÖsterreich, pnlDeutschland }) {
        country->setFont(arial(9, true));
        country->setForeColor(kWhite);
    }
    connect(pnlÖsterreich, &SSPanel::MouseEnter, this, [this] { countryEnter(pnlÖsterreich); });
    connect(pnlDeutschland, &SSPanel::MouseEnter, this, [this] { countryEnter(pnlDeutschland); });
    connect(pnlÖsterreich, &SSPanel::MouseLeave, this,
        [this] { countryLeave(pnlÖsterreich, CurrentCountry == Country::Österreich); });
    connect(pnlDeutschland, &SSPanel::MouseLeave, this,
        [this] { countryLeave(pnlDeutschland, CurrentCountry == Country::Deutschland); });
    connect(pnlÖsterreich, &SSPanel::Click, this, [this] { chooseCountry(Country::Österreich); });
    connect(pnlDeutschland, &SSPanel::Click, this, [this] { chooseCountry(Country::Deutschland); });

    frameKontakt = new QWidget(this);
    frameKontakt->setObjectName(QStringLiteral("frameKontakt"));
    frameOlmbach = createOffice(QStringLiteral("Olmbach"), frameKontakt, lblOlmbach,
        cmdKopierenOlmbach, lnkOlmbach, 3255, 1365);
    frameSarnfeld = createOffice(QStringLiteral("Sarnfeld"), frameKontakt, lblSarnfeld,
        cmdKopierenSarnfeld, lnkSarnfeld, 3255, 1320);
    frameKestadt = createOffice(QStringLiteral("Kestadt"), frameKontakt, lblKestadt,
        cmdKopierenKestadt, lnkKestadt, 2130, 1365);
    struct OfficeWiring
    {
        std::array<QLabel *, 5> &labels;
        SSCommand *copy;
        SSPanel *link;
        contact::Office office;
    };
    const OfficeWiring offices[]
        = { { lblOlmbach, cmdKopierenOlmbach, lnkOlmbach, contact::olmbach() },
              { lblSarnfeld, cmdKopierenSarnfeld, lnkSarnfeld, contact::sarnfeld() },
              { lblKestadt, cmdKopierenKestadt, lnkKestadt, contact::kestadt() } };
    for (const OfficeWiring &o : offices) {
        o.labels[0]->setText(contact::companyName());
        o.labels[1]->setText(o.office.addressLine);
        o.labels[2]->setText(QStringLiteral("Tel.:  ") + o.office.telephone);
        o.labels[3]->setText(QStringLiteral("Fax.: ") + o.office.fax);
        o.labels[4]->setText(QStringLiteral("Mail:"));
        for (QLabel *label : o.labels)
            label->adjustSize();
        o.link->setCaption(o.office.mailShown);
        // The copy text is the office's own, not read back from the labels.
        const QString copy = contact::copyText(o.office);
        connect(o.copy, &SSCommand::clicked, this, [this, copy] { copyOffice(copy); });
        const QString target = QStringLiteral("mailto:") + o.office.mailTarget;
        connect(o.link, &SSPanel::Click, this, [this, target] { openLink(target); });
    }

    frameVertrieb = new QWidget(this);
    frameVertrieb->setObjectName(QStringLiteral("frameVertrieb"));
    txtVertrieb = new QPlainTextEdit(frameVertrieb);
    txtVertrieb->setObjectName(QStringLiteral("txtVertrieb"));
    place(txtVertrieb, 135, 225, 4515, 1950);
    txtVertrieb->setFont(arial(9.75));
    txtVertrieb->setReadOnly(true);
    txtVertrieb->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtVertrieb->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtVertrieb->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtVertrieb->setAttribute(Qt::WA_NoMousePropagation); // a text box, not a handle for the window
    setTextColor(txtVertrieb, kWhite);

    frameAutoren = new QWidget(this);
    frameAutoren->setObjectName(QStringLiteral("frameAutoren"));
    frameprogrammierung = new QGroupBox(QString(), frameAutoren);
    frameprogrammierung->setObjectName(QStringLiteral("frameprogrammierung"));
    place(frameprogrammierung, 135, 225, 4560, 2760);
    frameprogrammierung->setFont(arial(9));
    setTextColor(frameprogrammierung, kWhite);
    lblProjektleitung = new QLabel(QStringLiteral("Projektleitung:"), frameprogrammierung);
    place(lblProjektleitung, 180, 225, 1395, 240);
    lblProgrammierung = new QLabel(QStringLiteral("Programmierung:"), frameprogrammierung);
    place(lblProgrammierung, 180, 1080, 1680, 240);
    for (QLabel *label : { lblProjektleitung, lblProgrammierung }) {
        label->setFont(arial(9.75, true));
        setTextColor(label, kWhite);
    }
    const QString staffPage = QStringLiteral("http://") + m_deps.MainHost
        + QStringLiteral("/ueberuns/mitarbeiter_detail.aspx?id=");
    for (int i = 0; i < 2; ++i) {
        SSPanel *member = new SSPanel(frameprogrammierung);
        member->setObjectName(QStringLiteral("lnkArneKolvik_%1").arg(i));
        member->Index = i;
        place(member, 405, i == 0 ? 495 : 1350, 1545, 240);
        member->setCaption(QStringLiteral("Arne Kolvik"));
        lnkArneKolvik[size_t(i)] = member;
    }
    lnkLenzOttmer = new SSPanel(frameprogrammierung);
    lnkLenzOttmer->setObjectName(QStringLiteral("lnkLenzOttmer"));
    place(lnkLenzOttmer, 405, 1620, 1860, 240);
    lnkLenzOttmer->setCaption(QStringLiteral("Lenz Ottmer"));
    for (SSPanel *author : { lnkArneKolvik[0], lnkArneKolvik[1], lnkLenzOttmer }) {
        author->setFont(arial(9.75));
        author->setForeColor(kWhite);
        author->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        connect(author, &SSPanel::MouseEnter, this, [author] { linkEnter(author); });
        connect(author, &SSPanel::MouseLeave, this, [author] { linkLeave(author); });
        const QString target
            = staffPage + (author == lnkLenzOttmer ? QStringLiteral("54") : QStringLiteral("23"));
        connect(author, &SSPanel::Click, this, [this, target] { openLink(target); });
    }
    // The Autoren page is no drag surface, and neither is anything on it.
    frameAutoren->setAttribute(Qt::WA_NoMousePropagation);
    frameprogrammierung->setAttribute(Qt::WA_NoMousePropagation);

    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    place(Image3, 3645, 5265, 3015, 705);
    Image3->setPixmap(picture(QStringLiteral("footer.svg"), Image3->size()));

    m_dragSurfaces << frameLand << frameKontakt << frameVertrieb << Image2 << Image3;
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
    setBackground(this, kDarkRed);
    setTextColor(lblProgramm, kDarkRed);
    setTextColor(lblVersion, kDarkRed);
    for (QWidget *frame : { frameLand, frameKontakt, frameOlmbach, frameKestadt, frameSarnfeld,
             frameVertrieb, frameAutoren, static_cast<QWidget *>(frameprogrammierung) })
        setBackground(frame, kDarkRed);
    for (SSPanel *panel : { pnlÖsterreich, pnlDeutschland, pnlSysteminfo, lnkOlmbach, lnkKestadt,
             lnkSarnfeld, lnkArneKolvik[0], lnkArneKolvik[1], lnkLenzOttmer })
        panel->setBackColor(kDarkRed);
    setBackground(txtVertrieb, kDarkRed);
    for (SSCommand *button : { cmdKopierenOlmbach, cmdKopierenSarnfeld, cmdKopierenKestadt })
        button->setBackColor(kDarkRed);

    txtVertrieb->setPlainText(
        QStringLiteral("Unsere Produkte sind ebenso im Fachhandel erhältlich. ")
        + QStringLiteral("Fordern Sie eine Liste unserer lizensierten Handelspartner an oder "
                         "besuchen Sie unsere "
                         "Internetseite, ")
        + QStringLiteral(
            "auf der alle Handelspartner aufgelistet sind. Weiters finden Sie dort die aktuellsten "
            "Demo-Versionen ")
        + QStringLiteral("zum Download und viele interesante Neuigkeiten wie Schulungen und "
                         "Informationsveranstaltungen."));
    lblVersion->setText(
        versionText(m_deps.versionMajor, m_deps.versionMinor, m_deps.versionRevision));
    ShowCurrentPage();
}

QString frmInfoFenster::RevisionSuffix(int revision)
{
    return revision == 0 ? QString() : QString(QChar(96 + revision));
}

QString frmInfoFenster::versionText(int major, int minor, int revision)
{
    return QStringLiteral("Version: ") + QString::number(major) + QLatin1Char('.')
        + QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0')) + RevisionSuffix(revision);
}

void frmInfoFenster::ShowCurrentPage()
{
    frameLand->setVisible(CurrentPage == Page::Kontakt);
    frameKontakt->setVisible(CurrentPage == Page::Kontakt);
    frameVertrieb->setVisible(CurrentPage == Page::Vertrieb);
    frameAutoren->setVisible(CurrentPage == Page::Autoren);
    frameOlmbach->setVisible(CurrentCountry == Country::Österreich);
    frameKestadt->setVisible(CurrentCountry == Country::Österreich);
    frameSarnfeld->setVisible(CurrentCountry == Country::Deutschland);
}

void frmInfoFenster::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    auto place = [&](QWidget *widget, int left, int top, int width, int height) {
        widget->setGeometry(
            tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
    };
    place(frameLand, 0, 2970, 1770, 1455);
    for (QWidget *page : { frameKontakt, frameVertrieb, frameAutoren })
        place(page, 1845, 1890, 4785, 3345);
    frameOlmbach->move(tpp.xToPixels(45), tpp.yToPixels(225));
    frameSarnfeld->move(tpp.xToPixels(45), tpp.yToPixels(225));
    frameKestadt->move(tpp.xToPixels(45), tpp.yToPixels(1800));
    lblVersion->move(tpp.xToPixels(180), lblVersion->y());
}

void frmInfoFenster::navigationEnter(SSPanel *panel)
{
    panel->setBackColor(kDarkBlue);
    panel->setForeColor(kWhite);
    panel->setMousePointer(HandPointer);
}

void frmInfoFenster::navigationLeave(SSPanel *panel, bool selected)
{
    if (selected)
        return;
    panel->setBackColor(kWhite);
    panel->setForeColor(buttonText());
    panel->setMousePointer(DefaultPointer);
}

void frmInfoFenster::countryEnter(SSPanel *panel)
{
    panel->setBackColor(kDarkBlue);
    panel->setMousePointer(HandPointer);
}

void frmInfoFenster::countryLeave(SSPanel *panel, bool selected)
{
    if (selected)
        return;
    panel->setBackColor(kDarkRed);
    panel->setMousePointer(DefaultPointer);
}

void frmInfoFenster::linkEnter(SSPanel *panel)
{
    panel->setFontUnderline(true);
    panel->setMousePointer(HandPointer);
}

void frmInfoFenster::linkLeave(SSPanel *panel)
{
    panel->setFontUnderline(false);
    panel->setMousePointer(DefaultPointer);
}

void frmInfoFenster::showPage(Page page)
{
    CurrentPage = page;
    if (page != Page::Kontakt)
        navigationLeave(pnlKontakt, false);
    if (page != Page::Vertrieb)
        navigationLeave(pnlVertrieb, false);
    if (page != Page::Autoren)
        navigationLeave(pnlAutoren, false);
    ShowCurrentPage();
}

void frmInfoFenster::chooseCountry(Country country)
{
    CurrentCountry = country;
    if (country == Country::Österreich)
        countryLeave(pnlDeutschland, false);
    else
        countryLeave(pnlÖsterreich, false);
    ShowCurrentPage();
}

void frmInfoFenster::copyOffice(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void frmInfoFenster::openLink(const QString &target)
{
    if (!m_deps.platform)
        return;
    // The shell's default verb with the system's handler; its result is not examined.
    m_deps.platform->shellExecute(platform::WindowHandle(winId()), std::wstring(),
        target.toStdWString(), std::nullopt, std::nullopt, 1);
}

void frmInfoFenster::showSysInfo()
{
    if (!SysUtil)
        SysUtil = m_deps.createSysUtil ? m_deps.createSysUtil()
                                       : std::make_unique<orvClassWindows>(*m_deps.platform);
    SysUtil->ShowSysInfo();
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
