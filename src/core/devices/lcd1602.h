// The LCD1602 controller: instruction set, address counter, display RAM,
// character generator, display mapping, cursor and blink. Acts only on the
// component's own state; the bus handler (lcd1602_bus.h) feeds it bytes.
#pragma once

#include "core/circuit/parts.h"

#include <cstdint>
#include <string>

namespace kelto {

// Power-on state; run once when the component is created.
void ResetController(TSimuLCD1602& lcd);

void WriteInstruction(TSimuLCD1602& lcd, uint8_t instruction);
void WriteData(TSimuLCD1602& lcd, uint8_t value);
uint8_t ReadData(TSimuLCD1602& lcd);
uint8_t ReadAddress(const TSimuLCD1602& lcd);

void SetDataAddress(TSimuLCD1602& lcd, int address);
void StepDataAddress(TSimuLCD1602& lcd, int step);
void StepGraphicsAddress(TSimuLCD1602& lcd, int step);
void MapPositions(TSimuLCD1602& lcd);
void RefreshDisplay(TSimuLCD1602& lcd);
// Copies a glyph into a display position; out-of-range arguments do nothing.
void RenderCell(TSimuLCD1602& lcd, int code, int position);
void UpdateCursor(TSimuLCD1602& lcd);
void BlinkStep(TSimuLCD1602& lcd);

// Checked DDRAM read: a space for an address outside the RAM.
uint8_t DdramAt(const TSimuLCD1602& lcd, int address);
// Whether some display position in use shows the address counter.
bool AddressShown(const TSimuLCD1602& lcd);

// One display line (0 or 1) as shown: ASCII for 0x20..0x7D, "." for any
// other code; the second line is empty in one-line mode.
std::string ShownLineText(const TSimuLCD1602& lcd, int line);

} // namespace kelto
