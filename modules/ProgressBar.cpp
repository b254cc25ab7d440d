// SPDX-License-Identifier: MIT
#include "modules/ProgressBar.h"

#include "components/PictureBox.h"
#include "components/StartupTrace.h"
#include "components/Twips.h"
#include "core/Numeric.h"
#include "core/Steps.h"

#include <QCoreApplication>

#include <cmath>

namespace orv {

namespace ProgressBar {

State &moduleState()
{
    static State state;
    return state;
}

} // namespace ProgressBar

namespace {

// A setting by its leading number (" 6 px" is 6), which QString::toDouble refuses.
double number(const QString &setting)
{
    return leadingNumber(setting.toStdString());
}

// Floating division as the meter does it: dividing by zero fails.
double divide(double numerator, double denominator)
{
    if (denominator == 0.0)
        fail(FailureCode::DivisionByZero, "Division by zero");
    return numerator / denominator;
}

QRgb colorForMode(const QString &mode)
{
    const QString upper = mode.toUpper();
    if (upper == QStringLiteral("LAD"))
        return ProgressBar::kNavy;
    if (upper == QStringLiteral("SAV"))
        return ProgressBar::kMaroon;
    return ProgressBar::kLightYellow; // entry 14 of the 16-colour palette
}

} // namespace

void InitMeter(MeterHost &host, std::int16_t maximum, const QString &mode)
{
    ProgressBar::State &m = ProgressBar::moduleState();
    StepRunner steps("InitMeter");
    const double tppx = host.twipsPerPixelX();
    const double tppy = host.twipsPerPixelY();

    Int16 frameFactor = 0;
    Int16 horizontalInset = 0;
    float verticalInset = 0.0f;
    if (host.frameHasBevel()) {
        steps.step([&] {
            frameFactor = host.frameBevelInner() != 0 ? toInt16(host.frameBorderWidth() + 2.0)
                                                      : std::int16_t(1);
        });
        steps.step([&] {
            horizontalInset = toInt16(host.frameBevelWidth() * tppx * frameFactor.value());
        });
        steps.step(
            [&] { verticalInset = float(host.frameBevelWidth() * tppy * frameFactor.value()); });
    }
    steps.step([&] {
        const Int16 twiceInset = Int16(2) * horizontalInset;
        host.moveArea(horizontalInset.value(), verticalInset,
            host.frameWidth() - twiceInset.value(), host.frameHeight() - 2.0 * verticalInset);
    });
    steps.step([&] { m.BlockGap = toInt16(number(host.areaTag()) * tppx); });
    steps.step([&] { m.BlockTop = toInt16(2 * tppy); });
    steps.step([&] { m.BlockBottom = toInt16(host.areaHeight() - 4 * tppy); });

    double setting = 0.0;
    steps.step([&] { setting = number(host.frameTag()); });
    if (setting < 0) {
        steps.step([&] { m.LastBlock = toInt16(std::fabs(setting)); });
        steps.step([&] {
            const Int16 used = Int16(m.BlockGap) * Int16(m.LastBlock) + Int16(m.BlockGap);
            m.BlockWidth = toInt16(divide(host.areaWidth() - used.value(), m.LastBlock));
        });
    } else {
        steps.step([&] { m.BlockWidth = toInt16(setting * tppx); });
        steps.step([&] { m.LastBlock = toInt16(divide(host.areaWidth(), m.BlockWidth)); });
    }
    m.LastDrawn = 0;
    m.MeterMax = maximum == 0 ? std::int16_t(1) : maximum;
    m.MeterColor = colorForMode(mode);

    if (setting < 0) {
        // Whole pixels only.
        steps.loop([&] { return m.BlockWidth % toInt32(tppx) != 0; },
            [&] { m.BlockWidth = (Int16(m.BlockWidth) - Int16(1)).value(); });
    }
    Int16 pitch = 0;
    steps.step([&] { pitch = Int16(m.BlockWidth) + Int16(m.BlockGap); });
    // The estimate above only saves passes: fit the largest count of blocks,
    // each followed by a gap, behind a leading gap.
    auto used = [&] {
        return (Int16(m.BlockGap) + pitch * Int16(m.LastBlock) + Int16(m.BlockWidth)
            + Int16(m.BlockGap))
            .value();
    };
    steps.loop([&] { return used() < host.areaWidth(); },
        [&] { m.LastBlock = (Int16(m.LastBlock) + Int16(1)).value(); });
    steps.loop([&] { return used() > host.areaWidth(); },
        [&] { m.LastBlock = (Int16(m.LastBlock) - Int16(1)).value(); });

    steps.step([&] { host.clearArea(); });
    steps.step([&] { host.showFrame(); });
    host.doEvents();
}

void UpdateMeter(MeterHost &host, std::int32_t value)
{
    ProgressBar::State &m = ProgressBar::moduleState();
    // Not protected: an overflow or a meter never started fails the update.
    const std::int32_t n = intDiv(Int32(value) * Int32(m.LastBlock), Int32(m.MeterMax)).value();
    const std::int32_t first = m.LastDrawn;
    if (!(n <= m.LastBlock && (n != first || first == 0)))
        return;

    StepRunner steps("UpdateMeter");
    Int16 pitch = 0;
    steps.step([&] { pitch = Int16(m.BlockWidth) + Int16(m.BlockGap); });
    for (std::int32_t i = first; i <= n; ++i) {
        steps.step([&] {
            const Int16 left = Int16(m.BlockGap) + pitch * Int16(toInt16(i));
            const Int16 right = left + Int16(m.BlockWidth);
            host.fillArea(left.value(), m.BlockTop, right.value(), m.BlockBottom, m.MeterColor);
        });
    }
    steps.step([&] { m.LastDrawn = toInt16(n); });
    host.doEvents();
}

float PictureMeterHost::frameWidth() const
{
    return m_frame->Width();
}

float PictureMeterHost::frameHeight() const
{
    return m_frame->Height();
}

QString PictureMeterHost::frameTag() const
{
    return m_frame->Tag;
}

void PictureMeterHost::showFrame()
{
    m_frame->setVisible(true);
}

QString PictureMeterHost::areaTag() const
{
    return m_area->Tag;
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

void PictureMeterHost::fillArea(double x1, double y1, double x2, double y2, QRgb color)
{
    m_area->FillBox(x1, y1, x2, y2, color);
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
