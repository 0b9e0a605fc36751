// What the user's mouse does to switches, push buttons, keypad keys, the
// resistor's slider and the instrument probes.
#include "core/board/board.h"

namespace kelto {

TSimuPart* TSimuBoard::PartAtPoint(int32_t clientX, int32_t clientY) const
{
    return PartOfBody(FCanvas.ItemAt(clientX, clientY));
}

TKeyCell TSimuBoard::KeyAtPoint(int32_t clientX, int32_t clientY, const TSimuKeypad& keypad) const
{
    struct TBand {
        int32_t From;
        int32_t To;
    };
    static constexpr TBand kColumns[4] = {{30, 82}, {83, 135}, {135, 187}, {188, 240}};
    static constexpr TBand kRows[4] = {{4, 29}, {30, 55}, {56, 81}, {82, 107}};
    const TPoint p = FCanvas.ClientToChart(clientX, clientY);
    const int64_t x = int64_t{p.X} - keypad.FBody->Left();
    const int64_t y = int64_t{p.Y} - keypad.FBody->Top();
    TKeyCell key;
    for (int i = 0; i < 4 && key.Column < 0; ++i)
        if (x >= kColumns[i].From && x <= kColumns[i].To)
            key.Column = i;
    for (int i = 0; i < 4 && key.Row < 0; ++i)
        if (y >= kRows[i].From && y <= kRows[i].To)
            key.Row = i;
    return key;
}

void TSimuBoard::PressButton(TSimuAnNiuSwitch& button)
{
    const bool normallyClosed = button.FNormallyClosed != 0;
    if (button.FClosed == (normallyClosed ? 1 : 0)) {
        button.FClosed = normallyClosed ? 0 : 1;
        button.Port(0)->FLevel = normallyClosed ? 1 : 0;
        button.FBody->Invalidate();
    }
}

void TSimuBoard::ReleaseButton(TSimuAnNiuSwitch& button)
{
    const bool normallyClosed = button.FNormallyClosed != 0;
    if (button.FClosed == (normallyClosed ? 0 : 1)) {
        button.FClosed = normallyClosed ? 1 : 0;
        button.Port(0)->FLevel = normallyClosed ? 0 : 1;
        button.FBody->Invalidate();
    }
}

void TSimuBoard::PressKey(TSimuKeypad& keypad, TKeyCell key)
{
    if (key.Column < 0 || key.Row < 0 || keypad.Key(key.Column, key.Row) != 0)
        return;
    keypad.SetKey(key.Column, key.Row, 1);
    keypad.FBody->Invalidate();
}

void TSimuBoard::ReleaseKey(TSimuKeypad& keypad, TKeyCell key)
{
    if (key.Column < 0 || key.Row < 0 || keypad.Key(key.Column, key.Row) != 1)
        return;
    keypad.SetKey(key.Column, key.Row, 0);
    keypad.FBody->Invalidate();
}

void TSimuBoard::FlipSwitch(TSimuZhaDaoSwitch& toggle)
{
    toggle.FClosed = toggle.FClosed ? 0 : 1;
    toggle.FBody->Invalidate();
}

void TSimuBoard::SetSliderPosition(TSimuResistance& resistor, double fraction)
{
    FCanvas.SetSliderPosition(resistor.FSlider, fraction);
    UpdateWiperValue(resistor);
}

void TSimuBoard::UpdateWiperValue(TSimuResistance& resistor)
{
    resistor.Port(0)->FValue = resistor.FSlider->SliderPosition();
}

void TSimuBoard::dxFlowChart1MouseDown(int32_t clientX, int32_t clientY)
{
    TSimuPart* part = PartAtPoint(clientX, clientY);
    if (part == nullptr)
        return;
    const bool onWire = (FCanvas.HitTestAt(clientX, clientY) & OnWireFlag) != 0;
    if (part->FOwnerType == otAnNiuSwitch && !onWire)
        PressButton(*static_cast<TSimuAnNiuSwitch*>(part));
    else if (part->FOwnerType == otKeypad && !onWire) {
        auto& keypad = *static_cast<TSimuKeypad*>(part);
        PressKey(keypad, KeyAtPoint(clientX, clientY, keypad));
    }
}

void TSimuBoard::dxFlowChart1MouseUp(int32_t clientX, int32_t clientY)
{
    PinClick(clientX, clientY);
    TSimuPart* part = PartAtPoint(clientX, clientY);
    if (part == nullptr)
        return;
    if (part->FOwnerType == otAnNiuSwitch)
        ReleaseButton(*static_cast<TSimuAnNiuSwitch*>(part));
    else if (part->FOwnerType == otKeypad) {
        auto& keypad = *static_cast<TSimuKeypad*>(part);
        ReleaseKey(keypad, KeyAtPoint(clientX, clientY, keypad));
    }
}

TInstrument TSimuBoard::ChartObjectClick(TdxFcObject* item, int32_t pointerClientX, int32_t pointerClientY)
{
    TSimuPart* part = PartOfBody(item);
    if (part == nullptr)
        return TInstrument::None;
    if (part->FOwnerType == otZhaDaoSwitch) {
        FlipSwitch(*static_cast<TSimuZhaDaoSwitch*>(part));
        return TInstrument::None;
    }
    if (part->FOwnerType != otOScopes && part->FOwnerType != otAudioas)
        return TInstrument::None;
    if (PinAtPoint(pointerClientX, pointerClientY) != nullptr)
        return TInstrument::None;
    FPendingInstrument = part->FOwnerType == otOScopes ? TInstrument::OScopes : TInstrument::Audioas;
    return FPendingInstrument;
}

} // namespace kelto
