// SPDX-License-Identifier: MIT
#pragma once

// The Info window's design, for every window build: its controls with their
// containers, places and sizes (twips), texts, fonts and colours; where the
// resize rule puts the pages and where the window opens; the office blocks;
// and the looks of its panels, normal and under the pointer.

#include "resources/ContactData.h"
#include "resources/Texts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::info {

enum class Page { Kontakt, Vertrieb, Autoren };
enum class Country { Österreich, Deutschland };
// The frames whose visibility follows the page and the country.
enum class Frame { Land, Kontakt, Vertrieb, Autoren, Olmbach, Kestadt, Sarnfeld };

// The window's colours, 0xRRGGBB.
inline constexpr std::uint32_t kDarkRed = 0x8B0304;
inline constexpr std::uint32_t kDarkBlue = 0x00558F;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

inline constexpr int kClientWidth = 6705;
inline constexpr int kClientHeight = 6015;

// The system's button-text colour (index 18), as a colour value names a system colour.
inline constexpr std::uint32_t kButtonText = 0x80000012;
inline constexpr std::uint32_t kBlack = 0x000000;
// A colour the control keeps as it is.
inline constexpr std::uint32_t kUnset = 0xFFFFFFFF;

enum class Kind { Picture, Label, Panel, Frame, OutlinedFrame, TextBox, Line };
// How a panel looks and what it does.
enum class Role { None, Navigation, Close, Country, SystemInfo, HomeLink, AuthorLink, MailLink };

struct Font
{
    std::string_view family;
    double points = 0;
    bool bold = false;
};

struct Control
{
    std::string_view name;
    int index; // the member of a control array, else -1
    std::string_view container; // empty: the window
    Kind kind;
    int left, top, width, height; // a line runs from (left, top) by (width, height)
    std::string_view text; // a caption, or a picture's file
    Font font;
    std::uint32_t back, fore; // panels take theirs from their look
    Role role;
    bool dragSurface; // a mouse press on it moves the window
};

inline constexpr Font kArial9Bold { "Arial", 9, true };
inline constexpr Font kArial975 { "Arial", 9.75, false };
inline constexpr Font kArial975Bold { "Arial", 9.75, true };
inline constexpr Font kNone {};

// In creation order; the office blocks inside frameKontakt follow below.
// clang-format off
inline constexpr Control kControls[] = {
    { "Image1", -1, "", Kind::Picture, 0, 0, 6720, 1365, "banner.svg", kNone, kUnset, kUnset, Role::None, true },
    { "lnkHarlund", -1, "", Kind::Panel, 180, 90, 2385, 240, contact::webAddressShown, { "MS Sans Serif", 9.75, true }, kUnset, kUnset, Role::HomeLink, false },
    { "lblProgramm", -1, "", Kind::Label, 180, 585, 6495, 510, texts::info::program, { "Arial", 20.25, true }, kUnset, kDarkRed, Role::None, true },
    { "lblVersion", -1, "", Kind::Label, 180, 1035, 2535, 240, "", kArial975Bold, kUnset, kDarkRed, Role::None, true },
    { "pnlSysteminfo", -1, "", Kind::Panel, 5805, 1035, 810, 240, texts::info::systemInfo, { "Arial", 8.25, false }, kUnset, kUnset, Role::SystemInfo, false },
    { "frameNavi", -1, "", Kind::Frame, 0, 1350, 6720, 465, "", kNone, kWhite, kUnset, Role::None, true },
    { "pnlKontakt", -1, "frameNavi", Kind::Panel, 360, 75, 915, 285, texts::info::kontakt, kArial9Bold, kUnset, kUnset, Role::Navigation, false },
    { "pnlVertrieb", -1, "frameNavi", Kind::Panel, 1530, 75, 960, 285, texts::info::vertrieb, kArial9Bold, kUnset, kUnset, Role::Navigation, false },
    { "pnlAutoren", -1, "frameNavi", Kind::Panel, 2745, 75, 870, 285, texts::info::autoren, kArial9Bold, kUnset, kUnset, Role::Navigation, false },
    { "pnlSchließen", -1, "frameNavi", Kind::Panel, 5430, 75, 1140, 285, texts::info::schliessen, kArial9Bold, kUnset, kUnset, Role::Close, false },
    { "Line1", -1, "frameNavi", Kind::Line, 6660, 360, -6345, 0, "", kNone, kBlack, kUnset, Role::None, false },
    { "Line2", -1, "frameNavi", Kind::Line, 1395, 270, 0, 135, "", kNone, kBlack, kUnset, Role::None, false },
    { "Line4", -1, "frameNavi", Kind::Line, 2610, 270, 0, 135, "", kNone, kBlack, kUnset, Role::None, false },
    { "Line6", -1, "frameNavi", Kind::Line, 3735, 270, 0, 135, "", kNone, kBlack, kUnset, Role::None, false },
    { "Line5", -1, "frameNavi", Kind::Line, 5310, 270, 0, 135, "", kNone, kBlack, kUnset, Role::None, false },
    { "Image2", -1, "", Kind::Picture, 0, 1800, 1680, 1365, "side.svg", kNone, kUnset, kUnset, Role::None, true },
    { "frameLand", -1, "", Kind::Frame, 0, 0, 0, 0, "", kNone, kDarkRed, kUnset, Role::None, true },
    { "pnlÖsterreich", -1, "frameLand", Kind::Panel, 135, 0, 1545, 375, texts::info::oesterreich, kArial9Bold, kUnset, kUnset, Role::Country, false },
    { "pnlDeutschland", -1, "frameLand", Kind::Panel, 135, 405, 1545, 375, texts::info::deutschland, kArial9Bold, kUnset, kUnset, Role::Country, false },
    { "frameKontakt", -1, "", Kind::Frame, 0, 0, 0, 0, "", kNone, kDarkRed, kUnset, Role::None, true },
    { "frameVertrieb", -1, "", Kind::Frame, 0, 0, 0, 0, "", kNone, kDarkRed, kUnset, Role::None, true },
    { "txtVertrieb", -1, "frameVertrieb", Kind::TextBox, 135, 225, 4515, 1950, "", kArial975, kDarkRed, kWhite, Role::None, false },
    { "frameAutoren", -1, "", Kind::Frame, 0, 0, 0, 0, "", kNone, kDarkRed, kUnset, Role::None, false },
    { "frameprogrammierung", -1, "frameAutoren", Kind::OutlinedFrame, 135, 225, 4560, 2760, "", { "Arial", 9, false }, kDarkRed, kWhite, Role::None, false },
    { "lblProjektleitung", -1, "frameprogrammierung", Kind::Label, 180, 225, 1395, 240, texts::info::projectLead, kArial975Bold, kUnset, kWhite, Role::None, false },
    { "lnkArneKolvik", 0, "frameprogrammierung", Kind::Panel, 405, 495, 1545, 240, contact::arneKolvik.name, kArial975, kUnset, kUnset, Role::AuthorLink, false },
    { "lblProgrammierung", -1, "frameprogrammierung", Kind::Label, 180, 1080, 1680, 240, texts::info::programming, kArial975Bold, kUnset, kWhite, Role::None, false },
    { "lnkArneKolvik", 1, "frameprogrammierung", Kind::Panel, 405, 1350, 1545, 240, contact::arneKolvik.name, kArial975, kUnset, kUnset, Role::AuthorLink, false },
    { "lnkLenzOttmer", -1, "frameprogrammierung", Kind::Panel, 405, 1620, 1860, 240, contact::lenzOttmer.name, kArial975, kUnset, kUnset, Role::AuthorLink, false },
    { "Image3", -1, "", Kind::Picture, 3645, 5265, 3015, 705, "footer.svg", kNone, kUnset, kUnset, Role::None, true },
};
// clang-format on

// The resize rule: where the country column and the pages stand.
struct Place
{
    std::string_view name;
    int left, top, width, height;
};
inline constexpr Place kRunTimePlaces[]
    = { { "frameLand", 0, 2970, 1770, 1455 }, { "frameKontakt", 1845, 1890, 4785, 3345 },
          { "frameVertrieb", 1845, 1890, 4785, 3345 }, { "frameAutoren", 1845, 1890, 4785, 3345 } };

// The resize rule also puts lblVersion back to its design left.
inline constexpr int kVersionLeft = 180;

// Screen places in the window system's pixels.
struct ScreenRect
{
    int left, top, width, height;
};
struct ScreenPoint
{
    int x, y;
    bool operator==(const ScreenPoint &) const = default;
};
// Where the window's outer corner goes when it opens: centred on the whole
// screen (its work area does not count), the halves taken in twips in
// floating point, as the window's coordinates are kept, and rounded to pixels
// as everywhere. A window larger than the screen stands out over its top and
// left edges alike.
ScreenPoint centredPlace(const ScreenRect &screen, int outerWidth, int outerHeight,
    double twipsPerPixelX, double twipsPerPixelY);

// An office block: frame<name> in frameKontakt at (45, top), 4605 wide,
// with the copy button cmdKopieren<name>, the labels lbl<name> (members 0
// to 4, each 270 below the last) and the mail link lnk<name>.
struct OfficeBlock
{
    const contact::Office &office;
    int top, height, mailLinkWidth;
};
inline constexpr OfficeBlock kOffices[] = { { contact::olmbach, 225, 1365, 3255 },
    { contact::sarnfeld, 225, 1320, 3255 }, { contact::kestadt, 1800, 1365, 2130 } };
inline constexpr int kOfficeLeft = 45, kOfficeWidth = 4605;
inline constexpr int kCopyButtonPlace[] = { 45, 45, 285, 285 };
inline constexpr int kOfficeLabelLeft = 360, kOfficeLabelStep = 270;
inline constexpr int kMailLinkLeft = 855, kMailLinkTop = 1035, kMailLinkHeight = 285;

struct Look
{
    std::optional<std::uint32_t> back, fore;
    std::optional<bool> underline;
    bool hand = false; // the hand pointer, else the default one
    bool operator==(const Look &) const = default;
};
// A panel neither under the pointer nor selected; a selected page or country keeps hoverLook.
Look normalLook(Role role);
Look hoverLook(Role role);

// Where a home-page or author link goes.
std::string linkTarget(const Control &link, std::string_view mainHost);

// The controls the rules' pages, countries and frames stand for.
std::string_view panelName(Page page);
std::string_view panelName(Country country);
std::string_view frameName(Frame frame);

// The tool tip of a panel, or none.
std::string_view toolTip(Role role);
// Links start their caption at the left edge; other panels centre it.
bool captionAtLeft(Role role);

} // namespace orv::info
