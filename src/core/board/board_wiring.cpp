// Pins under the pointer, pins as the simulation file names them, and moving
// a part with its group.
#include "core/board/board.h"

#include <cstdlib>

namespace kelto {

namespace {

constexpr int64_t kPinReach = 3;

} // namespace

TdxFcObject* TSimuBoard::PinNearPoint(const TSimuPart& part, TPoint chartPoint) const
{
    for (TdxFcObject* pin : part.FPins)
        if (std::llabs(int64_t{chartPoint.X} - pin->Left()) <= kPinReach &&
            std::llabs(int64_t{chartPoint.Y} - pin->Top()) <= kPinReach)
            return pin;
    return nullptr;
}

TdxFcObject* TSimuBoard::PinAtPoint(int32_t clientX, int32_t clientY) const
{
    const TPoint chartPoint = FCanvas.ClientToChart(clientX, clientY);
    for (auto it = FParts.rbegin(); it != FParts.rend(); ++it)
        if (TdxFcObject* pin = PinNearPoint(*it->Part, chartPoint))
            return pin;
    return nullptr;
}

// Each pin knows its owner and index through its record, so the owner's
// position in the list is the only search left.
TPinLocation TSimuBoard::LocatePin(const TdxFcObject* object) const
{
    if (object == nullptr || object->UserData == nullptr)
        return {};
    const TSimuPortInfo& record = *object->UserData;
    const int32_t partIndex = IndexOfPart(record.FOwner);
    if (partIndex < 0 || record.FOwner->Pin(record.FPinIndex) != object)
        return {};
    return {partIndex, record.FPinIndex};
}

TdxFcObject* TSimuBoard::PinByIndex(int32_t partIndex, int32_t pinIndex) const
{
    const TSimuPart* part = Part(partIndex);
    return part == nullptr ? nullptr : part->Pin(pinIndex);
}

namespace {

void CollectGroup(TdxFcObject* object, std::vector<TdxFcObject*>& list)
{
    list.push_back(object);
    for (TdxFcObject* member : object->GroupMembers())
        CollectGroup(member, list);
}

} // namespace

void TSimuBoard::MovePartTo(TdxFcObject* body, int32_t x, int32_t y)
{
    if (body == nullptr)
        return;
    std::vector<TdxFcObject*> group;
    CollectGroup(body, group);
    const int64_t dx = int64_t{x} - body->Left();
    const int64_t dy = int64_t{y} - body->Top();
    for (TdxFcObject* object : group)
        object->SetBounds(SaturatingAdd(object->Left(), dx), SaturatingAdd(object->Top(), dy),
                          object->Width(), object->Height());
}

} // namespace kelto
