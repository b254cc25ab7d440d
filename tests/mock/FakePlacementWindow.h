// SPDX-License-Identifier: MIT
#pragma once

#include "modules/modDeclare.h"

#include <string>

namespace orv::test {

// A window that records what the placement operations apply to it.
class FakePlacementWindow : public PlacementWindow
{
public:
    std::string caption() const override { return m_caption; }
    float left() const override { return m_left; }
    float top() const override { return m_top; }
    float width() const override { return m_width; }
    float height() const override { return m_height; }
    std::int16_t windowState() const override { return m_state; }
    void setLeft(std::int32_t v) override { m_left = float(v); }
    void setTop(std::int32_t v) override { m_top = float(v); }
    void setWidth(std::int32_t v) override { m_width = float(v); }
    void setHeight(std::int32_t v) override { m_height = float(v); }
    void setWindowState(std::int16_t s) override { m_state = s; }
    float screenWidth() const override { return 19200.0f; }
    float screenHeight() const override { return 14400.0f; }

    std::string m_caption = "Harlund Webbrowser... Kategorie: Download";
    float m_left = 100.0f;
    float m_top = 200.0f;
    float m_width = 10440.0f;
    float m_height = 4980.0f;
    std::int16_t m_state = Normal;
};

} // namespace orv::test
