// SPDX-License-Identifier: MIT
#pragma once

// The browser window's two bands as designed: the command band at the top
// and the status band at the bottom, each with its tools in display order.
// Every window build builds its bands from these tables and only decides how
// they are drawn; keys stay with each build, being its toolkit's codes.
// Texts are UTF-8.

#include "resources/Texts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace orv::toolbar {

enum class Kind { Button, Separator, Combo, TextPane, TimePane, DatePane };

// The pictures of the buttons; each build maps them to its own resources.
enum class Icon { None, Exit, Back, Forward, Stop, Refresh, Info };

struct Tool
{
    std::string_view name;
    Kind kind;
    std::string_view caption; // as designed, drawn only where captionShown
    bool captionShown;
    std::string_view tip;
    Icon icon;
    // Nothing to go back or forward to and nothing loading before the
    // browser's first report.
    bool enabledAtStart = true;
};

struct Band
{
    std::string_view name;
    std::string_view caption;
    std::span<const Tool> tools;
};

// The address box follows these tools, taking the width they leave.
inline constexpr std::array commandTools {
    Tool { names::idBeenden, Kind::Button, "Beenden", true, "Beenden", Icon::Exit },
    Tool { "Tool5", Kind::Separator, "", false, "", Icon::None },
    Tool { names::idZurueck, Kind::Button, "Zurück", true, "Zurück", Icon::Back, false },
    Tool { names::idVorwaerts, Kind::Button, "", false, "Vorwärts", Icon::Forward, false },
    Tool { "Tool8", Kind::Separator, "", false, "", Icon::None },
    Tool { names::idStop, Kind::Button, "Stop", true, "Stop", Icon::Stop, false },
    Tool { names::idAktualisieren, Kind::Button, "Aktualisieren", true, "Aktualisieren",
        Icon::Refresh },
    Tool { names::idSeite, Kind::Combo, "Tool11", false, "Kategorie", Icon::None },
    Tool { names::idInfo, Kind::Button, "Tool12", false, "Info", Icon::Info },
};

// Status_Info takes the width the others leave.
inline constexpr std::array statusTools {
    Tool { names::statusInfo, Kind::TextPane, "", false, "Status", Icon::None },
    Tool { "Tool1", Kind::TimePane, "", false, "Uhrzeit", Icon::None },
    Tool { "Tool2", Kind::DatePane, "", false, "Datum", Icon::None },
};

inline constexpr Band commandBand { names::band1, "Band1", commandTools };
inline constexpr Band statusBand { names::statusBar, "Band2", statusTools };

// The font of both bands' tools and panes, in points.
inline constexpr std::string_view fontFamily = "Arial";
inline constexpr double fontPoints = 8.25;

// The block meter's frame: its designed size in twips, in the status band.
struct TwipsSize
{
    int width, height;
};
inline constexpr TwipsSize meterFrame { 2325, 285 };

// The block meter's frame sits in the status band in front of this pane.
inline constexpr std::string_view meterBeforeTool = "Tool1";

// What the builds rely on when they look tools up and give buttons their
// pictures: names once per band, every button with a picture and a tip, the
// meter's pane in the status band.
constexpr bool wellFormed(std::span<const Tool> tools)
{
    for (std::size_t i = 0; i < tools.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (tools[i].name == tools[j].name)
                return false;
        }
        if ((tools[i].kind == Kind::Button) != (tools[i].icon != Icon::None)
            || (tools[i].kind == Kind::Button && tools[i].tip.empty()))
            return false;
    }
    return true;
}
static_assert(wellFormed(commandTools) && wellFormed(statusTools));
static_assert(std::ranges::count(statusTools, meterBeforeTool, &Tool::name) == 1);

// The text a build without separate captions and tips gives a button: its
// caption where that is drawn, else its tip.
constexpr std::string_view label(const Tool &tool)
{
    return tool.captionShown ? tool.caption : tool.tip;
}

} // namespace orv::toolbar
