// SPDX-License-Identifier: MIT
#pragma once

// Window placement across runs: position, size (twips) and state of a window,
// filed in the settings store under the application title and the window's
// caption at the moment of the call. Neither operation traps a failure: a
// failing step ends it and the failure goes to the caller.

#include <QString>

#include <cstdint>

class QWidget;

namespace orv {

class SettingsStore;

// What the placement operations see of a window. Sizes are outer sizes.
class PlacementWindow
{
public:
    enum State : std::int16_t { Normal = 0, Minimized = 1, Maximized = 2 };

    virtual ~PlacementWindow() = default;
    virtual QString caption() const = 0;
    virtual float left() const = 0;
    virtual float top() const = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;
    virtual std::int16_t windowState() const = 0;
    virtual void setLeft(std::int32_t twips) = 0;
    virtual void setTop(std::int32_t twips) = 0;
    virtual void setWidth(std::int32_t twips) = 0;
    virtual void setHeight(std::int32_t twips) = 0;
    virtual void setWindowState(std::int16_t state) = 0;
    virtual float screenWidth() const = 0;
    virtual float screenHeight() const = 0;
};

// A top-level QWidget seen as a placement window.
class WidgetPlacementWindow : public PlacementWindow
{
public:
    explicit WidgetPlacementWindow(QWidget *window) : m_window(window) { }

    QString caption() const override;
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

void SaveWindowPlacement(const PlacementWindow &window, SettingsStore &store);
void LoadWindowPlacement(PlacementWindow &window, SettingsStore &store);

} // namespace orv
