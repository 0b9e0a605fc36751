// An oscilloscope plot as a display list: stacked bands of fixed range 0..1,
// one per channel, the grid every ten samples with its labels, and each
// channel's stair trace, which null points break.
#pragma once

#include "core/look/display_list.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace kelto {
class TScopeSamples;
}

namespace kelto::look {

// How wide the plot face draws a text, in pixels: the surface measures.
using TTextWidth = std::function<int(std::string_view utf8)>;

// Where the parts of a plot of a given size lie, showing the samples from
// AxisMinimum to AxisMaximum.
class TPlotLayout {
public:
    TPlotLayout(const TBox& widget, int channels, int64_t axisMinimum, int64_t axisMaximum,
                const TTextWidth& textWidth);

    const TBox& Widget() const { return FWidget; }
    // Left of it the channel names, below it the axis labels.
    const TBox& Plot() const { return FPlot; }
    TBox Band(int channel) const;
    int Channels() const { return FChannels; }
    int64_t AxisMinimum() const { return FAxisMinimum; }
    int64_t AxisMaximum() const { return FAxisMaximum; }
    int XOfSample(double index) const;
    int YOfValue(float value, const TBox& band) const;
    // Too small to draw anything but the background.
    bool Empty() const;

private:
    TBox FWidget;
    TBox FPlot;
    int FChannels;
    int64_t FAxisMinimum;
    int64_t FAxisMaximum;
};

// Draws what reaches `dirty`; the whole widget for a picture.
void DrawPlot(TDisplayList& list, const TScopeSamples& samples, const TPlotLayout& layout,
              const TTextWidth& textWidth, const TBox& dirty);

} // namespace kelto::look
