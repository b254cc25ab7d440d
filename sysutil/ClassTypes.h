// SPDX-License-Identifier: MIT
#pragma once

// The value kinds of orvClassWindows's interface besides numbers and texts:
// the untyped result, a date-time, and the members of the caller's controls
// that the control helpers and icon operations reach.

#include <cstdint>
#include <string>
#include <variant>

namespace orv {

// An untyped result; std::monostate is the empty one.
using Variant = std::variant<std::monostate, bool, std::int32_t, std::wstring>;

// A local date and time to the second. The default is the zero date.
struct DateTime
{
    std::int32_t year = 1899;
    std::int32_t month = 12;
    std::int32_t day = 30;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;

    friend bool operator==(const DateTime &, const DateTime &) = default;
};

// The form a control sits on: its window, its scale and its text measure.
class FormObject
{
public:
    virtual ~FormObject() = default;
    virtual std::int32_t hWnd() const = 0;
    virtual std::int32_t ScaleMode() const = 0;
    virtual double TextWidth(const std::wstring &text) const = 0;
    virtual double ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const = 0;
};

// A combo box: its window, its form and its entries.
class ComboBoxObject
{
public:
    virtual ~ComboBoxObject() = default;
    virtual std::int32_t hWnd() const = 0;
    virtual FormObject &Parent() = 0;
    virtual std::int32_t ListCount() const = 0;
    virtual std::wstring List(std::int32_t index) const = 0;
};

// A picture box: its drawing surface and its persistent picture.
class PictureBoxObject
{
public:
    virtual ~PictureBoxObject() = default;
    virtual std::int32_t hDC() const = 0;
    virtual void ClearPicture() = 0;
    // The picture becomes what is drawn on the surface now.
    virtual void PictureFromImage() = 0;
};

} // namespace orv
