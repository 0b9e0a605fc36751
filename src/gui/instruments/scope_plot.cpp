#include "gui/instruments/scope_plot.h"

#include "gui/render/painter_surface.h"

#include "core/instruments/scope_recorder.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace kelto::gui {

namespace {

QRect ToQRect(const look::TBox& box)
{
    return {box.X, box.Y, box.W, box.H};
}

look::TBox ToBox(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

TScopePlot::TScopePlot(const TScopeRecorder& recorder, QWidget* parent)
    : QWidget(parent), FRecorder(recorder), FMetrics(FKit.Font(look::TFace::Plot)),
      FTextWidth([this](std::string_view utf8) {
          return FMetrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
      })
{
    setObjectName(QStringLiteral("Chart1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    FClock.start();
}

look::TPlotLayout TScopePlot::Layout() const
{
    return look::TPlotLayout(ToBox(rect()), FRecorder.ChannelCount(), FAxisMinimum,
                             FAxisMinimum + (FRecorder.AxisMaximum() - FRecorder.AxisMinimum()), FTextWidth);
}

QRect TScopePlot::PlotRect() const
{
    return ToQRect(Layout().Plot());
}

QRect TScopePlot::BandRect(int channel) const
{
    return ToQRect(Layout().Band(channel));
}

// The columns the samples appended since `shown` samples draw in. The newest
// shown so far turns from a dot into a step whose first pixel is that dot, so
// its own column stays and the repaint starts right after it: a repaint that
// touches nothing painted since the last one needs no wait for the display.
QRect TScopePlot::ColumnsOfNewSamples(int64_t shown, int64_t count) const
{
    const look::TPlotLayout layout = Layout();
    const QRect plot = ToQRect(layout.Plot());
    const int left = std::min(layout.XOfSample(static_cast<double>(shown - 1)) + 1,
                              layout.XOfSample(static_cast<double>(shown)));
    const int right = layout.XOfSample(static_cast<double>(count - 1));
    return QRect(QPoint(left, plot.top()), QPoint(right, plot.bottom())).intersected(plot);
}

// Samples arrive every tick but the page stays for a hundred of them: a
// repaint of only their columns keeps the plot cheap while it records.
void TScopePlot::ShowRecording()
{
    const int64_t count = FRecorder.Samples().Count();
    const int64_t axisMinimum = FPageHold.ShownMinimum(FRecorder, FClock.elapsed());
    const uint64_t otherViewChanges = FRecorder.ViewVersion() - FRecorder.PageTurns();
    if (axisMinimum != FAxisMinimum || otherViewChanges != FShownOtherViewChanges || count < FShownCount) {
        FAxisMinimum = axisMinimum;
        update();
    } else if (count > FShownCount) {
        update(ColumnsOfNewSamples(FShownCount, count));
    }
    FShownOtherViewChanges = otherViewChanges;
    FShownCount = count;
}

void TScopePlot::DrawWhole(look::TDisplayList& list) const
{
    look::DrawPlot(list, FRecorder.Samples(), Layout(), FTextWidth, ToBox(rect()));
}

void TScopePlot::paintEvent(QPaintEvent* event)
{
    FList.Operations.clear();
    look::DrawPlot(FList, FRecorder.Samples(), Layout(), FTextWidth, ToBox(event->rect()));
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    Replay(painter, FKit, FList);
}

} // namespace kelto::gui
