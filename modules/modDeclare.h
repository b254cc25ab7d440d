// SPDX-License-Identifier: MIT
#pragma once

// Window placement across runs: position, size (twips) and state of a window,
// filed in the settings store under the application title and the window's
// caption at the moment of the call. Neither operation traps a failure: a
// failing step ends it and the failure goes to the caller, so a key that
// cannot be stored leaves the keys after it unwritten, and a stored value
// that is not one number leaves it and its successors unapplied.

#include <cstdint>
#include <string>

namespace orv {

class SettingsStore;

// What the placement operations see of a window. Sizes are outer sizes, in
// twips; the screen is the one the window is on.
class PlacementWindow
{
public:
    enum State : std::int16_t { Normal = 0, Minimized = 1, Maximized = 2 };

    virtual ~PlacementWindow() = default;
    virtual std::string caption() const = 0;
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

void SaveWindowPlacement(const PlacementWindow &window, SettingsStore &store);
void LoadWindowPlacement(PlacementWindow &window, SettingsStore &store);

} // namespace orv
