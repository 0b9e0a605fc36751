// Capturing canvas edits and taking them back or making them again.
#include "core/board/edit_history.h"

#include <algorithm>

namespace kelto {

namespace {

void CollectTree(TdxFcObject* object, std::vector<TdxFcObject*>& list)
{
    if (std::find(list.begin(), list.end(), object) != list.end())
        return;
    list.push_back(object);
    for (TdxFcObject* member : object->GroupMembers())
        CollectTree(member, list);
}

// Every canvas object of a part hangs in its body's group tree.
std::vector<TdxFcObject*> PartObjects(const TSimuPart& part)
{
    std::vector<TdxFcObject*> objects;
    CollectTree(part.FBody, objects);
    return objects;
}

bool Contains(const std::vector<TdxFcObject*>& list, const TdxFcObject* object)
{
    return std::find(list.begin(), list.end(), object) != list.end();
}

// The part's inner connections, in canvas order.
std::vector<TdxFcConnection*> OwnConnections(const TdxFlowChart& canvas,
                                             const std::vector<TdxFcObject*>& objects)
{
    std::vector<TdxFcConnection*> own;
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        TdxFcConnection* connection = canvas.Connections(i);
        const TdxFcObject* source = connection->SourceObject();
        const TdxFcObject* target = connection->TargetObject();
        // A wire joins two pins, even two of one part; re-creating the part
        // re-creates only its inner connections (a track).
        const bool wire = source != nullptr && source->UserData != nullptr && target != nullptr &&
                          target->UserData != nullptr;
        if (!wire && Contains(objects, source) && Contains(objects, target))
            own.push_back(connection);
    }
    return own;
}

void RemovePart(TSimuBoard& board, const TPartShape& shape)
{
    board.DeletePart(board.Part(shape.Index));
}

void RemoveWire(TSimuBoard& board, const TWireShape& shape)
{
    board.Canvas().DeleteConnection(board.Canvas().Connections(shape.Index));
}

void SetStyle(TSimuBoard& board, int32_t index, TLineStyle style)
{
    if (TdxFcConnection* wire = board.Canvas().Connections(index))
        wire->SetLineStyle(style);
}

// An object the user has moved on since (a wiper) keeps that movement. Pin
// objects, made and left behind as wires come and go, are not recorded:
// they follow their bodies.
void MoveObjects(TSimuBoard& board, const std::vector<TMovedObject>& moved, bool back)
{
    for (const TMovedObject& m : moved) {
        TdxFcObject* object = board.Canvas().Objects(m.Index);
        if (object == nullptr)
            continue;
        const TPoint from = back ? m.To : m.From;
        const TPoint to = back ? m.From : m.To;
        const TPoint at{object->Left(), object->Top()};
        const TPoint target = at == from ? to
                                         : TPoint{SaturatingAdd(at.X, int64_t{to.X} - from.X),
                                                  SaturatingAdd(at.Y, int64_t{to.Y} - from.Y)};
        object->SetBounds(target.X, target.Y, object->Width(), object->Height());
        if (const TSimuPart* part = board.PartOfBody(object))
            for (int32_t i = 0; i < part->PinCount(); ++i)
                if (TdxFcObject* pin = part->MadePin(i))
                    pin->SetBounds(part->PinPoint(i).X, part->PinPoint(i).Y, pin->Width(), pin->Height());
    }
}

void MoveBends(TSimuBoard& board, const std::vector<TMovedBends>& moved, bool back)
{
    for (const TMovedBends& m : moved)
        if (TdxFcConnection* connection = board.Canvas().Connections(m.Index))
            connection->SetBendPoints(back ? m.From : m.To);
}

} // namespace

TWireShape CaptureWire(const TSimuBoard& board, const TdxFcConnection& wire)
{
    return {board.Canvas().IndexOfConnection(&wire), board.LocatePin(wire.SourceObject()),
            board.LocatePin(wire.TargetObject()), wire.LineStyle(), wire.BendPoints()};
}

TPartShape CapturePart(const TSimuBoard& board, const TSimuPart& part)
{
    TPartShape shape;
    shape.Index = board.IndexOfPart(&part);
    const TPaletteItem* item = PaletteItemForPart(part.FOwnerType, part.FName);
    shape.Item = item != nullptr ? item->Item : 0;
    shape.HoldsSlot = item != nullptr && board.Slot(item->Item) == &part;
    shape.Left = part.FBody->Left();
    shape.Top = part.FBody->Top();
    const TdxFlowChart& canvas = board.Canvas();
    const std::vector<TdxFcObject*> objects = PartObjects(part);
    int32_t first = canvas.ObjectCount();
    int32_t last = -1;
    int32_t count = 0;
    // Pin objects are made when wires need them, wherever the list then
    // ends; the rest of a part's objects are made together and put back
    // together, so they stay one block.
    for (const TdxFcObject* object : objects)
        if (object->UserData == nullptr) {
            first = std::min(first, canvas.IndexOfObject(object));
            last = std::max(last, canvas.IndexOfObject(object));
            ++count;
        }
    if (last - first + 1 == count) {
        shape.FirstObject = first;
        shape.ObjectCount = count;
    }
    const std::vector<TdxFcConnection*> own = OwnConnections(canvas, objects);
    for (const TdxFcConnection* connection : own)
        shape.OwnConnections.push_back(canvas.IndexOfConnection(connection));
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        const TdxFcConnection* connection = canvas.Connections(i);
        const bool touches =
            Contains(objects, connection->SourceObject()) || Contains(objects, connection->TargetObject());
        if (touches && std::find(own.begin(), own.end(), connection) == own.end())
            shape.Wires.push_back(CaptureWire(board, *connection));
    }
    return shape;
}

void RestoreWire(TSimuBoard& board, const TWireShape& shape)
{
    TdxFcObject* source = board.PinByIndex(shape.Source.Part, shape.Source.Pin);
    TdxFcObject* target = board.PinByIndex(shape.Target.Part, shape.Target.Pin);
    if (source == nullptr || target == nullptr)
        return;
    TdxFlowChart& canvas = board.Canvas();
    TdxFcConnection* wire = canvas.CreateConnection(source, target);
    wire->SetLineStyle(shape.Style);
    wire->SetBendPoints(shape.Bends);
    canvas.MoveConnection(wire, shape.Index);
}

void RestorePart(TSimuBoard& board, const TPartShape& shape)
{
    const TPaletteItem* item = PaletteItem(shape.Item);
    if (item == nullptr)
        return;
    TdxFlowChart& canvas = board.Canvas();
    TSimuPart* part = board.InsertPart(shape.Index, *item, shape.HoldsSlot);
    board.MovePartTo(part->FBody, shape.Left, shape.Top);
    if (shape.FirstObject >= 0)
        canvas.MoveObjectBlock(canvas.ObjectCount() - shape.ObjectCount, shape.ObjectCount,
                               shape.FirstObject);
    const std::vector<TdxFcConnection*> own = OwnConnections(canvas, PartObjects(*part));
    // Everything put back in rising order of its old position lands there.
    struct TPlacement {
        int32_t Index;
        TdxFcConnection* Own;
        const TWireShape* Wire;
    };
    std::vector<TPlacement> placements;
    for (size_t i = 0; i < own.size() && i < shape.OwnConnections.size(); ++i)
        placements.push_back({shape.OwnConnections[i], own[i], nullptr});
    for (const TWireShape& wire : shape.Wires)
        placements.push_back({wire.Index, nullptr, &wire});
    std::sort(placements.begin(), placements.end(),
              [](const TPlacement& a, const TPlacement& b) { return a.Index < b.Index; });
    for (const TPlacement& placement : placements)
        if (placement.Own != nullptr)
            canvas.MoveConnection(placement.Own, placement.Index);
        else
            RestoreWire(board, *placement.Wire);
}

TCanvasGeometry CaptureGeometry(const TdxFlowChart& canvas)
{
    TCanvasGeometry geometry;
    for (int32_t i = 0; i < canvas.ObjectCount(); ++i)
        geometry.Objects.push_back({canvas.Objects(i)->Left(), canvas.Objects(i)->Top()});
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i)
        geometry.Bends.push_back(canvas.Connections(i)->BendPoints());
    return geometry;
}

std::optional<TCanvasEdit> MoveEdit(const TCanvasGeometry& before, const TdxFlowChart& canvas)
{
    const TCanvasGeometry after = CaptureGeometry(canvas);
    if (after.Objects.size() != before.Objects.size() || after.Bends.size() != before.Bends.size())
        return std::nullopt;
    TCanvasEdit edit;
    edit.Kind = TEditKind::Move;
    for (size_t i = 0; i < after.Objects.size(); ++i)
        if (!(after.Objects[i] == before.Objects[i]) && canvas.Objects(static_cast<int32_t>(i))->UserData == nullptr)
            edit.Objects.push_back({static_cast<int32_t>(i), before.Objects[i], after.Objects[i]});
    for (size_t i = 0; i < after.Bends.size(); ++i)
        if (after.Bends[i] != before.Bends[i])
            edit.Bends.push_back({static_cast<int32_t>(i), before.Bends[i], after.Bends[i]});
    if (edit.Objects.empty() && edit.Bends.empty())
        return std::nullopt;
    return edit;
}

void UndoEdit(TSimuBoard& board, const TCanvasEdit& edit)
{
    switch (edit.Kind) {
    case TEditKind::PlacePart: RemovePart(board, edit.Part); return;
    case TEditKind::DeletePart: RestorePart(board, edit.Part); return;
    case TEditKind::AddWire: RemoveWire(board, edit.Wire); return;
    case TEditKind::DeleteWire: RestoreWire(board, edit.Wire); return;
    case TEditKind::WireStyle: SetStyle(board, edit.Wire.Index, edit.OldStyle); return;
    case TEditKind::Move:
        MoveObjects(board, edit.Objects, true);
        MoveBends(board, edit.Bends, true);
        return;
    }
}

void RedoEdit(TSimuBoard& board, const TCanvasEdit& edit)
{
    switch (edit.Kind) {
    case TEditKind::PlacePart: RestorePart(board, edit.Part); return;
    case TEditKind::DeletePart: RemovePart(board, edit.Part); return;
    case TEditKind::AddWire: RestoreWire(board, edit.Wire); return;
    case TEditKind::DeleteWire: RemoveWire(board, edit.Wire); return;
    case TEditKind::WireStyle: SetStyle(board, edit.Wire.Index, edit.NewStyle); return;
    case TEditKind::Move:
        MoveObjects(board, edit.Objects, false);
        MoveBends(board, edit.Bends, false);
        return;
    }
}

} // namespace kelto
