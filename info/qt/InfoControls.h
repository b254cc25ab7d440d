// SPDX-License-Identifier: MIT
#pragma once

// The Info window's controls as its layout lists them: each made in its
// container, at its place, with its font, colours and look, the offices'
// blocks included; the panels' looks follow the pointer entering them. What
// its leaving and a click do is the window's: it is told of every panel made.

#include "info/InfoLayout.h"

#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace orv {

class SSPanel;

// The colours a control of the layout shows; kUnset keeps the palette's.
void setColors(QWidget *widget, std::uint32_t back, std::uint32_t fore);
void apply(SSPanel *panel, const info::Look &look);

class InfoControls
{
public:
    // A panel was made with its role and the address its click opens.
    using PanelMade = std::function<void(SSPanel *panel, info::Role role, std::string target)>;

    InfoControls(QWidget *window, const std::string &mainHost, const PanelMade &panelMade);

    // By name, array members as name_index; null for none.
    QWidget *operator[](const QString &name) const { return m_byName.value(name); }
    // The window and the controls that move it when pressed.
    const QList<QWidget *> &dragSurfaces() const { return m_dragSurfaces; }
    // Where the controls go once the window runs, as the window's size may
    // change them.
    void placeAtRunTime();

private:
    void create(
        const info::Control &control, const std::string &mainHost, const PanelMade &panelMade);
    void createOffice(const info::OfficeBlock &block, const PanelMade &panelMade);
    void add(QWidget *control, bool dragSurface);

    QWidget *m_window;
    QHash<QString, QWidget *> m_byName;
    QList<QWidget *> m_dragSurfaces;
};

} // namespace orv
