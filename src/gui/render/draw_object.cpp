#include "gui/render/draw_object.h"

#include "gui/render/draw_parts.h"

#include "core/circuit/type_table.h"
#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"

namespace kelto::gui {

namespace {

using TDrawFunction = void (*)(QPainter&, const TRenderKit&, const TSimuPart&);

// Adapts a drawing of one class to the table's uniform signature.
template <typename TPart, void (*Draw)(QPainter&, const TRenderKit&, const TPart&)>
void By(QPainter& painter, const TRenderKit& kit, const TSimuPart& part)
{
    Draw(painter, kit, static_cast<const TPart&>(part));
}

constexpr TPartTable<TDrawFunction> kDrawings = MakePartTable<TDrawFunction>({
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

void DrawPart(QPainter& painter, const TRenderKit& kit, const TSimuPart& part, const QRect& r)
{
    // Each drawing gets its own state: aliased shapes and text, pixels from
    // the body's top-left corner, whatever the caller had set.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(r.topLeft());
    if (IsValidOwnerType(part.FOwnerType))
        kDrawings[part.FOwnerType](painter, kit, part);
    painter.restore();
}

void dxFlowChart1DrawObject(QPainter& painter, const TRenderKit& kit, TSimuPart* part, const QRect& r)
{
    if (part == nullptr)
        return;
    DrawPart(painter, kit, *part, r);
    if (part->FOwnerType == otResistance)
        UpdateWiperValue(*static_cast<TSimuResistance*>(part));
}

} // namespace kelto::gui
