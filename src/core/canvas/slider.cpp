// The slider object: a knob that moves along a connection used as its track.
#include "core/canvas/flow_chart.h"

#include <algorithm>
#include <cmath>

namespace kelto {

namespace {

struct TTrackSpot {
    double X = 0.0;
    double Y = 0.0;
    double Fraction = 0.0;
};

double Length(const TPoint& a, const TPoint& b)
{
    return std::hypot(static_cast<double>(b.X) - a.X, static_cast<double>(b.Y) - a.Y);
}

double TotalLength(const std::vector<TPoint>& points)
{
    double total = 0.0;
    for (size_t i = 1; i < points.size(); ++i)
        total += Length(points[i - 1], points[i]);
    return total;
}

TTrackSpot NearestOnPolyline(const std::vector<TPoint>& points, double x, double y, bool snapToPoints)
{
    const double total = TotalLength(points);
    TTrackSpot best{static_cast<double>(points.front().X), static_cast<double>(points.front().Y), 0.0};
    double bestDistance = std::hypot(best.X - x, best.Y - y);
    double walked = 0.0;
    for (size_t i = 1; i < points.size(); ++i) {
        const TPoint& a = points[i - 1];
        const TPoint& b = points[i];
        const double segment = Length(a, b);
        double t = 1.0;
        if (!snapToPoints && segment > 0.0)
            t = std::clamp(((x - a.X) * (b.X - a.X) + (y - a.Y) * (b.Y - a.Y)) / (segment * segment), 0.0, 1.0);
        const TTrackSpot spot{a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y),
                              total > 0.0 ? (walked + t * segment) / total : 0.0};
        const double distance = std::hypot(spot.X - x, spot.Y - y);
        if (distance < bestDistance) {
            best = spot;
            bestDistance = distance;
        }
        walked += segment;
    }
    return best;
}

TTrackSpot SpotAtFraction(const std::vector<TPoint>& points, double fraction)
{
    const double total = TotalLength(points);
    double remaining = fraction * total;
    for (size_t i = 1; i < points.size(); ++i) {
        const double segment = Length(points[i - 1], points[i]);
        if (remaining <= segment && segment > 0.0) {
            const double t = remaining / segment;
            return {points[i - 1].X + t * (points[i].X - points[i - 1].X),
                    points[i - 1].Y + t * (points[i].Y - points[i - 1].Y), fraction};
        }
        remaining -= segment;
    }
    return {static_cast<double>(points.back().X), static_cast<double>(points.back().Y), fraction};
}

} // namespace

void TdxFlowChart::MakeSlider(TdxFcObject* slider, uint8_t mode, TdxFcObject* container, TdxFcConnection* track)
{
    if (slider == nullptr)
        return;
    TdxFcObject::TExtras& extras = slider->MadeExtras();
    extras.SliderMode = mode;
    extras.SliderContainer = container;
    extras.SliderTrack = track;
    if (container != nullptr)
        container->MadeExtras().ContainedSliders.push_back(slider);
    if (track != nullptr)
        track->FSliders.push_back(slider);
}

void TdxFlowChart::PlaceSliderCentre(TdxFcObject* slider, double x, double y)
{
    const int32_t left = SaturatingAdd(std::llround(std::clamp(x, -3.0e9, 3.0e9)), -(slider->Width() / 2));
    const int32_t top = SaturatingAdd(std::llround(std::clamp(y, -3.0e9, 3.0e9)), -(slider->Height() / 2));
    slider->SetBounds(left, top, slider->Width(), slider->Height());
    if (slider->SliderContainer() != nullptr)
        slider->SliderContainer()->Invalidate();
}

void TdxFlowChart::DragSliderTo(TdxFcObject* slider, double chartX, double chartY)
{
    if (slider == nullptr || slider->SliderMode() == 0 || slider->SliderTrack() == nullptr)
        return;
    const std::vector<TPoint> points = slider->SliderTrack()->RoutePoints();
    if (points.empty())
        return;
    const TTrackSpot spot = NearestOnPolyline(points, chartX, chartY, slider->SliderMode() == 2);
    slider->MadeExtras().SliderPosition = spot.Fraction;
    PlaceSliderCentre(slider, spot.X, spot.Y);
}

void TdxFlowChart::SetSliderPosition(TdxFcObject* slider, double fraction)
{
    if (slider == nullptr || slider->SliderTrack() == nullptr)
        return;
    const std::vector<TPoint> points = slider->SliderTrack()->RoutePoints();
    if (points.empty())
        return;
    fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    const TTrackSpot spot = SpotAtFraction(points, fraction);
    slider->MadeExtras().SliderPosition = fraction;
    PlaceSliderCentre(slider, spot.X, spot.Y);
}

} // namespace kelto
