// SPDX-License-Identifier: MIT
#include "modules/qt/PictureMeterHost.h"

#include "components/qt/PictureBox.h"
#include "components/qt/StartupTrace.h"
#include "components/qt/Twips.h"

#include <QCoreApplication>

namespace orv {

float PictureMeterHost::frameWidth() const
{
    return m_frame->Width();
}

float PictureMeterHost::frameHeight() const
{
    return m_frame->Height();
}

std::string PictureMeterHost::frameTag() const
{
    return m_frame->Tag.toStdString();
}

void PictureMeterHost::showFrame()
{
    m_frame->setVisible(true);
}

std::string PictureMeterHost::areaTag() const
{
    return m_area->Tag.toStdString();
}

float PictureMeterHost::areaWidth() const
{
    return m_area->Width();
}

float PictureMeterHost::areaHeight() const
{
    return m_area->Height();
}

void PictureMeterHost::moveArea(double left, double top, double width, double height)
{
    m_area->Move(left, top, width, height);
}

void PictureMeterHost::clearArea()
{
    m_area->Cls();
}

void PictureMeterHost::fillArea(double x1, double y1, double x2, double y2, std::uint32_t rgb)
{
    m_area->FillBox(x1, y1, x2, y2, qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)));
}

float PictureMeterHost::twipsPerPixelX() const
{
    return TwipsPerPixel::of(m_frame).x;
}

float PictureMeterHost::twipsPerPixelY() const
{
    return TwipsPerPixel::of(m_frame).y;
}

void PictureMeterHost::doEvents()
{
    const trace::Scope traced(trace::Work::PendingEvents);
    QCoreApplication::processEvents();
}

} // namespace orv
