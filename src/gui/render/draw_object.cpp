#include "gui/render/draw_object.h"

#include "gui/render/draw_parts.h"

#include "core/board/board.h"
#include "core/circuit/parts.h"

namespace kelto::gui {

namespace {

template <typename TPart> const TPart& As(const TSimuPart& part)
{
    return static_cast<const TPart&>(part);
}

void DrawByClass(QPainter& painter, const TRenderKit& kit, const TSimuPart& part)
{
    switch (part.FOwnerType) {
    case otMotor:
        return DrawMotor(painter, kit, As<TSimuMotor>(part));
    case otResistance:
        return DrawResistance(painter, kit, As<TSimuResistance>(part));
    case otLEDA:
        return DrawLEDA(painter, kit, As<TSimuLEDA>(part));
    case otLEDB:
        return DrawLEDB(painter, kit, As<TSimuLEDB>(part));
    case otAnNiuSwitch:
        return DrawPushButton(painter, kit, As<TSimuAnNiuSwitch>(part));
    case otZhaDaoSwitch:
        return DrawKnifeSwitch(painter, kit, As<TSimuZhaDaoSwitch>(part));
    case otMCU:
        return DrawMCU(painter, kit, As<TSimuMCU>(part));
    case otVCC:
        return DrawVCC(painter, kit, As<TSimuVCC>(part));
    case otGND:
        return DrawGND(painter, kit, As<TSimuGND>(part));
    case otSpeaker:
        return DrawSpeaker(painter, kit, As<TSimuSpeaker>(part));
    case otKeypad:
        return DrawKeypad(painter, kit, As<TSimuKeypad>(part));
    case otMicphone:
        return DrawMicphone(painter, kit, As<TSimuMicphone>(part));
    case otServo:
        return DrawServo(painter, kit, As<TSimuServo>(part));
    case otSegDispTwo:
        return DrawSegDispTwo(painter, kit, As<TSimuSegDispTwo>(part));
    case otSegDispSix:
        return DrawSegDispSix(painter, kit, As<TSimuSegDispSix>(part));
    case otDotMat1616:
        return DrawDotMat1616(painter, kit, As<TSimuDotMat1616>(part));
    case otDotMat3232:
        return DrawDotMat3232(painter, kit, As<TSimuDotMat3232>(part));
    case otLCD1602:
        return DrawLCD1602(painter, kit, As<TSimuLCD1602>(part));
    case otOScopes:
        return DrawOScopes(painter, kit, As<TSimuOScopes>(part));
    case otAudioas:
        return DrawAudioas(painter, kit, As<TSimuAudioas>(part));
    case otDAC8Bit:
        return DrawDAC8Bit(painter, kit, As<TSimuDAC8Bit>(part));
    case otBitDisp:
        return DrawBitDisp(painter, kit, As<TSimuBitDisp>(part));
    case otNOTGate:
        return DrawNOTGate(painter, kit, As<TSimuGate>(part));
    case otANDGate:
        return DrawANDGate(painter, kit, As<TSimuGate>(part));
    case otORGate:
        return DrawORGate(painter, kit, As<TSimuGate>(part));
    case otANDNGate:
        return DrawANDNGate(painter, kit, As<TSimuGate>(part));
    case otORNGate:
        return DrawORNGate(painter, kit, As<TSimuGate>(part));
    case otDFlipFlop:
        return DrawDFlipFlop(painter, kit, As<TSimuDFlipFlop>(part));
    case otJKFlipFlop:
        return DrawJKFlipFlop(painter, kit, As<TSimuJKFlipFlop>(part));
    case otOutExpander:
        return DrawOutExpander(painter, kit, As<TSimuOutExpander>(part));
    case otVoMeter:
        return DrawVoMeter(painter, kit, As<TSimuVoMeter>(part));
    }
}

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
    DrawByClass(painter, kit, part);
    painter.restore();
}

void dxFlowChart1DrawObject(QPainter& painter, const TRenderKit& kit, TSimuBoard& board,
                            const TdxFcObject* object, const QRect& r)
{
    TSimuPart* part = object != nullptr ? board.PartOfBody(object) : nullptr;
    if (part == nullptr)
        return;
    DrawPart(painter, kit, *part, r);
    if (part->FOwnerType == otResistance)
        TSimuBoard::UpdateWiperValue(*static_cast<TSimuResistance*>(part));
}

} // namespace kelto::gui
