// The LCD1602's bus: samples RS, R/W, E and D0..D7 every tick and runs a
// transfer on each change of E.
#pragma once

namespace kelto {

class TSimEngine;
class TSimuLCD1602;

void UpdateLCD1602(TSimEngine& engine, TSimuLCD1602& lcd);

} // namespace kelto
