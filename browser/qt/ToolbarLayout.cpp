// SPDX-License-Identifier: MIT
#include "browser/qt/ToolbarLayout.h"

#include "browser/ToolbarDesign.h"
#include "components/qt/ActiveBar.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QFont>

namespace orv {

namespace {

ToolKind kindOf(toolbar::Kind kind)
{
    switch (kind) {
    case toolbar::Kind::Button:
        return ToolKind::Button;
    case toolbar::Kind::Separator:
        return ToolKind::Separator;
    case toolbar::Kind::Combo:
        return ToolKind::ComboBox;
    case toolbar::Kind::TextPane:
        return ToolKind::TextPane;
    case toolbar::Kind::TimePane:
        return ToolKind::TimePane;
    case toolbar::Kind::DatePane:
        return ToolKind::DatePane;
    }
    return ToolKind::Button;
}

QString iconPath(toolbar::Icon icon)
{
    switch (icon) {
    case toolbar::Icon::None:
        break;
    case toolbar::Icon::Exit:
        return QStringLiteral(":/icons/exit.svg");
    case toolbar::Icon::Back:
        return QStringLiteral(":/icons/back.svg");
    case toolbar::Icon::Forward:
        return QStringLiteral(":/icons/forward.svg");
    case toolbar::Icon::Stop:
        return QStringLiteral(":/icons/stop.svg");
    case toolbar::Icon::Refresh:
        return QStringLiteral(":/icons/refresh.svg");
    case toolbar::Icon::Info:
        return QStringLiteral(":/icons/info.svg");
    }
    return {};
}

QList<QKeySequence> keysOf(std::string_view tool)
{
    if (tool == names::idBeenden)
        return { QKeySequence(QKeySequence::Quit) };
    if (tool == names::idZurueck)
        return { QKeySequence(QKeySequence::Back) };
    if (tool == names::idVorwaerts)
        return { QKeySequence(QKeySequence::Forward) };
    if (tool == names::idStop)
        return { QKeySequence(Qt::Key_Escape) };
    if (tool == names::idAktualisieren)
        return { QKeySequence(QKeySequence::Refresh), QKeySequence(Qt::CTRL | Qt::Key_R) };
    return {};
}

void addBand(ActiveBar &bar, const toolbar::Band &design, Dock dock)
{
    ActiveBarBand &band = bar.addBand(toQt(design.name), toQt(design.caption), dock);
    for (const toolbar::Tool &tool : design.tools) {
        band.addTool({ toQt(tool.name), kindOf(tool.kind), toQt(tool.caption), tool.captionShown,
            iconPath(tool.icon), toQt(tool.tip), keysOf(tool.name) });
        if (!tool.enabledAtStart)
            band.Tools(toQt(tool.name)).setEnabled(false);
    }
}

} // namespace

void buildToolbarLayout(ActiveBar &bar)
{
    QFont font(toQt(toolbar::fontFamily));
    font.setPointSizeF(toolbar::fontPoints);
    bar.setFont(font);
    addBand(bar, toolbar::commandBand, Dock::Top);
    addBand(bar, toolbar::statusBand, Dock::Bottom);
}

} // namespace orv
