// Chart1 of the oscilloscope windows: replays the plot's display list
// (stacked bands, grid, labels, stair traces) over the visible window of
// the horizontal axis, repainting only the columns of new samples.
#pragma once

#include "gui/render/render_kit.h"

#include "core/instruments/scope_page_hold.h"
#include "core/look/display_list.h"
#include "core/look/plot_drawing.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QRect>
#include <QWidget>

#include <cstdint>

namespace kelto {
class TScopeRecorder;
}

namespace kelto::gui {

class TScopePlot final : public QWidget {
    Q_OBJECT
public:
    explicit TScopePlot(const TScopeRecorder& recorder, QWidget* parent = nullptr);

    // Where the bands lie inside the widget: left of them the channel names,
    // below them the axis labels.
    QRect PlotRect() const;
    QRect BandRect(int channel) const;
    // The first sample of the page on screen, which trails the recorder's
    // while it turns pages faster than they can be read.
    int64_t ShownAxisMinimum() const { return FAxisMinimum; }

    // Asks for a repaint of what changed since the last call: while the
    // view stays, only the columns of the samples appended since.
    void ShowRecording();

    // The whole plot as shown, for a picture file, and the kit to replay it with.
    void DrawWhole(look::TDisplayList& list) const;
    const TRenderKit& Kit() const { return FKit; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    look::TPlotLayout Layout() const;
    QRect ColumnsOfNewSamples(int64_t shown, int64_t count) const;

    const TScopeRecorder& FRecorder;
    TRenderKit FKit{false};
    QFontMetrics FMetrics;
    look::TTextWidth FTextWidth;
    // Reused by every paint, so a steady view keeps its storage.
    look::TDisplayList FList;
    TScopePageHold FPageHold;
    QElapsedTimer FClock;
    int64_t FAxisMinimum = 0;
    uint64_t FShownOtherViewChanges = UINT64_MAX; // nothing shown yet
    int64_t FShownCount = 0;
};

} // namespace kelto::gui
