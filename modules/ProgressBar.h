// SPDX-License-Identifier: MIT
#pragma once

// The block progress meter: a row of equal filled blocks drawn from left to
// right into an inner picture area that sits in a frame on the host window.
// One meter per process; its state lives between calls and is shared by all
// callers. Sizes are in twips; pixel settings come from the controls' Tag
// texts (frame: block width in pixels, or minus the number of blocks; inner
// area: the gap in pixels).
//
// InitMeter absorbs every failing step. UpdateMeter hands a failure of its
// first step (the block index) to the caller and absorbs the rest. Both let
// pending UI events run once, so a further call may run inside them.

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// What the meter reads from and draws on: a plain frame ("Meter") and its
// inner area ("bMeter"). Each window build implements it on its own controls.
class MeterCanvas
{
public:
    virtual ~MeterCanvas() = default;

    virtual float frameWidth() const = 0;
    virtual float frameHeight() const = 0;
    virtual std::string frameTag() const = 0;
    virtual void showFrame() = 0;

    virtual std::string areaTag() const = 0;
    virtual float areaWidth() const = 0;
    virtual float areaHeight() const = 0;
    virtual void moveArea(double left, double top, double width, double height) = 0;
    // Erases everything drawn in the area.
    virtual void clearArea() = 0;
    // A box filled with an RGB colour (0xRRGGBB) from corner (x1, y1) to
    // corner (x2, y2); the far edges are not part of it.
    virtual void fillArea(double x1, double y1, double x2, double y2, std::uint32_t rgb) = 0;

    virtual float twipsPerPixelX() const = 0;
    virtual float twipsPerPixelY() const = 0;
    // Lets pending UI events run once.
    virtual void doEvents() = 0;
};

namespace ProgressBar {

// The module state; every field starts as 0 when the process starts.
struct State
{
    std::int16_t BlockGap = 0;
    std::int16_t BlockTop = 0;
    std::int16_t BlockBottom = 0;
    std::int16_t BlockWidth = 0;
    std::int16_t LastBlock = 0;
    std::int16_t MeterMax = 0;
    std::uint32_t MeterColor = 0;
    std::int16_t LastDrawn = 0;

    friend bool operator==(const State &, const State &) = default;
};

State &moduleState();

// The window's meter is designed with blocks 6 pixels wide and gaps of
// 1 pixel: the Tag texts of its frame and of its inner area.
inline constexpr std::string_view kFrameTag = "6";
inline constexpr std::string_view kAreaTag = "1";

// 0xRRGGBB.
inline constexpr std::uint32_t kNavy = 0x000080;
inline constexpr std::uint32_t kMaroon = 0x800000;
inline constexpr std::uint32_t kLightYellow = 0xFFFF00;

} // namespace ProgressBar

// mode: "LAD" (loading) in any case draws navy, "SAV" (saving) maroon,
// anything else light yellow.
void InitMeter(MeterCanvas &host, std::int16_t maximum, std::string_view mode);
void UpdateMeter(MeterCanvas &host, std::int32_t value);

} // namespace orv
