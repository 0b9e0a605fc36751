// An oscilloscope plot as a display list: the grid and its labels, and the
// stair trace at the samples' positions, as a user reads them off the plot.
#include "core/instruments/scope_recorder.h"
#include "core/look/plot_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace kelto::look {
namespace {

constexpr TArgb kLime = 0xFF00FF00;
constexpr TArgb kGridGreen = 0xFF008000;
constexpr TBox kWidget{0, 0, 420, 200};

// Six pixels a character, as a fixed-pitch face would measure.
const TTextWidth kWidth = [](std::string_view utf8) {
    return 6 * static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
};

// Channel c reads values[c][i] at tick i; a negative value reads nothing.
void Record(TScopeRecorder& scope, const std::vector<std::vector<double>>& values)
{
    scope.ButtonRunClick();
    for (size_t i = 0; i < values[0].size(); ++i) {
        std::array<TProbeReading, 4> readings{};
        for (size_t c = 0; c < values.size(); ++c)
            readings[c] = values[c][i] < 0 ? TProbeReading{4, 0.0} : TProbeReading{0, values[c][i]};
        scope.AppendReadings(std::span(readings).first(values.size()));
    }
}

TDisplayList Drawn(const TScopeRecorder& scope, const TPlotLayout& layout)
{
    TDisplayList list;
    DrawPlot(list, scope.Samples(), layout, kWidth, kWidget);
    return list;
}

bool HasLine(const TDisplayList& list, TPoint from, TPoint to, TArgb colour)
{
    return std::any_of(list.Operations.begin(), list.Operations.end(), [&](const TOperation& op) {
        const auto* line = std::get_if<TPolyline>(&op);
        return line != nullptr && line->Colour == colour && line->Points == std::vector<TPoint>{from, to};
    });
}

bool HasFill(const TDisplayList& list, const TBox& box, TArgb colour)
{
    return std::any_of(list.Operations.begin(), list.Operations.end(), [&](const TOperation& op) {
        const auto* fill = std::get_if<TRectFill>(&op);
        return fill != nullptr && fill->Colour == colour && fill->Box == box;
    });
}

std::vector<std::string> Texts(const TDisplayList& list)
{
    std::vector<std::string> texts;
    for (const TOperation& op : list.Operations)
        if (const auto* text = std::get_if<TText>(&op))
            texts.push_back(text->Utf8);
    return texts;
}

// High holds to the next sample, steps down there; a null breaks the line,
// and a value with none after it is a dot.
TEST(PlotDrawing, TraceHoldsEachValueToTheNextSampleAndNullsBreakIt)
{
    TScopeRecorder scope(1);
    Record(scope, {{1, 0, 0, -1, 1, 0.5}});
    const TPlotLayout layout(kWidget, 1, 0, 100, kWidth);
    const TDisplayList list = Drawn(scope, layout);
    EXPECT_TRUE(HasFill(list, kWidget, 0xFF000000)); // the old picture goes first
    const TBox band = layout.Band(0);
    const auto x = [&](int i) { return layout.XOfSample(i); };
    const auto y = [&](float v) { return layout.YOfValue(v, band); };
    EXPECT_TRUE(HasLine(list, {x(0), y(1)}, {x(1), y(1)}, kLime));
    EXPECT_TRUE(HasFill(list, {x(1), y(1), 1, y(0) - y(1) + 1}, kLime)) << "the step down at sample 1";
    EXPECT_TRUE(HasLine(list, {x(1), y(0)}, {x(2), y(0)}, kLime));
    EXPECT_TRUE(HasFill(list, {x(2), y(0), 1, 1}, kLime)) << "sample 2 before the null is a dot";
    EXPECT_FALSE(HasLine(list, {x(2), y(0)}, {x(3), y(0)}, kLime));
    EXPECT_TRUE(HasLine(list, {x(4), y(1)}, {x(5), y(1)}, kLime));
    EXPECT_TRUE(HasFill(list, {x(5), y(0.5f), 1, 1}, kLime)) << "the newest sample is a dot";
    EXPECT_EQ(y(1), band.Y + 1);
    EXPECT_EQ(y(0), band.Y + band.H - 2);
}

TEST(PlotDrawing, GridEveryTenSamplesIsLabelledAndStackedBandsAreNamed)
{
    TScopeRecorder scope(2);
    Record(scope, {{0.0}, {1.0}});
    const TPlotLayout layout(kWidget, 2, 0, 100, kWidth);
    const TDisplayList list = Drawn(scope, layout);
    const TBox plot = layout.Plot();
    EXPECT_EQ(plot.X, 1 + 2 * 6 + 4) << "right of the widest name, the time unit";
    for (int sample = 0; sample <= 100; sample += 10)
        EXPECT_TRUE(HasFill(list, {layout.XOfSample(sample), plot.Y, 1, plot.H}, kGridGreen)) << sample;
    for (int c = 0; c < 2; ++c)
        for (const float value : {0.0f, 0.5f, 1.0f}) {
            const int y = layout.YOfValue(value, layout.Band(c));
            EXPECT_TRUE(HasLine(list, {plot.X, y}, {plot.X + plot.W - 1, y}, kGridGreen)) << c << " " << value;
        }
    const std::vector<std::string> expected{"节拍", "0", "10", "20", "30", "40", "50", "60",
                                            "70",   "80", "90", "100", "A", "B"};
    EXPECT_EQ(Texts(list), expected);
}

} // namespace
} // namespace kelto::look
