#include "core/look/plot_drawing.h"

#include "core/instruments/scope_samples.h"
#include "core/look/colours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace kelto::look {

namespace {

constexpr TArgb kBackground = 0xFF000000;
constexpr TArgb kGridGreen = 0xFF008000;
constexpr TArgb kBandGap = 0xFF202020;
constexpr int kMargin = 1;
constexpr int kLabelGap = 2;
constexpr int64_t kGridSamples = 10;
constexpr int kLabelCount = 11;
constexpr std::array<float, 3> kGridValues{0.0f, 0.5f, 1.0f};
// A band's 0 and the next band's 1 lie this share of a band apart, with a
// grey strip between, so a low level never reads as the high level of the
// channel below.
constexpr int kBandGapDivisor = 8;
constexpr std::string_view kTimeUnit = "节拍";

int LineHeight()
{
    return FaceSpec(TFace::Plot).LineHeight;
}

// Last pixel inside, as the plot's arithmetic counts.
int Right(const TBox& b)
{
    return b.X + b.W - 1;
}

int Bottom(const TBox& b)
{
    return b.Y + b.H - 1;
}

TBox Intersected(const TBox& a, const TBox& b)
{
    const int left = std::max(a.X, b.X);
    const int top = std::max(a.Y, b.Y);
    const int right = std::min(Right(a), Right(b));
    const int bottom = std::min(Bottom(a), Bottom(b));
    return {left, top, std::max(0, right - left + 1), std::max(0, bottom - top + 1)};
}

int64_t FirstGridSample(int64_t axisMinimum)
{
    const int64_t down = axisMinimum / kGridSamples * kGridSamples;
    return down < axisMinimum ? down + kGridSamples : down;
}

// The thinnest line at any scale, as the plot always drew.
void HairLine(TDisplayList& list, int x1, int y1, int x2, int y2, TArgb colour)
{
    list.Operations.emplace_back(TPolyline{{{x1, y1}, {x2, y2}}, colour, 0});
}

void Fill(TDisplayList& list, const TBox& box, TArgb colour)
{
    if (box.W > 0 && box.H > 0)
        list.Operations.emplace_back(TRectFill{box, colour});
}

// A one-pixel column, both ends included.
TBox Column(int x, int y1, int y2)
{
    return {x, std::min(y1, y2), 1, std::abs(y2 - y1) + 1};
}

// Half a pixel left over goes left and down, as the window's text placement
// rounds it.
void CentredText(TDisplayList& list, const TBox& r, std::string text, const TTextWidth& textWidth)
{
    const int left = r.X + static_cast<int>(std::floor((r.W - textWidth(text)) / 2.0));
    const int top = r.Y + static_cast<int>(std::floor((r.H - LineHeight()) / 2.0 + 0.5));
    list.Operations.emplace_back(TText{{left, top}, std::move(text), TFace::Plot, ClrTrace});
}

void DrawGrid(TDisplayList& list, const TPlotLayout& layout, const TBox& dirty)
{
    const TBox& plot = layout.Plot();
    for (int c = 0; c < layout.Channels() && layout.Channels() > 1; ++c) {
        const TBox band = layout.Band(c);
        const int high = layout.YOfValue(1.0f, band);
        const int low = layout.YOfValue(0.0f, band);
        Fill(list, Intersected({plot.X, band.Y, plot.W, high - band.Y}, dirty), kBandGap);
        Fill(list, Intersected({plot.X, low + 1, plot.W, Bottom(band) - low}, dirty), kBandGap);
    }
    for (int c = 0; c < layout.Channels(); ++c)
        for (const float value : kGridValues) {
            const int y = layout.YOfValue(value, layout.Band(c));
            HairLine(list, plot.X, y, Right(plot), y, kGridGreen);
        }
    for (int64_t x = FirstGridSample(layout.AxisMinimum()); x <= layout.AxisMaximum(); x += kGridSamples) {
        const int px = layout.XOfSample(static_cast<double>(x));
        if (px >= dirty.X && px <= Right(dirty))
            Fill(list, Column(px, plot.Y, Bottom(plot)), kGridGreen);
    }
}

// The unit sits under the channel names; a label that would run into the
// one before it is left out.
void DrawLabels(TDisplayList& list, const TPlotLayout& layout, const TTextWidth& textWidth)
{
    const TBox& plot = layout.Plot();
    const TBox& widget = layout.Widget();
    const int top = Bottom(plot) + kLabelGap;
    CentredText(list, {widget.X, top, plot.X - widget.X, LineHeight()}, std::string(kTimeUnit), textWidth);
    const int64_t first = FirstGridSample(layout.AxisMinimum());
    const int space = textWidth(" ");
    int freeFrom = plot.X;
    for (int k = 0; k < kLabelCount; ++k) {
        const int64_t x = first + k * kGridSamples;
        if (x > layout.AxisMaximum())
            break;
        std::string text = std::to_string(x);
        const int width = textWidth(text);
        const int left =
            std::clamp(layout.XOfSample(static_cast<double>(x)) - width / 2, plot.X, Right(widget) + 1 - width);
        if (left < freeFrom)
            continue;
        list.Operations.emplace_back(TText{{left, top}, std::move(text), TFace::Plot, ClrTrace});
        freeFrom = left + width + space;
    }
}

// A lone band needs no name.
void DrawChannelNames(TDisplayList& list, const TPlotLayout& layout, const TTextWidth& textWidth)
{
    if (layout.Channels() < 2)
        return;
    const TBox& widget = layout.Widget();
    for (int c = 0; c < layout.Channels(); ++c) {
        const TBox band = layout.Band(c);
        CentredText(list, {widget.X, band.Y, layout.Plot().X - widget.X, band.H}, std::string(1, char('A' + c)),
                    textWidth);
    }
}

// Each value holds until the next sample's x, where the line steps to the
// next value. No line runs into or out of a null point; a value with no
// value after it (the newest sample, or one before a null) shows as a dot.
// Everything stays inside the channel's band.
void DrawTrace(TDisplayList& list, const TScopeSamples& samples, const TPlotLayout& layout, int channel,
               const TBox& dirty)
{
    const TBox band = layout.Band(channel);
    const TBox clip = Intersected(band, layout.Plot());
    const int64_t first = std::max<int64_t>(0, layout.AxisMinimum() - 1);
    const int64_t last = std::min(samples.Count() - 1, layout.AxisMaximum());
    TScopePoint point = samples.Point(channel, first);
    for (int64_t i = first; i <= last; ++i) {
        const TScopePoint next = samples.Point(channel, i + 1);
        const int x = layout.XOfSample(static_cast<double>(i));
        if (!point.Null && x <= Right(dirty)) {
            const int y = layout.YOfValue(point.Y, band);
            if (next.Null) {
                if (x >= dirty.X)
                    Fill(list, Intersected({x, y, 1, 1}, clip), ClrTrace);
            } else if (const int nextX = layout.XOfSample(static_cast<double>(i + 1)); nextX >= dirty.X) {
                const int left = std::max(x, clip.X);
                const int right = std::min(nextX, Right(clip));
                if (y >= clip.Y && y <= Bottom(clip) && left <= right)
                    HairLine(list, left, y, right, y, ClrTrace);
                Fill(list, Intersected(Column(nextX, y, layout.YOfValue(next.Y, band)), clip), ClrTrace);
            }
        }
        point = next;
    }
}

} // namespace

TPlotLayout::TPlotLayout(const TBox& widget, int channels, int64_t axisMinimum, int64_t axisMaximum,
                         const TTextWidth& textWidth)
    : FWidget(widget), FChannels(std::max(channels, 1)), FAxisMinimum(axisMinimum), FAxisMaximum(axisMaximum)
{
    const int labelHeight = LineHeight() + kLabelGap;
    const int nameWidth = textWidth(kTimeUnit) + 2 * kLabelGap;
    FPlot = {widget.X + kMargin + nameWidth, widget.Y + kMargin, widget.W - 2 * kMargin - nameWidth,
             widget.H - 2 * kMargin - labelHeight};
}

TBox TPlotLayout::Band(int channel) const
{
    const int top = FPlot.Y + FPlot.H * channel / FChannels;
    const int bottom = FPlot.Y + FPlot.H * (channel + 1) / FChannels;
    return {FPlot.X, top, FPlot.W, bottom - top};
}

int TPlotLayout::XOfSample(double index) const
{
    const double minimum = static_cast<double>(FAxisMinimum);
    const double width = static_cast<double>(FAxisMaximum - FAxisMinimum);
    return FPlot.X + static_cast<int>(std::lround((index - minimum) * (FPlot.W - 1) / width));
}

// The range 0..1 sits one pixel inside a lone band, further inside stacked ones.
int TPlotLayout::YOfValue(float value, const TBox& band) const
{
    const int inset = FChannels > 1 ? std::max(1, band.H / kBandGapDivisor) : 1;
    const int top = band.Y + inset;
    const int bottom = Bottom(band) - inset;
    return bottom - static_cast<int>(std::lround(static_cast<double>(value) * (bottom - top)));
}

bool TPlotLayout::Empty() const
{
    return FPlot.W < 2 || FPlot.H < FChannels || FAxisMaximum <= FAxisMinimum;
}

void DrawPlot(TDisplayList& list, const TScopeSamples& samples, const TPlotLayout& layout,
              const TTextWidth& textWidth, const TBox& dirty)
{
    Fill(list, dirty, kBackground);
    if (layout.Empty())
        return;
    DrawGrid(list, layout, dirty);
    if (Bottom(dirty) > Bottom(layout.Plot()))
        DrawLabels(list, layout, textWidth);
    if (dirty.X < layout.Plot().X)
        DrawChannelNames(list, layout, textWidth);
    for (int c = 0; c < layout.Channels(); ++c)
        DrawTrace(list, samples, layout, c, dirty);
}

} // namespace kelto::look
