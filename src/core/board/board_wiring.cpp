// Pins under the pointer, pins as the simulation file names them, and moving
// a part with its group.
#include "core/board/board.h"

#include <cstdlib>
#include <utility>

namespace kelto {

namespace {

// A pin answers anywhere on its grey marker (whose 7 x 7 box starts 5 units
// left of and above it), on the microcontroller's pad drawn from it towards
// the package, and within 3 units of its point. Where pins lie close, what
// is drawn wins over the reach.
constexpr int64_t kPinReach = 3;
constexpr int64_t kMarkerStart = -5;
constexpr int64_t kMarkerEnd = 1;
constexpr int64_t kMcuPadLength = 15;

bool OnMarkerOrPad(const TSimuPart& part, TPoint pin, int64_t dx, int64_t dy)
{
    if (dy < kMarkerStart || dy > kMarkerEnd)
        return false;
    if (dx >= kMarkerStart && dx <= kMarkerEnd)
        return true;
    if (part.FOwnerType != otMCU)
        return false;
    const int64_t middle = int64_t{part.FBody->Left()} + part.FBody->Width() / 2;
    const int64_t inwards = pin.X < middle ? dx : -dx;
    return inwards > 0 && inwards <= kMcuPadLength;
}

} // namespace

// From the pins' points, so that a pointer passing over pins makes no objects.
TSimuPortInfo* TSimuBoard::PinNearPoint(const TSimuPart& part, TPoint chartPoint) const
{
    const auto offset = [chartPoint](TPoint pin) {
        return std::pair{int64_t{chartPoint.X} - pin.X, int64_t{chartPoint.Y} - pin.Y};
    };
    for (int32_t i = 0; i < part.PinCount(); ++i) {
        const TPoint pin = part.PinPoint(i);
        if (const auto [dx, dy] = offset(pin); OnMarkerOrPad(part, pin, dx, dy))
            return part.Port(i);
    }
    for (int32_t i = 0; i < part.PinCount(); ++i)
        if (const auto [dx, dy] = offset(part.PinPoint(i));
            std::llabs(dx) <= kPinReach && std::llabs(dy) <= kPinReach)
            return part.Port(i);
    return nullptr;
}

TSimuPortInfo* TSimuBoard::PinAtPoint(int32_t clientX, int32_t clientY) const
{
    const TPoint chartPoint = FCanvas.ClientToChart(clientX, clientY);
    for (auto it = FParts.rbegin(); it != FParts.rend(); ++it)
        if (TSimuPortInfo* pin = PinNearPoint(*it->Part, chartPoint))
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
    if (partIndex < 0 || record.FOwner->MadePin(record.FPinIndex) != object)
        return {};
    return {partIndex, record.FPinIndex};
}

TdxFcObject* TSimuBoard::PinByIndex(int32_t partIndex, int32_t pinIndex) const
{
    TSimuPart* part = Part(partIndex);
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
