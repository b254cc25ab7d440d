// SPDX-License-Identifier: MIT
#include "info/win32/InfoParts.h"

#include "info/InfoWindowRules.h"
#include "info/win32/Pictures.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"

#include <utility>

namespace orv::win32 {

namespace {

PartKind kindOf(info::Kind kind)
{
    switch (kind) {
    case info::Kind::Picture:
        return PartKind::Picture;
    case info::Kind::Label:
        return PartKind::Label;
    case info::Kind::Panel:
        return PartKind::Panel;
    case info::Kind::Frame:
        return PartKind::Frame;
    case info::Kind::OutlinedFrame:
        return PartKind::OutlinedFrame;
    case info::Kind::TextBox:
        return PartKind::TextBox;
    case info::Kind::Line:
        break;
    }
    return PartKind::Line;
}

// An edit control breaks lines only at CR LF.
std::wstring withCrLf(const std::string &text)
{
    std::wstring result;
    for (const wchar_t c : platform::fromUtf8(text)) {
        if (c == L'\n' && (result.empty() || result.back() != L'\r'))
            result += L'\r';
        result += c;
    }
    return result;
}

} // namespace

InfoParts::InfoParts(std::string_view mainHost, Version version)
{
    for (const info::Control &c : info::kControls) {
        Part part { .name
            = std::string(c.name) + (c.index < 0 ? "" : '_' + std::to_string(c.index)),
            .container = std::string(c.container),
            .kind = kindOf(c.kind),
            .place = { c.left, c.top, c.width, c.height },
            .text = c.kind == info::Kind::Picture ? std::wstring() : platform::fromUtf8(c.text),
            .font = c.font,
            .back = c.back,
            .fore = c.fore,
            .role = c.role,
            .dragSurface = c.dragSurface };
        if (c.kind == info::Kind::Picture)
            part.picture = pictureResource(c.text);
        if (c.role == info::Role::HomeLink || c.role == info::Role::AuthorLink)
            part.target = info::linkTarget(c, mainHost);
        if (c.name == "lblVersion") {
            part.text = platform::fromUtf8(
                info::versionText(version.major, version.minor, version.revision));
            part.place.left = info::kVersionLeft;
        }
        if (c.kind == info::Kind::TextBox)
            part.text = withCrLf(info::salesText());
        // Where the resize rule puts the pages and the country column.
        for (const info::Place &place : info::kRunTimePlaces) {
            if (place.name == c.name)
                part.place = { place.left, place.top, place.width, place.height };
        }
        add(std::move(part));
    }
    for (const info::OfficeBlock &block : info::kOffices)
        addOffice(block);
}

InfoParts::~InfoParts()
{
    for (const auto &part : m_parts) {
        if (part->bitmap)
            DeleteObject(part->bitmap);
    }
}

void InfoParts::addOffice(const info::OfficeBlock &block)
{
    const std::string name(block.office.name);
    const std::string frame = "frame" + name;
    add({ .name = frame,
        .container = "frameKontakt",
        .kind = PartKind::Frame,
        .place = { info::kOfficeLeft, block.top, info::kOfficeWidth, block.height },
        .back = info::kDarkRed,
        .dragSurface = true });
    const auto &[left, top, width, height] = info::kCopyButtonPlace;
    add({ .name = "cmdKopieren" + name,
        .container = frame,
        .kind = PartKind::CopyButton,
        .place = { left, top, width, height },
        .text = platform::fromUtf8(texts::info::copyTip),
        .back = info::kDarkRed,
        // The copy text is the office's own, not read back from the labels.
        .target = info::copyText(block.office),
        .picture = pictureResource("clipboard.svg") });
    const auto lines = info::officeLabels(block.office);
    for (std::size_t i = 0; i < lines.size(); ++i)
        add({ .name = "lbl" + name + '_' + std::to_string(i),
            .container = frame,
            .kind = PartKind::Label,
            .place
            = { info::kOfficeLabelLeft, info::kOfficeLabelStep * static_cast<int>(i), 0, 240 },
            .text = platform::fromUtf8(lines[i]),
            .font = info::kArial975,
            .fore = info::kWhite,
            .dragSurface = true });
    add({ .name = "lnk" + name,
        .container = frame,
        .kind = PartKind::Panel,
        .place
        = { info::kMailLinkLeft, info::kMailLinkTop, block.mailLinkWidth, info::kMailLinkHeight },
        .text = platform::fromUtf8(block.office.mailShown),
        .font = info::kArial975,
        .role = info::Role::MailLink,
        .target = info::mailTarget(block.office) });
}

void InfoParts::add(Part part)
{
    if (part.kind == PartKind::Panel)
        applyLook(part, info::normalLook(part.role));
    m_parts.push_back(std::make_unique<Part>(std::move(part)));
}

Part *InfoParts::find(std::string_view name) const
{
    for (const auto &part : m_parts) {
        if (part->name == name)
            return part.get();
    }
    return nullptr;
}

Part *InfoParts::partOf(HWND window) const
{
    for (const auto &part : m_parts) {
        if (part->window == window)
            return part.get();
    }
    return nullptr;
}

HWND InfoParts::container(const Part &part, HWND window) const
{
    if (part.container.empty())
        return window;
    const Part *parent = find(part.container);
    return parent ? parent->window : window;
}

std::optional<info::Page> InfoParts::pageOf(const Part &panel)
{
    for (const info::Page page :
        { info::Page::Kontakt, info::Page::Vertrieb, info::Page::Autoren }) {
        if (panel.name == info::panelName(page))
            return page;
    }
    return std::nullopt;
}

std::optional<info::Country> InfoParts::countryOf(const Part &panel)
{
    for (const info::Country country : { info::Country::Österreich, info::Country::Deutschland }) {
        if (panel.name == info::panelName(country))
            return country;
    }
    return std::nullopt;
}

void applyLook(Part &part, const info::Look &look)
{
    if (look.back)
        part.back = *look.back;
    if (look.fore)
        part.fore = *look.fore;
    if (look.underline)
        part.underline = *look.underline;
    part.hand = look.hand;
    if (part.window)
        InvalidateRect(part.window, nullptr, FALSE);
}

} // namespace orv::win32
