// The canvas's item lists, selection, update nesting and coordinate conversion.
#include "core/canvas/flow_chart.h"

#include <algorithm>
#include <cmath>

namespace kelto {

namespace {

template <typename T>
void EraseAll(std::vector<T*>& list, const T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

int32_t RoundToInt32(double value)
{
    return SaturatingAdd(static_cast<int64_t>(std::llround(std::clamp(value, -4.0e18, 4.0e18))), 0);
}

} // namespace

TdxFlowChart::~TdxFlowChart()
{
    FListener = nullptr;
}

TdxFcObject* TdxFlowChart::CreateObject(int32_t left, int32_t top, uint16_t width, uint16_t height,
                                        uint8_t shapeKind)
{
    auto object = std::make_unique<TdxFcObject>(*this, left, top, width, height, shapeKind);
    ++FWiringVersion;
    object->FIndex = ObjectCount();
    TdxFcObject* created = object.get();
    FObjects.push_back(std::move(object));
    created->Invalidate();
    return created;
}

TdxFcConnection* TdxFlowChart::CreateConnection(TdxFcObject* source, TdxFcObject* target)
{
    auto connection = std::make_unique<TdxFcConnection>(*this, source, target);
    ++FWiringVersion;
    connection->FIndex = ConnectionCount();
    TdxFcConnection* created = connection.get();
    FConnections.push_back(std::move(connection));
    if (source != nullptr) {
        source->MadeExtras().Connections.push_back(created);
        source->MadeExtras().WiredObjects.push_back(target);
    }
    if (target != nullptr) {
        target->MadeExtras().Connections.push_back(created);
        target->MadeExtras().WiredObjects.push_back(source);
    }
    created->Invalidate();
    return created;
}

void TdxFlowChart::DetachConnection(TdxFcConnection* connection)
{
    ++FWiringVersion;
    // The two lists of an end are parallel, so both lose the same slot. The
    // search starts at the newest wire: clearing deletes newest first, and a
    // pin with thousands of wires must not cost a pass over all of them each.
    const auto detachEnd = [connection](TdxFcObject* end) {
        TdxFcObject::TExtras* extras = end == nullptr ? nullptr : end->ExtrasIfMade();
        if (extras == nullptr)
            return;
        auto& connections = extras->Connections;
        auto& wired = extras->WiredObjects;
        const auto found = std::find(connections.rbegin(), connections.rend(), connection);
        if (found == connections.rend())
            return;
        const auto at = std::distance(connections.begin(), found.base()) - 1;
        connections.erase(connections.begin() + at);
        if (static_cast<size_t>(at) < wired.size())
            wired.erase(wired.begin() + at);
    };
    detachEnd(connection->FSource);
    detachEnd(connection->FTarget);
    for (TdxFcObject* slider : connection->FSliders)
        slider->MadeExtras().SliderTrack = nullptr;
    connection->FSliders.clear();
}

void TdxFlowChart::DeleteConnection(TdxFcConnection* connection)
{
    const int32_t index = IndexOfConnection(connection);
    if (index < 0)
        return;
    connection->Invalidate();
    DetachConnection(connection);
    FConnections.erase(FConnections.begin() + index);
    for (size_t i = static_cast<size_t>(index); i < FConnections.size(); ++i)
        FConnections[i]->FIndex = static_cast<int32_t>(i);
}

void TdxFlowChart::DeleteObject(TdxFcObject* object)
{
    const int32_t index = IndexOfObject(object);
    ++FWiringVersion;
    if (index < 0)
        return;
    while (!object->Connections().empty())
        DeleteConnection(object->Connections().back());
    if (TdxFcObject* owner = object->InlineGroupOwner())
        EraseAll(owner->MadeExtras().GroupMembers, object);
    const TdxFcObject::TExtras& extras = object->Extras();
    for (TdxFcObject* owner : extras.GroupOwners)
        EraseAll(owner->MadeExtras().GroupMembers, object);
    for (TdxFcObject* member : extras.GroupMembers)
        member->DropGroupOwner(object);
    if (extras.SliderTrack != nullptr)
        EraseAll(extras.SliderTrack->FSliders, object);
    for (TdxFcObject* slider : extras.ContainedSliders)
        slider->MadeExtras().SliderContainer = nullptr;
    if (extras.SliderContainer != nullptr)
        EraseAll(extras.SliderContainer->MadeExtras().ContainedSliders, object);
    object->Invalidate();
    FObjects.erase(FObjects.begin() + index);
    for (size_t i = static_cast<size_t>(index); i < FObjects.size(); ++i)
        FObjects[i]->FIndex = static_cast<int32_t>(i);
}

TdxFcObject* TdxFlowChart::Objects(int32_t index) const
{
    if (index < 0 || index >= ObjectCount())
        return nullptr;
    return FObjects[static_cast<size_t>(index)].get();
}

TdxFcConnection* TdxFlowChart::Connections(int32_t index) const
{
    if (index < 0 || index >= ConnectionCount())
        return nullptr;
    return FConnections[static_cast<size_t>(index)].get();
}

int32_t TdxFlowChart::IndexOfConnection(const TdxFcConnection* connection) const
{
    if (connection == nullptr || &connection->FOwner != this)
        return -1;
    return connection->FIndex;
}

void TdxFlowChart::Select(TdxFcItem* item)
{
    ClearSelection();
    if (item != nullptr && !item->FSelected) {
        item->FSelected = true;
        item->Invalidate();
    }
}

void TdxFlowChart::ClearSelection()
{
    for (const auto& object : FObjects)
        if (object->FSelected) {
            object->FSelected = false;
            object->Invalidate();
        }
    for (const auto& connection : FConnections)
        if (connection->FSelected) {
            connection->FSelected = false;
            connection->Invalidate();
        }
}

int32_t TdxFlowChart::SelectedObjectCount() const
{
    return static_cast<int32_t>(
        std::count_if(FObjects.begin(), FObjects.end(), [](const auto& o) { return o->FSelected; }));
}

int32_t TdxFlowChart::SelectedConnectionCount() const
{
    return static_cast<int32_t>(
        std::count_if(FConnections.begin(), FConnections.end(), [](const auto& c) { return c->FSelected; }));
}

TdxFcObject* TdxFlowChart::SelectedObject() const
{
    if (SelectedObjectCount() != 1 || SelectedConnectionCount() != 0)
        return nullptr;
    for (const auto& object : FObjects)
        if (object->FSelected)
            return object.get();
    return nullptr;
}

TdxFcConnection* TdxFlowChart::SelectedConnection() const
{
    if (SelectedConnectionCount() != 1 || SelectedObjectCount() != 0)
        return nullptr;
    for (const auto& connection : FConnections)
        if (connection->FSelected)
            return connection.get();
    return nullptr;
}

TPoint TdxFlowChart::ClientToChart(int32_t x, int32_t y) const
{
    const auto convert = [](int64_t v, int64_t scroll) {
        return RoundToInt32(static_cast<double>((v + scroll) * 100) / kZoom);
    };
    return {convert(x, FScrollX), convert(y, FScrollY)};
}

TPoint TdxFlowChart::ChartToClient(int32_t x, int32_t y) const
{
    const auto convert = [](int64_t v, int64_t scroll) {
        return RoundToInt32(static_cast<double>(v * kZoom) / 100 - static_cast<double>(scroll));
    };
    return {convert(x, FScrollX), convert(y, FScrollY)};
}

void TdxFlowChart::SetScroll(int32_t x, int32_t y)
{
    if (x == FScrollX && y == FScrollY)
        return;
    FScrollX = x;
    FScrollY = y;
    Changed();
}

void TdxFlowChart::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TdxFlowChart::Changed()
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (FListener != nullptr)
        FListener->CanvasChanged();
}

void TdxFlowChart::InvalidateChartRect(const TRect& rect)
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (FListener != nullptr)
        FListener->CanvasInvalidated(rect);
}

void TdxFlowChart::MoveObjects(const std::vector<TdxFcObject*>& objects, int32_t dx, int32_t dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (TdxFcObject* object : objects)
        object->SetBounds(SaturatingAdd(object->Left(), dx), SaturatingAdd(object->Top(), dy), object->Width(),
                          object->Height());
    const auto moved = [&objects](const TdxFcObject* o) {
        return std::find(objects.begin(), objects.end(), o) != objects.end();
    };
    for (const auto& connection : FConnections) {
        if (connection->FBendPoints.empty() || !moved(connection->FSource) || !moved(connection->FTarget))
            continue;
        connection->Invalidate();
        for (TPoint& point : connection->FBendPoints)
            point = {SaturatingAdd(point.X, dx), SaturatingAdd(point.Y, dy)};
        connection->Invalidate();
    }
}

} // namespace kelto
