// Chart1 of the oscilloscope windows: stacked bands of fixed range 0..1, one
// per channel, each with a stair trace that null points break, over the
// visible window of the horizontal axis.
#pragma once

#include "core/instruments/scope_page_hold.h"

#include <QElapsedTimer>
#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int64_t ShownAxisMaximum() const;
    int XOfSample(double index, const QRect& plot) const;
    int YOfValue(float value, const QRect& band) const;
    QRect ColumnsOfNewSamples(int64_t shown, int64_t count) const;
    // Each paints only what reaches the dirty rect.
    void PaintGrid(QPainter& painter, const QRect& plot, const QRect& dirty);
    void PaintLabels(QPainter& painter, const QRect& plot);
    void PaintChannelNames(QPainter& painter, const QRect& plot);
    void PaintTrace(QPainter& painter, int channel, const QRect& dirty);

    const TScopeRecorder& FRecorder;
    QFont FLabelFont;
    // Reused by every paint, so a steady view allocates nothing.
    std::vector<QLine> FLines; // horizontal
    std::vector<QRect> FColumns;
    std::vector<QPoint> FDots;
    static constexpr int kLabelCount = 11;
    std::array<QString, kLabelCount> FLabelTexts;
    long long FLabelAxisMinimum = -1;
    TScopePageHold FPageHold;
    QElapsedTimer FClock;
    int64_t FAxisMinimum = 0;
    uint64_t FShownOtherViewChanges = UINT64_MAX; // nothing shown yet
    int64_t FShownCount = 0;
};

} // namespace kelto::gui
