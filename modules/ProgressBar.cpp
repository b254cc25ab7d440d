// SPDX-License-Identifier: MIT
#include "modules/ProgressBar.h"

#include "core/Numeric.h"
#include "core/Steps.h"

#include <algorithm>
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

// Floating division as the meter does it: dividing by zero fails.
double divide(double numerator, double denominator)
{
    if (denominator == 0.0)
        fail(FailureCode::DivisionByZero, "Division by zero");
    return numerator / denominator;
}

bool equalsIgnoringCase(std::string_view text, std::string_view upper)
{
    return std::equal(text.begin(), text.end(), upper.begin(), upper.end(),
        [](char a, char b) { return (a >= 'a' && a <= 'z' ? char(a - 'a' + 'A') : a) == b; });
}

std::uint32_t colorForMode(std::string_view mode)
{
    if (equalsIgnoringCase(mode, "LAD"))
        return ProgressBar::kNavy;
    if (equalsIgnoringCase(mode, "SAV"))
        return ProgressBar::kMaroon;
    return ProgressBar::kLightYellow; // entry 14 of the 16-colour palette
}

} // namespace

void InitMeter(MeterCanvas &host, std::int16_t maximum, std::string_view mode)
{
    ProgressBar::State &m = ProgressBar::moduleState();
    StepRunner steps("InitMeter");
    const double tppx = host.twipsPerPixelX();
    const double tppy = host.twipsPerPixelY();

    // The frame is a plain picture area without a bevel: the inner area gets all of it.
    steps.step([&] { host.moveArea(0, 0, host.frameWidth(), host.frameHeight()); });
    steps.step([&] { m.BlockGap = toInt16(leadingNumber(host.areaTag()) * tppx); });
    steps.step([&] { m.BlockTop = toInt16(2 * tppy); });
    steps.step([&] { m.BlockBottom = toInt16(host.areaHeight() - 4 * tppy); });

    double setting = 0.0;
    steps.step([&] { setting = leadingNumber(host.frameTag()); });
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
        steps.loop([&] { return mod(Int32(m.BlockWidth), Int32(toInt32(tppx))) != Int32(0); },
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

void UpdateMeter(MeterCanvas &host, std::int32_t value)
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

} // namespace orv
