// SPDX-License-Identifier: MIT
#include "info/qt/InfoControls.h"

#include "components/qt/SSPanel.h"
#include "components/qt/Twips.h"
#include "info/InfoWindowRules.h"
#include "resources/qt/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>

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

QRect pixels(const TwipsPerPixel &tpp, double left, double top, double width, double height)
{
    return { tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height) };
}

// The look a panel of the role shows, and the pointer entering it; what its
// leaving does, the window's rules say.
void lookFollowsPointer(SSPanel *panel, info::Role role)
{
    apply(panel, info::normalLook(role));
    QObject::connect(
        panel, &SSPanel::MouseEnter, panel, [panel, role] { apply(panel, info::hoverLook(role)); });
    if (info::captionAtLeft(role))
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (const std::string_view tip = info::toolTip(role); !tip.empty())
        panel->setToolTipText(toQt(tip));
}

} // namespace

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

InfoControls::InfoControls(QWidget *window, const std::string &mainHost, const PanelMade &panelMade)
    : m_window(window)
{
    m_dragSurfaces << window;
    for (const info::Control &control : info::kControls)
        create(control, mainHost, panelMade);
    for (const info::OfficeBlock &block : info::kOffices)
        createOffice(block, panelMade);
}

void InfoControls::add(QWidget *control, bool dragSurface)
{
    if (dragSurface)
        m_dragSurfaces << control;
    m_byName.insert(control->objectName(), control);
}

void InfoControls::create(
    const info::Control &c, const std::string &mainHost, const PanelMade &panelMade)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_window);
    QWidget *parent = c.container.empty() ? m_window : m_byName.value(toQt(c.container));
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
    widget->setObjectName(
        toQt(c.name) + (c.index < 0 ? QString() : QStringLiteral("_%1").arg(c.index)));
    if (c.kind == info::Kind::Line) {
        // A pixel wide whichever way it runs, from one end to the other.
        const QRect r = QRect(QPoint(tpp.xToPixels(c.left), tpp.yToPixels(c.top)),
            QPoint(tpp.xToPixels(c.left + c.width), tpp.yToPixels(c.top + c.height)))
                            .normalized();
        widget->setGeometry(r.x(), r.y(), qMax(1, r.width()), qMax(1, r.height()));
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    } else {
        widget->setGeometry(pixels(tpp, c.left, c.top, c.width, c.height));
    }
    if (c.kind == info::Kind::Picture)
        static_cast<QLabel *>(widget)->setPixmap(
            QIcon(QStringLiteral(":/pictures/") + toQt(c.text)).pixmap(widget->size()));
    if (!c.font.family.empty())
        widget->setFont(qtFont(c.font));
    setColors(widget, c.back, c.fore);
    if (c.kind == info::Kind::Panel) {
        auto *panel = static_cast<SSPanel *>(widget);
        lookFollowsPointer(panel, c.role);
        panelMade(panel, c.role, info::linkTarget(c, mainHost));
    }
    add(widget, c.dragSurface);
}

void InfoControls::createOffice(const info::OfficeBlock &block, const PanelMade &panelMade)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_window);
    const QString name = toQt(block.office.name);
    auto *frame = new QWidget(m_byName.value(QStringLiteral("frameKontakt")));
    frame->setObjectName(QStringLiteral("frame") + name);
    frame->setGeometry(pixels(tpp, info::kOfficeLeft, block.top, info::kOfficeWidth, block.height));
    setColors(frame, info::kDarkRed, info::kUnset);
    add(frame, true);

    auto *copy = new SSCommand(frame);
    copy->setObjectName(QStringLiteral("cmdKopieren") + name);
    const auto &[left, top, width, height] = info::kCopyButtonPlace;
    copy->setGeometry(pixels(tpp, left, top, width, height));
    copy->setPicture(QIcon(QStringLiteral(":/pictures/clipboard.svg")));
    copy->setToolTipText(toQt(texts::info::copyTip));
    copy->setBackColor(qtColor(info::kDarkRed));
    // The copy text is the office's own, not read back from the labels.
    QObject::connect(copy, &SSCommand::clicked, copy, [text = toQt(info::copyText(block.office))] {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
    });
    add(copy, false);

    const auto lines = info::officeLabels(block.office);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto *label = new QLabel(toQt(lines[i]), frame);
        label->setObjectName(QStringLiteral("lbl%1_%2").arg(name).arg(i));
        label->move(
            tpp.xToPixels(info::kOfficeLabelLeft), tpp.yToPixels(info::kOfficeLabelStep * int(i)));
        label->setFont(qtFont(info::kArial975));
        setColors(label, info::kUnset, info::kWhite);
        label->adjustSize();
        add(label, true);
    }

    auto *mail = new SSPanel(frame);
    mail->setObjectName(QStringLiteral("lnk") + name);
    mail->setGeometry(pixels(
        tpp, info::kMailLinkLeft, info::kMailLinkTop, block.mailLinkWidth, info::kMailLinkHeight));
    mail->setFont(qtFont(info::kArial975));
    mail->setCaption(toQt(block.office.mailShown));
    lookFollowsPointer(mail, info::Role::MailLink);
    panelMade(mail, info::Role::MailLink, info::mailTarget(block.office));
    add(mail, false);
}

void InfoControls::placeAtRunTime()
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_window);
    for (const info::Place &p : info::kRunTimePlaces)
        m_byName.value(toQt(p.name))->setGeometry(pixels(tpp, p.left, p.top, p.width, p.height));
    for (const info::OfficeBlock &block : info::kOffices)
        m_byName.value(QStringLiteral("frame") + toQt(block.office.name))
            ->move(tpp.xToPixels(info::kOfficeLeft), tpp.yToPixels(block.top));
    QWidget *version = m_byName.value(QStringLiteral("lblVersion"));
    version->move(tpp.xToPixels(info::kVersionLeft), version->y());
}

} // namespace orv
