// Objects and connections: geometry, groups, routing and their repaint requests.
#include "core/canvas/flow_chart.h"

#include <algorithm>

namespace kelto {

TdxFcObject::TdxFcObject(TdxFlowChart& owner, int32_t left, int32_t top, uint16_t width, uint16_t height,
                         uint8_t shapeKind)
    : TdxFcItem(owner), FShapeKind(shapeKind), FLeft(left), FTop(top), FWidth(width), FHeight(height)
{
}

TdxFcObject::~TdxFcObject()
{
    if (FHasExtras)
        delete FSide.Extras;
}

const TdxFcObject::TExtras TdxFcObject::kNoExtras;

TdxFcObject::TExtras& TdxFcObject::MadeExtras()
{
    if (!FHasExtras) {
        auto extras = std::make_unique<TExtras>();
        if (FSide.GroupOwner != nullptr)
            extras->GroupOwners.push_back(FSide.GroupOwner);
        FSide.Extras = extras.release();
        FHasExtras = true;
    }
    return *FSide.Extras;
}

TRect TdxFcObject::Bounds() const
{
    return {FLeft, FTop, SaturatingAdd(FLeft, FWidth), SaturatingAdd(FTop, FHeight)};
}

void TdxFcObject::SetBounds(int32_t left, int32_t top, uint16_t width, uint16_t height)
{
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    Invalidate();
    for (TdxFcConnection* connection : Connections())
        connection->Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
    for (TdxFcConnection* connection : Connections())
        connection->Invalidate();
}

void TdxFcObject::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    Invalidate();
}

bool TdxFcObject::InGroupTree(const TdxFcObject* object) const
{
    for (const TdxFcObject* member : GroupMembers())
        if (member == object || member->InGroupTree(object))
            return true;
    return false;
}

void TdxFcObject::AddGroupMember(TdxFcObject* member)
{
    if (member == nullptr || member == this || InGroupTree(member) || member->InGroupTree(this))
        return;
    MadeExtras().GroupMembers.push_back(member);
    if (!member->FHasExtras && member->FSide.GroupOwner == nullptr)
        member->FSide.GroupOwner = this;
    else
        member->MadeExtras().GroupOwners.push_back(this);
}

void TdxFcObject::AddGroupMembers(const std::vector<TdxFcObject*>& members)
{
    MadeExtras().GroupMembers.reserve(GroupMembers().size() + members.size());
    for (TdxFcObject* member : members)
        AddGroupMember(member);
}

void TdxFcObject::DropGroupOwner(const TdxFcObject* owner)
{
    if (FHasExtras)
        std::erase(FSide.Extras->GroupOwners, owner);
    else if (FSide.GroupOwner == owner)
        FSide.GroupOwner = nullptr;
}

void TdxFcObject::Invalidate()
{
    FOwner.InvalidateChartRect(Bounds());
}

TdxFcConnection::TdxFcConnection(TdxFlowChart& owner, TdxFcObject* source, TdxFcObject* target)
    : TdxFcItem(owner), FSource(source), FTarget(target)
{
}

void TdxFcConnection::SetLineStyle(TLineStyle style)
{
    if (style == FLineStyle)
        return;
    Invalidate();
    FLineStyle = style;
    Invalidate();
}

void TdxFcConnection::AddPoint(TPoint point)
{
    FBendPoints.push_back(point);
    Invalidate();
}

void TdxFcConnection::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    Invalidate();
}

void TdxFcConnection::SetDrawnBehind(bool behind)
{
    FDrawnBehind = behind;
    Invalidate();
}

std::vector<TPoint> TdxFcConnection::ControlPoints() const
{
    std::vector<TPoint> points;
    points.reserve(FBendPoints.size() + 2);
    if (FSource != nullptr)
        points.push_back({FSource->Left(), FSource->Top()});
    points.insert(points.end(), FBendPoints.begin(), FBendPoints.end());
    if (FTarget != nullptr)
        points.push_back({FTarget->Left(), FTarget->Top()});
    return points;
}

std::vector<TPoint> TdxFcConnection::RoutePoints() const
{
    std::vector<TPoint> route;
    RoutePoints(route);
    return route;
}

void TdxFcConnection::RoutePoints(std::vector<TPoint>& route) const
{
    route.clear();
    const auto legTo = [this, &route](TPoint to) {
        if (!route.empty()) {
            const TPoint from = route.back();
            if (FLineStyle == TLineStyle::lsElbowHorizontal)
                route.push_back({to.X, from.Y});
            else if (FLineStyle == TLineStyle::lsElbowVertical)
                route.push_back({from.X, to.Y});
        }
        route.push_back(to);
    };
    if (FSource != nullptr)
        legTo({FSource->Left(), FSource->Top()});
    for (const TPoint& bend : FBendPoints)
        legTo(bend);
    if (FTarget != nullptr)
        legTo({FTarget->Left(), FTarget->Top()});
}

TRect TdxFcConnection::BoundingRect() const
{
    const std::vector<TPoint> route = RoutePoints();
    if (route.empty())
        return {};
    TRect rect{route.front().X, route.front().Y, route.front().X, route.front().Y};
    for (const TPoint& point : route) {
        rect.Left = std::min(rect.Left, point.X);
        rect.Top = std::min(rect.Top, point.Y);
        rect.Right = std::max(rect.Right, point.X);
        rect.Bottom = std::max(rect.Bottom, point.Y);
    }
    rect.Right = SaturatingAdd(rect.Right, 1);
    rect.Bottom = SaturatingAdd(rect.Bottom, 1);
    return rect;
}

void TdxFcConnection::Invalidate()
{
    // Routing the wire is the costly part, and only a listener looks at the rect.
    FOwner.InvalidateChartRect(FOwner.RectsWatched() ? BoundingRect() : TRect{});
}

} // namespace kelto
