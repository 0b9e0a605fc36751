// Putting re-created canvas items back where their originals stood, so the
// lists read exactly as before a deletion was taken back.
#include "core/canvas/flow_chart.h"

#include <algorithm>

namespace kelto {

void TdxFlowChart::MoveObjectBlock(int32_t first, int32_t count, int32_t to)
{
    if (count <= 0 || first < 0 || to < 0 || first + count > ObjectCount() || to + count > ObjectCount() ||
        first == to)
        return;
    ++FWiringVersion; // kept nets hold canvas positions
    const auto begin = FObjects.begin();
    if (to < first)
        std::rotate(begin + to, begin + first, begin + first + count);
    else
        std::rotate(begin + first, begin + first + count, begin + to + count);
    for (size_t i = 0; i < FObjects.size(); ++i)
        FObjects[i]->FIndex = static_cast<int32_t>(i);
}

namespace {

// The connection's entry in one end's parallel lists moves to where the
// list's order agrees with the canvas's.
void ReorderEnd(std::vector<TdxFcConnection*>& connections, std::vector<TdxFcObject*>& wired,
                TdxFcConnection* connection, const TdxFlowChart& canvas)
{
    const auto found = std::find(connections.begin(), connections.end(), connection);
    if (found == connections.end())
        return;
    const size_t at = static_cast<size_t>(found - connections.begin());
    TdxFcObject* other = at < wired.size() ? wired[at] : nullptr;
    connections.erase(found);
    if (at < wired.size())
        wired.erase(wired.begin() + static_cast<std::ptrdiff_t>(at));
    const int32_t index = canvas.IndexOfConnection(connection);
    size_t place = 0;
    while (place < connections.size() && canvas.IndexOfConnection(connections[place]) < index)
        ++place;
    connections.insert(connections.begin() + static_cast<std::ptrdiff_t>(place), connection);
    if (other != nullptr)
        wired.insert(wired.begin() + static_cast<std::ptrdiff_t>(std::min(place, wired.size())), other);
}

} // namespace

void TdxFlowChart::MoveConnection(TdxFcConnection* connection, int32_t index)
{
    const int32_t from = IndexOfConnection(connection);
    if (from < 0 || index < 0 || index >= ConnectionCount())
        return;
    ++FWiringVersion;
    const auto begin = FConnections.begin();
    if (index < from)
        std::rotate(begin + index, begin + from, begin + from + 1);
    else
        std::rotate(begin + from, begin + from + 1, begin + index + 1);
    for (size_t i = 0; i < FConnections.size(); ++i)
        FConnections[i]->FIndex = static_cast<int32_t>(i);
    for (TdxFcObject* end : {connection->FSource, connection->FTarget})
        if (end != nullptr)
            ReorderEnd(end->MadeExtras().Connections, end->MadeExtras().WiredObjects, connection, *this);
}

void TdxFcConnection::SetBendPoints(const std::vector<TPoint>& points)
{
    Invalidate();
    FBendPoints = points;
    Invalidate();
}

} // namespace kelto
