// SPDX-License-Identifier: MIT
#pragma once

// The meter's canvas on two picture areas of a Qt window: a plain frame and
// its inner area.

#include "modules/ProgressBar.h"

namespace orv {

class PictureBox;

class PictureMeterHost : public MeterCanvas
{
public:
    PictureMeterHost(PictureBox *frame, PictureBox *area) : m_frame(frame), m_area(area) { }

    float frameWidth() const override;
    float frameHeight() const override;
    std::string frameTag() const override;
    void showFrame() override;
    std::string areaTag() const override;
    float areaWidth() const override;
    float areaHeight() const override;
    void moveArea(double left, double top, double width, double height) override;
    void clearArea() override;
    void fillArea(double x1, double y1, double x2, double y2, std::uint32_t rgb) override;
    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override;
    void doEvents() override;

private:
    PictureBox *m_frame;
    PictureBox *m_area;
};

} // namespace orv
