#include "gui/instruments/scope_plot.h"

#include "core/instruments/scope_recorder.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kelto::gui {

namespace {

const QColor kBackground(0, 0, 0);
const QColor kGridGreen(0, 128, 0);
const QColor kLime(0, 255, 0);
const QColor kBandGap(32, 32, 32);
constexpr int kMargin = 1;
constexpr int kLabelGap = 2;
constexpr int kLabelFontPixels = 11;
constexpr int64_t kGridSamples = 10;
constexpr std::array<float, 3> kGridValues{0.0f, 0.5f, 1.0f};
// A band's 0 and the next band's 1 lie this share of a band apart, with a
// grey strip between, so a low level never reads as the high level of the
// channel below.
constexpr int kBandGapDivisor = 8;
const QString kTimeUnit = QStringLiteral("节拍");

// A vertical line one pixel wide, both ends included, as a filled column:
// Qt spreads a tall line's rows over its thread pool, which costs more than
// the line.
QRect Column(int x, int y1, int y2)
{
    return QRect(QPoint(x, std::min(y1, y2)), QPoint(x, std::max(y1, y2)));
}

void FillColumns(QPainter& painter, const std::vector<QRect>& columns, const QColor& colour)
{
    for (const QRect& column : columns)
        painter.fillRect(column, colour);
}

int64_t FirstGridSample(int64_t axisMinimum)
{
    const int64_t down = axisMinimum / kGridSamples * kGridSamples;
    return down < axisMinimum ? down + kGridSamples : down;
}

} // namespace

TScopePlot::TScopePlot(const TScopeRecorder& recorder, QWidget* parent) : QWidget(parent), FRecorder(recorder)
{
    setObjectName(QStringLiteral("Chart1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    FLabelFont.setPixelSize(kLabelFontPixels);
    FLabelFont.setStyleStrategy(QFont::NoAntialias);
    FClock.start();
}

QRect TScopePlot::PlotRect() const
{
    const QFontMetrics metrics(FLabelFont);
    const int labelHeight = metrics.height() + kLabelGap;
    const int nameWidth = metrics.horizontalAdvance(kTimeUnit) + 2 * kLabelGap;
    return rect().adjusted(kMargin + nameWidth, kMargin, -kMargin, -kMargin - labelHeight);
}

int64_t TScopePlot::ShownAxisMaximum() const
{
    return FAxisMinimum + (FRecorder.AxisMaximum() - FRecorder.AxisMinimum());
}

QRect TScopePlot::BandRect(int channel) const
{
    const QRect plot = PlotRect();
    const int count = FRecorder.ChannelCount();
    const int top = plot.top() + plot.height() * channel / count;
    const int bottom = plot.top() + plot.height() * (channel + 1) / count;
    return QRect(plot.left(), top, plot.width(), bottom - top);
}

int TScopePlot::XOfSample(double index, const QRect& plot) const
{
    const double minimum = static_cast<double>(FAxisMinimum);
    const double width = static_cast<double>(ShownAxisMaximum() - FAxisMinimum);
    return plot.left() + static_cast<int>(std::lround((index - minimum) * (plot.width() - 1) / width));
}

// The range 0..1 sits one pixel inside a lone band, further inside stacked ones.
int TScopePlot::YOfValue(float value, const QRect& band) const
{
    const int inset = FRecorder.ChannelCount() > 1 ? std::max(1, band.height() / kBandGapDivisor) : 1;
    const int top = band.top() + inset;
    const int bottom = band.bottom() - inset;
    return bottom - static_cast<int>(std::lround(static_cast<double>(value) * (bottom - top)));
}

// The columns the samples appended since `shown` samples draw in. The newest
// shown so far turns from a dot into a step whose first pixel is that dot, so
// its own column stays and the repaint starts right after it: a repaint that
// touches nothing painted since the last one needs no wait for the display.
QRect TScopePlot::ColumnsOfNewSamples(int64_t shown, int64_t count) const
{
    const QRect plot = PlotRect();
    const int left = std::min(XOfSample(static_cast<double>(shown - 1), plot) + 1,
                              XOfSample(static_cast<double>(shown), plot));
    const int right = XOfSample(static_cast<double>(count - 1), plot);
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

void TScopePlot::paintEvent(QPaintEvent* event)
{
    const QRect dirty = event->rect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(dirty, kBackground);
    const QRect plot = PlotRect();
    if (plot.width() < 2 || plot.height() < FRecorder.ChannelCount())
        return;
    PaintGrid(painter, plot, dirty);
    if (dirty.bottom() > plot.bottom())
        PaintLabels(painter, plot);
    if (dirty.left() < plot.left())
        PaintChannelNames(painter, plot);
    for (int c = 0; c < FRecorder.ChannelCount(); ++c)
        PaintTrace(painter, c, dirty);
}

void TScopePlot::PaintGrid(QPainter& painter, const QRect& plot, const QRect& dirty)
{
    FLines.clear();
    FColumns.clear();
    for (int64_t x = FirstGridSample(FAxisMinimum); x <= ShownAxisMaximum();
         x += kGridSamples) {
        const int px = XOfSample(static_cast<double>(x), plot);
        if (px >= dirty.left() && px <= dirty.right())
            FColumns.push_back(Column(px, plot.top(), plot.bottom()));
    }
    for (int c = 0; c < FRecorder.ChannelCount(); ++c) {
        const QRect band = BandRect(c);
        if (FRecorder.ChannelCount() > 1) {
            const int high = YOfValue(1.0f, band);
            const int low = YOfValue(0.0f, band);
            painter.fillRect(QRect(plot.left(), band.top(), plot.width(), high - band.top()).intersected(dirty),
                             kBandGap);
            painter.fillRect(QRect(plot.left(), low + 1, plot.width(), band.bottom() - low).intersected(dirty),
                             kBandGap);
        }
        for (float value : kGridValues) {
            const int py = YOfValue(value, band);
            FLines.emplace_back(plot.left(), py, plot.right(), py);
        }
    }
    painter.setPen(QPen(kGridGreen, 0));
    painter.drawLines(FLines.data(), static_cast<int>(FLines.size()));
    FillColumns(painter, FColumns, kGridGreen);
}

// The unit sits under the channel names; a label that would run into the
// one before it is left out.
void TScopePlot::PaintLabels(QPainter& painter, const QRect& plot)
{
    const int64_t first = FirstGridSample(FAxisMinimum);
    if (FLabelAxisMinimum != FAxisMinimum) {
        for (int k = 0; k < kLabelCount; ++k)
            FLabelTexts[static_cast<size_t>(k)] = QString::number(first + k * kGridSamples);
        FLabelAxisMinimum = FAxisMinimum;
    }
    painter.setFont(FLabelFont);
    painter.setPen(kLime);
    const QFontMetrics metrics(FLabelFont);
    const int top = plot.bottom() + kLabelGap;
    painter.drawText(QRect(rect().left(), top, plot.left() - rect().left(), metrics.height()), Qt::AlignCenter,
                     kTimeUnit);
    int freeFrom = plot.left();
    for (int k = 0; k < kLabelCount; ++k) {
        const int64_t x = first + k * kGridSamples;
        if (x > ShownAxisMaximum())
            break;
        const QString& text = FLabelTexts[static_cast<size_t>(k)];
        const int width = metrics.horizontalAdvance(text);
        const int left = std::clamp(XOfSample(static_cast<double>(x), plot) - width / 2, plot.left(),
                                    rect().right() + 1 - width);
        if (left < freeFrom)
            continue;
        painter.drawText(QRect(left, top, width, metrics.height()), Qt::AlignLeft | Qt::AlignTop, text);
        freeFrom = left + width + metrics.horizontalAdvance(QLatin1Char(' '));
    }
}

// A lone band needs no name.
void TScopePlot::PaintChannelNames(QPainter& painter, const QRect& plot)
{
    if (FRecorder.ChannelCount() < 2)
        return;
    painter.setFont(FLabelFont);
    painter.setPen(kLime);
    for (int c = 0; c < FRecorder.ChannelCount(); ++c) {
        const QRect band = BandRect(c);
        painter.drawText(QRect(rect().left(), band.top(), plot.left() - rect().left(), band.height()),
                         Qt::AlignCenter, QString(QChar('A' + c)));
    }
}

// Each value holds until the next sample's x, where the line steps to the
// next value. No line runs into or out of a null point; a value with no
// value after it (the newest sample, or one before a null) shows as a dot.
void TScopePlot::PaintTrace(QPainter& painter, int channel, const QRect& dirty)
{
    const TScopeSamples& samples = FRecorder.Samples();
    const QRect plot = PlotRect();
    const QRect band = BandRect(channel);
    const int64_t first = std::max<int64_t>(0, FAxisMinimum - 1);
    const int64_t last = std::min(samples.Count() - 1, ShownAxisMaximum());
    FLines.clear();
    FColumns.clear();
    FDots.clear();
    TScopePoint point = samples.Point(channel, first);
    for (int64_t i = first; i <= last; ++i) {
        const TScopePoint next = samples.Point(channel, i + 1);
        const int x = XOfSample(static_cast<double>(i), plot);
        if (!point.Null && x <= dirty.right()) {
            const int y = YOfValue(point.Y, band);
            if (next.Null) {
                if (x >= dirty.left())
                    FDots.emplace_back(x, y);
            } else {
                const int nextX = XOfSample(static_cast<double>(i + 1), plot);
                if (nextX >= dirty.left()) {
                    const int nextY = YOfValue(next.Y, band);
                    FLines.emplace_back(x, y, nextX, y);
                    FColumns.push_back(Column(nextX, y, nextY));
                }
            }
        }
        point = next;
    }
    painter.setClipRect(band.intersected(plot));
    painter.setPen(QPen(kLime, 0));
    painter.drawLines(FLines.data(), static_cast<int>(FLines.size()));
    FillColumns(painter, FColumns, kLime);
    painter.drawPoints(FDots.data(), static_cast<int>(FDots.size()));
    painter.setClipping(false);
}

} // namespace kelto::gui
