#include "core/circuit/parts.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/catalogue.h"
#include "core/circuit/type_table.h"

namespace kelto {

TSimuPart::TSimuPart(TdxFlowChart& canvas, TOwnerType type) : FOwnerType(type), FCanvas(&canvas)
{
    const TClassInfo& info = ClassInfo(type);
    FWidth = info.Width;
    FHeight = info.Height;
}

TSimuPart::~TSimuPart()
{
    for (TdxFcObject* pin : FPins) {
        pin->UserData = nullptr;
        FCanvas->DeleteObject(pin);
    }
    FPortInfos.clear();
    FCanvas->DeleteObject(FBody);
}

TdxFcObject* TSimuPart::Pin(int32_t index) const
{
    if (index < 0 || index >= PinCount())
        return nullptr;
    return FPins[static_cast<size_t>(index)];
}

TSimuPortInfo* TSimuPart::Port(int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(FPortInfos.size()))
        return nullptr;
    return FPortInfos[static_cast<size_t>(index)].get();
}

void TSimuPart::Build()
{
    CreatePinObjects();
    CreateBody();
    AttachPortRecords();
}

void TSimuPart::CreatePinObjects()
{
    for (const TPinSpec& spec : ClassInfo(FOwnerType).Pins)
        FPins.push_back(FCanvas->CreateObject(spec.X, spec.Y, 0, 0, 0));
}

void TSimuPart::CreateBody()
{
    FBody = FCanvas->CreateObject(0, 0, static_cast<uint16_t>(FWidth), static_cast<uint16_t>(FHeight), 0);
}

void TSimuPart::AttachPortRecords()
{
    const auto pins = ClassInfo(FOwnerType).Pins;
    for (size_t i = 0; i < FPins.size(); ++i) {
        TdxFcObject* pin = FPins[i];
        pin->SetVisible(false);
        FBody->AddGroupMember(pin);
        auto record = std::make_unique<TSimuPortInfo>();
        record->FOwner = this;
        record->FOwnerType = FOwnerType;
        record->FKind = pins[i].Kind;
        record->FPinIndex = static_cast<int32_t>(i);
        record->FLevel = pins[i].Level;
        pin->UserData = record.get();
        FPortInfos.push_back(std::move(record));
    }
}

TSimuMotor::TSimuMotor(TdxFlowChart& canvas) : TSimuPart(canvas, otMotor)
{
    Build();
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
    CreatePinObjects();
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

TSimuLEDA::TSimuLEDA(TdxFlowChart& canvas) : TSimuPart(canvas, otLEDA)
{
    Build();
}
TSimuLEDB::TSimuLEDB(TdxFlowChart& canvas) : TSimuPart(canvas, otLEDB)
{
    Build();
}
TSimuAnNiuSwitch::TSimuAnNiuSwitch(TdxFlowChart& canvas) : TSimuPart(canvas, otAnNiuSwitch)
{
    Build();
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
    Port(0)->FLinks[0] = Pin(1);
    Port(1)->FLinks[0] = Pin(0);
}

TSimuMCU::TSimuMCU(TdxFlowChart& canvas) : TSimuPart(canvas, otMCU)
{
    Build();
}
TSimuVCC::TSimuVCC(TdxFlowChart& canvas) : TSimuPart(canvas, otVCC)
{
    Build();
}
TSimuGND::TSimuGND(TdxFlowChart& canvas) : TSimuPart(canvas, otGND)
{
    Build();
}
TSimuSpeaker::TSimuSpeaker(TdxFlowChart& canvas) : TSimuPart(canvas, otSpeaker)
{
    Build();
}

TSimuKeypad::TSimuKeypad(TdxFlowChart& canvas) : TSimuPart(canvas, otKeypad)
{
    Build();
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j) {
            Port(kKeypadRowPin0 + k)->FLinks[j] = Pin(kKeypadColumnPin0 + j);
            Port(kKeypadColumnPin0 + k)->FLinks[j] = Pin(kKeypadRowPin0 + j);
        }
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

TSimuMicphone::TSimuMicphone(TdxFlowChart& canvas) : TSimuPart(canvas, otMicphone)
{
    Build();
}
TSimuServo::TSimuServo(TdxFlowChart& canvas) : TSimuPart(canvas, otServo)
{
    Build();
}
TSimuSegDispTwo::TSimuSegDispTwo(TdxFlowChart& canvas) : TSimuPart(canvas, otSegDispTwo)
{
    Build();
}
TSimuSegDispSix::TSimuSegDispSix(TdxFlowChart& canvas) : TSimuPart(canvas, otSegDispSix)
{
    Build();
}
TSimuLCD1602::TSimuLCD1602(TdxFlowChart& canvas) : TSimuPart(canvas, otLCD1602)
{
    Build();
}

TSimuOScopes::TSimuOScopes(TdxFlowChart& canvas) : TSimuPart(canvas, otOScopes)
{
    Build();
}
TSimuAudioas::TSimuAudioas(TdxFlowChart& canvas) : TSimuPart(canvas, otAudioas)
{
    Build();
}
TSimuDAC8Bit::TSimuDAC8Bit(TdxFlowChart& canvas) : TSimuPart(canvas, otDAC8Bit)
{
    Build();
}
TSimuBitDisp::TSimuBitDisp(TdxFlowChart& canvas) : TSimuPart(canvas, otBitDisp)
{
    Build();
}
TSimuGate::TSimuGate(TdxFlowChart& canvas, TOwnerType type) : TSimuPart(canvas, type)
{
    Build();
}
TSimuDFlipFlop::TSimuDFlipFlop(TdxFlowChart& canvas) : TSimuPart(canvas, otDFlipFlop)
{
    Build();
}
TSimuJKFlipFlop::TSimuJKFlipFlop(TdxFlowChart& canvas) : TSimuPart(canvas, otJKFlipFlop)
{
    Build();
}
TSimuOutExpander::TSimuOutExpander(TdxFlowChart& canvas) : TSimuPart(canvas, otOutExpander)
{
    Build();
}
TSimuDotMat1616::TSimuDotMat1616(TdxFlowChart& canvas) : TSimuPart(canvas, otDotMat1616)
{
    Build();
}
TSimuDotMat3232::TSimuDotMat3232(TdxFlowChart& canvas) : TSimuPart(canvas, otDotMat3232)
{
    Build();
}
TSimuVoMeter::TSimuVoMeter(TdxFlowChart& canvas) : TSimuPart(canvas, otVoMeter)
{
    Build();
}

namespace {

using TFactory = std::unique_ptr<TSimuPart> (*)(TdxFlowChart&);

template <typename TPart> std::unique_ptr<TSimuPart> Make(TdxFlowChart& canvas)
{
    return std::make_unique<TPart>(canvas);
}

template <TOwnerType Type> std::unique_ptr<TSimuPart> MakeGate(TdxFlowChart& canvas)
{
    return std::make_unique<TSimuGate>(canvas, Type);
}

constexpr TPartTable<TFactory> kFactories = MakePartTable<TFactory>({
    {otMotor, Make<TSimuMotor>},
    {otResistance, Make<TSimuResistance>},
    {otLEDA, Make<TSimuLEDA>},
    {otLEDB, Make<TSimuLEDB>},
    {otAnNiuSwitch, Make<TSimuAnNiuSwitch>},
    {otZhaDaoSwitch, Make<TSimuZhaDaoSwitch>},
    {otMCU, Make<TSimuMCU>},
    {otVCC, Make<TSimuVCC>},
    {otGND, Make<TSimuGND>},
    {otSpeaker, Make<TSimuSpeaker>},
    {otKeypad, Make<TSimuKeypad>},
    {otMicphone, Make<TSimuMicphone>},
    {otServo, Make<TSimuServo>},
    {otSegDispTwo, Make<TSimuSegDispTwo>},
    {otSegDispSix, Make<TSimuSegDispSix>},
    {otLCD1602, Make<TSimuLCD1602>},
    {otOScopes, Make<TSimuOScopes>},
    {otAudioas, Make<TSimuAudioas>},
    {otDAC8Bit, Make<TSimuDAC8Bit>},
    {otBitDisp, Make<TSimuBitDisp>},
    {otNOTGate, MakeGate<otNOTGate>},
    {otANDGate, MakeGate<otANDGate>},
    {otORGate, MakeGate<otORGate>},
    {otANDNGate, MakeGate<otANDNGate>},
    {otORNGate, MakeGate<otORNGate>},
    {otDFlipFlop, Make<TSimuDFlipFlop>},
    {otJKFlipFlop, Make<TSimuJKFlipFlop>},
    {otOutExpander, Make<TSimuOutExpander>},
    {otDotMat1616, Make<TSimuDotMat1616>},
    {otDotMat3232, Make<TSimuDotMat3232>},
    {otVoMeter, Make<TSimuVoMeter>},
});

} // namespace

std::unique_ptr<TSimuPart> CreatePart(TOwnerType type, TdxFlowChart& canvas)
{
    return IsValidOwnerType(type) ? kFactories[type](canvas) : nullptr;
}

} // namespace kelto
