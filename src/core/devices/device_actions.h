// What the user does to a part by hand: push buttons and keypad keys go down
// and up, a toggle switch flips, the resistor's slider moves. The device
// table's row of each type says which of these its mouse events perform.
#pragma once

#include "core/canvas/geometry.h"

#include <cstdint>

namespace kelto {

class TdxFlowChart;
class TSimuAnNiuSwitch;
class TSimuKeypad;
class TSimuResistance;
class TSimuZhaDaoSwitch;

struct TKeyCell {
    int32_t Column = -1;
    int32_t Row = -1;
    bool operator==(const TKeyCell&) const = default;
};

void PressButton(TSimuAnNiuSwitch& button);
void ReleaseButton(TSimuAnNiuSwitch& button);
// A key outside the grid (column or row -1) is ignored.
void PressKey(TSimuKeypad& keypad, TKeyCell key);
void ReleaseKey(TSimuKeypad& keypad, TKeyCell key);
void FlipSwitch(TSimuZhaDaoSwitch& toggle);
void SetSliderPosition(TdxFlowChart& canvas, TSimuResistance& resistor, double fraction);
// The wiper pin's value follows the slider, wherever a drag left it.
void UpdateWiperValue(TSimuResistance& resistor);
// The key under a point of the chart; -1 for a column or row between keys.
TKeyCell KeyAtPoint(const TSimuKeypad& keypad, TPoint chartPoint);

} // namespace kelto
