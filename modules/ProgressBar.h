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

#include <QRgb>
#include <QString>

#include <cstdint>

namespace orv {

class PictureBox;

// What the meter reads from and does to its host window.
class MeterHost
{
public:
    virtual ~MeterHost() = default;

    // The frame ("Meter"). Plain picture frames have no bevel settings.
    virtual bool frameHasBevel() const = 0;
    virtual int frameBevelInner() const = 0;
    virtual int frameBorderWidth() const = 0; // pixels
    virtual int frameBevelWidth() const = 0; // pixels
    virtual float frameWidth() const = 0;
    virtual float frameHeight() const = 0;
    virtual QString frameTag() const = 0;
    virtual void showFrame() = 0;

    // The inner area ("bMeter").
    virtual QString areaTag() const = 0;
    virtual float areaWidth() const = 0;
    virtual float areaHeight() const = 0;
    virtual void moveArea(double left, double top, double width, double height) = 0;
    virtual void clearArea() = 0;
    virtual void fillArea(double x1, double y1, double x2, double y2, QRgb color) = 0;

    virtual float twipsPerPixelX() const = 0;
    virtual float twipsPerPixelY() const = 0;
    // Lets pending UI events run once.
    virtual void doEvents() = 0;
};

// The meter of two picture areas of a window: a plain frame and its inner area.
class PictureMeterHost : public MeterHost
{
public:
    PictureMeterHost(PictureBox *frame, PictureBox *area) : m_frame(frame), m_area(area) { }

    bool frameHasBevel() const override { return false; }
    int frameBevelInner() const override { return 0; }
    int frameBorderWidth() const override { return 0; }
    int frameBevelWidth() const override { return 0; }
    float frameWidth() const override;
    float frameHeight() const override;
    QString frameTag() const override;
    void showFrame() override;
    QString areaTag() const override;
    float areaWidth() const override;
    float areaHeight() const override;
    void moveArea(double left, double top, double width, double height) override;
    void clearArea() override;
    void fillArea(double x1, double y1, double x2, double y2, QRgb color) override;
    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override;
    void doEvents() override;

private:
    PictureBox *m_frame;
    PictureBox *m_area;
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

constexpr QRgb kNavy = 0xFF000080;
constexpr QRgb kMaroon = 0xFF800000;
constexpr QRgb kLightYellow = 0xFFFFFF00;

} // namespace ProgressBar

void InitMeter(MeterHost &host, std::int16_t maximum, const QString &mode);
void UpdateMeter(MeterHost &host, std::int32_t value);

} // namespace orv
