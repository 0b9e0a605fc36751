#include "core/look/component_drawing.h"

#include "core/circuit/parts.h"
#include "core/circuit/type_table.h"
#include "core/look/draw_parts.h"

namespace kelto::look {

namespace {

// Adapts a drawing of one class to the table's uniform signature.
template <typename TPart, void (*Draw)(TDisplayList&, const TPart&)>
void By(TDisplayList& list, const TSimuPart& part)
{
    Draw(list, static_cast<const TPart&>(part));
}

constexpr TPartTable<TDrawPart> kDrawings = MakePartTable<TDrawPart>({
    {otMotor, By<TSimuMotor, DrawMotor>},
    {otResistance, By<TSimuResistance, DrawResistance>},
    {otLEDA, By<TSimuLEDA, DrawLEDA>},
    {otLEDB, By<TSimuLEDB, DrawLEDB>},
    {otAnNiuSwitch, By<TSimuAnNiuSwitch, DrawPushButton>},
    {otZhaDaoSwitch, By<TSimuZhaDaoSwitch, DrawKnifeSwitch>},
    {otMCU, By<TSimuMCU, DrawMCU>},
    {otVCC, By<TSimuVCC, DrawVCC>},
    {otGND, By<TSimuGND, DrawGND>},
    {otSpeaker, By<TSimuSpeaker, DrawSpeaker>},
    {otKeypad, By<TSimuKeypad, DrawKeypad>},
    {otMicphone, By<TSimuMicphone, DrawMicphone>},
    {otServo, By<TSimuServo, DrawServo>},
    {otSegDispTwo, By<TSimuSegDispTwo, DrawSegDispTwo>},
    {otSegDispSix, By<TSimuSegDispSix, DrawSegDispSix>},
    {otLCD1602, By<TSimuLCD1602, DrawLCD1602>},
    {otOScopes, By<TSimuOScopes, DrawOScopes>},
    {otAudioas, By<TSimuAudioas, DrawAudioas>},
    {otDAC8Bit, By<TSimuDAC8Bit, DrawDAC8Bit>},
    {otBitDisp, By<TSimuBitDisp, DrawBitDisp>},
    {otNOTGate, By<TSimuGate, DrawNOTGate>},
    {otANDGate, By<TSimuGate, DrawANDGate>},
    {otORGate, By<TSimuGate, DrawORGate>},
    {otANDNGate, By<TSimuGate, DrawANDNGate>},
    {otORNGate, By<TSimuGate, DrawORNGate>},
    {otDFlipFlop, By<TSimuDFlipFlop, DrawDFlipFlop>},
    {otJKFlipFlop, By<TSimuJKFlipFlop, DrawJKFlipFlop>},
    {otOutExpander, By<TSimuOutExpander, DrawOutExpander>},
    {otDotMat1616, By<TSimuDotMat1616, DrawDotMat1616>},
    {otDotMat3232, By<TSimuDotMat3232, DrawDotMat3232>},
    {otVoMeter, By<TSimuVoMeter, DrawVoMeter>},
});

} // namespace

TDrawPart PartDrawing(TOwnerType type)
{
    return IsValidOwnerType(type) ? kDrawings[type] : nullptr;
}

void DrawPart(TDisplayList& list, const TSimuPart& part)
{
    if (const TDrawPart draw = PartDrawing(part.FOwnerType))
        draw(list, part);
}

} // namespace kelto::look
