#include "core/devices/device_actions.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"

namespace kelto {

TKeyCell KeyAtPoint(const TSimuKeypad& keypad, TPoint chartPoint)
{
    struct TBand {
        int32_t From;
        int32_t To;
    };
    static constexpr TBand kColumns[4] = {{30, 82}, {83, 135}, {135, 187}, {188, 240}};
    static constexpr TBand kRows[4] = {{4, 29}, {30, 55}, {56, 81}, {82, 107}};
    const int64_t x = int64_t{chartPoint.X} - keypad.FBody->Left();
    const int64_t y = int64_t{chartPoint.Y} - keypad.FBody->Top();
    TKeyCell key;
    for (int i = 0; i < 4 && key.Column < 0; ++i)
        if (x >= kColumns[i].From && x <= kColumns[i].To)
            key.Column = i;
    for (int i = 0; i < 4 && key.Row < 0; ++i)
        if (y >= kRows[i].From && y <= kRows[i].To)
            key.Row = i;
    return key;
}

namespace {

// The contact follows the mouse button, and the pin the contact; a button
// already where the mouse puts it stays untouched.
void SetButtonHeld(TSimuAnNiuSwitch& button, bool held)
{
    const int closed = held != (button.FNormallyClosed != 0) ? 1 : 0;
    if (button.FClosed != 1 - closed)
        return;
    button.FClosed = static_cast<decltype(button.FClosed)>(closed);
    button.Port(0)->FLevel = 1 - closed;
    button.FBody->Invalidate();
}

} // namespace

void PressButton(TSimuAnNiuSwitch& button)
{
    SetButtonHeld(button, true);
}

void ReleaseButton(TSimuAnNiuSwitch& button)
{
    SetButtonHeld(button, false);
}

void PressKey(TSimuKeypad& keypad, TKeyCell key)
{
    if (key.Column < 0 || key.Row < 0 || keypad.Key(key.Column, key.Row) != 0)
        return;
    keypad.SetKey(key.Column, key.Row, 1);
    keypad.FBody->Invalidate();
}

void ReleaseKey(TSimuKeypad& keypad, TKeyCell key)
{
    if (key.Column < 0 || key.Row < 0 || keypad.Key(key.Column, key.Row) != 1)
        return;
    keypad.SetKey(key.Column, key.Row, 0);
    keypad.FBody->Invalidate();
}

void FlipSwitch(TSimuZhaDaoSwitch& toggle)
{
    toggle.FClosed = toggle.FClosed ? 0 : 1;
    toggle.FBody->Invalidate();
}

void SetSliderPosition(TdxFlowChart& canvas, TSimuResistance& resistor, double fraction)
{
    canvas.SetSliderPosition(resistor.FSlider, fraction);
    UpdateWiperValue(resistor);
}

void UpdateWiperValue(TSimuResistance& resistor)
{
    resistor.Port(0)->FValue = resistor.FSlider->SliderPosition();
}

} // namespace kelto
