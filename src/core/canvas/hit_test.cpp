// Which object or wire lies under a client point.
#include "core/canvas/flow_chart.h"

namespace kelto {

namespace {

constexpr double kWireTolerance = 2.0;

bool Contains(const TRect& r, int32_t x, int32_t y, int32_t grow)
{
    return int64_t{x} >= int64_t{r.Left} - grow && int64_t{x} < int64_t{r.Right} + grow &&
           int64_t{y} >= int64_t{r.Top} - grow && int64_t{y} < int64_t{r.Bottom} + grow;
}

} // namespace

THitResult TdxFlowChart::HitObjects(int32_t x, int32_t y) const
{
    THitResult result;
    for (auto it = FObjects.rbegin(); it != FObjects.rend(); ++it) {
        const TdxFcObject& object = **it;
        if (!object.Visible())
            continue;
        const TRect r = object.Bounds();
        if (Contains(r, x, y, 0)) {
            result.Object = const_cast<TdxFcObject*>(&object);
            result.Flags = OnObjectFlag;
            if (object.SliderMode() != 0)
                result.Flags |= OnSliderFlag;
            return result;
        }
        if (result.Object == nullptr && Contains(r, x, y, 1)) {
            result.Object = const_cast<TdxFcObject*>(&object);
            result.Flags = NearObjectFlag;
        }
    }
    return result;
}

TdxFcConnection* TdxFlowChart::HitConnections(int32_t x, int32_t y) const
{
    for (auto it = FConnections.rbegin(); it != FConnections.rend(); ++it) {
        const TdxFcConnection& connection = **it;
        if (!Contains(connection.BoundingRect(), x, y, 1))
            continue;
        const std::vector<TPoint> route = connection.RoutePoints();
        for (size_t i = 1; i < route.size(); ++i) {
            const double d = SegmentDistanceSquared(x, y, route[i - 1].X, route[i - 1].Y, route[i].X, route[i].Y);
            if (d <= kWireTolerance * kWireTolerance)
                return const_cast<TdxFcConnection*>(&connection);
        }
    }
    return nullptr;
}

// Objects and connections are searched in chart units; zoom stays at 100, so
// a client point differs from a chart point only by the scroll offset.
THitResult TdxFlowChart::HitTest(int32_t clientX, int32_t clientY) const
{
    const TPoint p = ClientToChart(clientX, clientY);
    THitResult result = HitObjects(p.X, p.Y);
    if (TdxFcConnection* wire = HitConnections(p.X, p.Y)) {
        result.Connection = wire;
        result.Flags |= OnWireFlag;
        if (result.Flags & OnObjectFlag) {
            if (wire->DrawnBehind()) {
                result.Flags &= ~static_cast<uint32_t>(OnWireFlag);
                result.Connection = nullptr;
            } else {
                result.Flags &= ~static_cast<uint32_t>(OnObjectFlag);
            }
        }
    }
    return result;
}

} // namespace kelto
