#include "core/circuit/parts.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/catalogue.h"

#include <algorithm>

namespace kelto {

TSimuPart::TSimuPart(TdxFlowChart& canvas, TOwnerType type) : FOwnerType(type), FCanvas(&canvas)
{
    const TClassInfo& info = ClassInfo(type);
    FWidth = info.Width;
    FHeight = info.Height;
}

// Newest first: each deletion then shifts nothing in the canvas's list.
TSimuPart::~TSimuPart()
{
    std::vector<TdxFcObject*> pins;
    for (int32_t i = 0; i < PinCount(); ++i)
        if (TdxFcObject* pin = MadePin(i))
            pins.push_back(pin);
    std::sort(pins.begin(), pins.end(), [this](const TdxFcObject* a, const TdxFcObject* b) {
        return FCanvas->IndexOfObject(a) > FCanvas->IndexOfObject(b);
    });
    FCanvas->DeleteObject(FBody);
    for (TdxFcObject* pin : pins) {
        pin->UserData = nullptr;
        FCanvas->DeleteObject(pin);
    }
}

void TSimuPart::Build()
{
    CreateBody();
    AttachPortRecords();
}

void TSimuPart::CreateBody()
{
    FBody = FCanvas->CreateObject(0, 0, static_cast<uint16_t>(FWidth), static_cast<uint16_t>(FHeight), 0);
}

void TSimuPart::AttachPortRecords()
{
    const auto pins = ClassInfo(FOwnerType).Pins;
    FPinCount = static_cast<int32_t>(pins.size());
    FPortInfos = std::make_unique<TSimuPortInfo[]>(pins.size());
    for (size_t i = 0; i < pins.size(); ++i) {
        TSimuPortInfo& record = FPortInfos[i];
        record.FOwner = this;
        record.FOwnerType = FOwnerType;
        record.FKind = pins[i].Kind;
        record.FPinIndex = static_cast<int32_t>(i);
        record.FLevel = pins[i].Level;
    }
}

TPoint TSimuPart::PinPoint(int32_t index) const
{
    const auto pins = ClassInfo(FOwnerType).Pins;
    if (index < 0 || index >= PinCount())
        return {};
    const TPinSpec& spec = pins[static_cast<size_t>(index)];
    return {SaturatingAdd(FBody->Left(), spec.X), SaturatingAdd(FBody->Top(), spec.Y)};
}

TdxFcObject* TSimuPart::MadePin(int32_t index) const
{
    const TSimuPortInfo* record = Port(index);
    if (record == nullptr)
        return nullptr;
    for (TdxFcObject* member : FBody->GroupMembers())
        if (member->UserData == record)
            return member;
    return nullptr;
}

TdxFcObject* TSimuPart::Pin(int32_t index)
{
    if (index < 0 || index >= PinCount())
        return nullptr;
    TdxFcObject* pin = MadePin(index);
    if (pin == nullptr) {
        const TPoint at = PinPoint(index);
        pin = FCanvas->CreateObject(at.X, at.Y, 0, 0, 0);
        pin->SetVisible(false);
        pin->UserData = &FPortInfos[static_cast<size_t>(index)];
        FBody->AddGroupMember(pin);
    }
    return pin;
}

TSimuResistance::TSimuResistance(TdxFlowChart& canvas) : TSimuPart(canvas, otResistance)
{
    FTrackStart = canvas.CreateObject(47, 122, 0, 0, 0);
    FTrackEnd = canvas.CreateObject(47, 44, 0, 0, 0);
    FTrackStart->SetVisible(false);
    FTrackEnd->SetVisible(false);
    FTrack = canvas.CreateConnection(FTrackStart, FTrackEnd);
    FTrack->SetVisible(false);
    FTrack->SetDrawnBehind(true);
    CreateBody();
    FSlider = canvas.CreateObject(34, 114, 27, 17, 0);
    canvas.MakeSlider(FSlider, 1, FBody, FTrack);
    FBody->AddGroupMember(FTrackStart);
    FBody->AddGroupMember(FTrackEnd);
    FBody->AddGroupMember(FSlider);
    AttachPortRecords();
}

TSimuResistance::~TSimuResistance()
{
    FCanvas->DeleteConnection(FTrack);
    FCanvas->DeleteObject(FTrackStart);
    FCanvas->DeleteObject(FTrackEnd);
    FCanvas->DeleteObject(FSlider);
}

void TSimuAnNiuSwitch::MakeNormallyClosed()
{
    FNormallyClosed = 1;
    FClosed = 1;
    Port(0)->FLevel = 0;
}

TSimuZhaDaoSwitch::TSimuZhaDaoSwitch(TdxFlowChart& canvas) : TSimuPart(canvas, otZhaDaoSwitch)
{
    Build();
}

TSimuKeypad::TSimuKeypad(TdxFlowChart& canvas) : TSimuPart(canvas, otKeypad)
{
    Build();
}

const TSimuPortInfo* LinkedPin(const TSimuPortInfo& record, int k)
{
    const TSimuPart* owner = record.FOwner;
    if (owner == nullptr)
        return nullptr;
    const int p = record.FPinIndex;
    if (owner->FOwnerType == otZhaDaoSwitch)
        return k == 0 && (p == 0 || p == 1) ? owner->Port(1 - p) : nullptr;
    if (owner->FOwnerType != otKeypad || k < 0 || k > 3)
        return nullptr;
    if (p >= kKeypadRowPin0 && p < kKeypadRowPin0 + 4)
        return owner->Port(kKeypadColumnPin0 + k);
    if (p >= kKeypadColumnPin0 && p < kKeypadColumnPin0 + 4)
        return owner->Port(kKeypadRowPin0 + k);
    return nullptr;
}

uint8_t TSimuKeypad::Key(int column, int row) const
{
    if (column < 0 || column > 3 || row < 0 || row > 3)
        return 0;
    return FKeys[static_cast<size_t>(4 * column + row)];
}

void TSimuKeypad::SetKey(int column, int row, uint8_t pressed)
{
    if (column < 0 || column > 3 || row < 0 || row > 3)
        return;
    FKeys[static_cast<size_t>(4 * column + row)] = pressed;
}

std::unique_ptr<TSimuPart> CreatePart(TOwnerType type, TdxFlowChart& canvas)
{
    return IsValidOwnerType(type) ? ClassInfo(type).Create(canvas) : nullptr;
}

} // namespace kelto
