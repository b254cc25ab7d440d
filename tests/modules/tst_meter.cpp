// SPDX-License-Identifier: MIT
// The block meter's starts and updates against a canvas that records what is
// drawn, at 15 twips per pixel on a frame 19 pixels high.
#include "Expect.h"
#include "modules/ProgressBar.h"

#include <functional>
#include <utility>

using namespace orv;
using ProgressBar::State;

namespace {

struct Canvas : MeterCanvas
{
    std::string blocks = "6", gap = "1";
    float width = 2325;
    std::vector<std::vector<double>> fills; // x1, y1, x2, y2, colour
    std::vector<double> moved;
    int eventPasses = 0, clears = 0;
    bool frameShown = false;
    std::function<void()> duringEvents;

    float frameWidth() const override { return width; }
    float frameHeight() const override { return 285; }
    std::string frameTag() const override { return blocks; }
    void showFrame() override { frameShown = true; }
    std::string areaTag() const override { return gap; }
    float areaWidth() const override { return width; }
    float areaHeight() const override { return 285; }
    void moveArea(double left, double top, double w, double h) override
    {
        moved = { left, top, w, h };
    }
    void clearArea() override { ++clears; }
    void fillArea(double x1, double y1, double x2, double y2, std::uint32_t rgb) override
    {
        fills.push_back({ x1, y1, x2, y2, double(rgb) });
    }
    float twipsPerPixelX() const override { return 15; }
    float twipsPerPixelY() const override { return 15; }
    void doEvents() override
    {
        ++eventPasses;
        if (auto nested = std::exchange(duringEvents, nullptr))
            nested();
    }

    // The blocks drawn, by index, with blocks of 6 and gaps of 1 pixel.
    std::vector<int> drawn() const
    {
        std::vector<int> indices;
        for (const auto &fill : fills)
            indices.push_back(int(fill[0] - 15) / 105);
        return indices;
    }
};

std::vector<int> range(int first, int last)
{
    std::vector<int> indices;
    for (int i = first; i <= last; ++i)
        indices.push_back(i);
    return indices;
}

} // namespace

TEST_CASE(
    "a start fits the blocks into the area; a setting beyond 16 bits keeps the last start's value")
{
    // block setting, gap setting, width, maximum, mode, then gap, top, bottom,
    // block width, last block, maximum kept, colour
    using Row = std::tuple<std::string, std::string, float, std::int16_t, std::string,
        std::vector<int>, std::uint32_t>;
    const std::uint32_t navy = ProgressBar::kNavy, maroon = ProgressBar::kMaroon;
    // clang-format off
    for (const auto &[blocks, gap, width, maximum, mode, expected, colour] : std::initializer_list<Row> {
             { "-10", "1", 2325, 100, "lad", { 15, 30, 225, 210, 9, 100 }, navy }, // ten blocks share the width
             { " 6 px", "1px", 2325, 0, "lad", { 15, 30, 225, 90, 21, 1 }, navy }, // maximum 0 becomes 1
             { "6", "", 2325, -5, "LAD", { 0, 30, 225, 90, 24, -5 }, navy },
             { "-3", "2", 1500, 7, "Sav", { 30, 30, 225, 450, 2, 7 }, maroon }, // snapped to whole pixels
             { "0", "1", 2325, 7, "", { 15, 30, 225, 0, 153, 7 }, ProgressBar::kLightYellow },
             { "8", "3000", 2325, 50, "sav", { 15, 30, 225, 120, 16, 50 }, maroon },
             { "3000", "1", 2325, 50, "sav", { 15, 30, 225, 90, 21, 50 }, maroon },
             { "-40000", "1", 2325, 50, "sav", { 15, 30, 225, 90, 21, 50 }, maroon },
             { "6", "1000", 2325, 50, "sav", { 15000, 30, 225, 90, 26, 50 }, maroon } }) { // the fit sums overflow
        // clang-format on
        CAPTURE(blocks);
        CAPTURE(gap);
        ProgressBar::moduleState() = {};
        Canvas canvas;
        canvas.width = width;
        InitMeter(canvas, 100, "lad");
        canvas.blocks = blocks;
        canvas.gap = gap;
        CHECK_NOTHROW(InitMeter(canvas, maximum, mode));
        const State &m = ProgressBar::moduleState();
        CHECK(std::vector<int> {
                  m.BlockGap, m.BlockTop, m.BlockBottom, m.BlockWidth, m.LastBlock, m.MeterMax }
            == expected);
        CHECK(m.MeterColor == colour);
        CHECK(m.LastDrawn == 0);
        // The plain frame gives the area all of its room; the frame shows.
        CHECK(canvas.moved == std::vector<double> { 0, 0, width, 285 });
        CHECK((canvas.frameShown && canvas.clears == 2 && canvas.eventPasses == 2));
        // The blocks, each followed by a gap, fit behind a leading gap where
        // their sums stay within 16 bits.
        if (m.BlockWidth > 0 && (m.BlockWidth + m.BlockGap) * (m.LastBlock + 1) <= 32767)
            CHECK(m.BlockGap + (m.BlockWidth + m.BlockGap) * (m.LastBlock + 1) <= width);
    }
}

TEST_CASE("updates draw from the block reached last up to the new one")
{
    // maximum of the start (0: none), values, blocks drawn in turn, block reached, failure
    using Row = std::tuple<std::int16_t, std::vector<int>, std::vector<int>, int,
        std::optional<FailureCode>>;
    const auto then = [](std::vector<int> a, const std::vector<int> &b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    // clang-format off
    for (const auto &[maximum, values, drawn, reached, failure] : std::initializer_list<Row> {
             { 100, { 0 }, { 0 }, 0, {} }, // right after a start, block 0 even for 0
             { 100, { 100 }, range(0, 21), 21, {} },
             { 100, { 200 }, {}, 0, {} }, // beyond the last block
             { 100, { 50, 50 }, range(0, 10), 10, {} },
             { 100, { 0, 0 }, { 0, 0 }, 0, {} },
             { 100, { 50, 80 }, then(range(0, 10), range(10, 16)), 16, {} },
             { 100, { 50, 20 }, range(0, 10), 4, {} }, // falling erases nothing
             { 100, { 50, 20, 30 }, then(range(0, 10), range(4, 6)), 6, {} },
             { 100, { 50, -10 }, range(0, 10), -2, {} },
             { 0, { 5 }, {}, 0, FailureCode::DivisionByZero }, // no start yet
             { 100, { 200000000 }, {}, 0, FailureCode::Overflow } }) { // 200000000 x 21 leaves 32 bits
        // clang-format on
        CAPTURE(values.front());
        ProgressBar::moduleState() = {};
        Canvas canvas;
        if (maximum > 0)
            InitMeter(canvas, maximum, "lad");
        std::optional<FailureCode> got;
        for (const int value : values)
            got = test::failureOf([&] { UpdateMeter(canvas, value); });
        CHECK(got == failure);
        CHECK(canvas.drawn() == drawn);
        CHECK(ProgressBar::moduleState().LastDrawn == reached);
    }
    // Block 0 of the 22: 6 pixels from a leading gap of 1, navy, 2 pixels below
    // the top and 4 above the bottom.
    Canvas canvas;
    InitMeter(canvas, 10, "lad");
    UpdateMeter(canvas, 0);
    CHECK(canvas.fills
        == std::vector<std::vector<double>> { { 15, 30, 105, 225, double(ProgressBar::kNavy) } });
}

TEST_CASE("a call inside the event pass changes the shared state")
{
    ProgressBar::moduleState() = {};
    Canvas canvas;
    InitMeter(canvas, 100, "lad");
    // A further progress report arrives while the update lets events run.
    canvas.duringEvents = [&] {
        InitMeter(canvas, 10, "lad");
        UpdateMeter(canvas, 10);
    };
    UpdateMeter(canvas, 50);
    // The outer update had stored its block before it let events run, so the
    // nested start and update decide the state.
    CHECK(ProgressBar::moduleState().MeterMax == 10);
    CHECK(ProgressBar::moduleState().LastDrawn == 21);
    CHECK(canvas.drawn() == [&] {
        std::vector<int> both = range(0, 10);
        for (int i : range(0, 21))
            both.push_back(i);
        return both;
    }());
}
