// SPDX-License-Identifier: MIT
#pragma once

// A top-level QWidget seen by the window placement. Sizes are applied the
// way the window system applies them on Windows: held between the smallest
// window it allows and the largest it tracks (the virtual screen plus the
// frame), so no stored number makes a window that cannot be shown.

#include "modules/modDeclare.h"

class QWidget;

namespace orv {

class WidgetPlacementWindow : public PlacementWindow
{
public:
    explicit WidgetPlacementWindow(QWidget *window) : m_window(window) { }

    std::string caption() const override;
    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    std::int16_t windowState() const override;
    void setLeft(std::int32_t twips) override;
    void setTop(std::int32_t twips) override;
    void setWidth(std::int32_t twips) override;
    void setHeight(std::int32_t twips) override;
    void setWindowState(std::int16_t state) override;
    float screenWidth() const override;
    float screenHeight() const override;

private:
    QWidget *m_window;
};

} // namespace orv
