// The drawing operation of each component class. Each draws in body
// coordinates: the painter's origin is the body's top-left corner.
#pragma once

#include "gui/render/render_kit.h"

#include <QPainter>

#include <cstdint>
#include <span>

namespace kelto {
class TSimuMotor;
class TSimuResistance;
class TSimuLEDA;
class TSimuLEDB;
class TSimuAnNiuSwitch;
class TSimuZhaDaoSwitch;
class TSimuMCU;
class TSimuVCC;
class TSimuGND;
class TSimuSpeaker;
class TSimuKeypad;
class TSimuMicphone;
class TSimuServo;
class TSimuSegDispTwo;
class TSimuSegDispSix;
class TSimuDotMat1616;
class TSimuDotMat3232;
class TSimuLCD1602;
class TSimuOScopes;
class TSimuAudioas;
class TSimuDAC8Bit;
class TSimuBitDisp;
class TSimuGate;
class TSimuDFlipFlop;
class TSimuJKFlipFlop;
class TSimuOutExpander;
class TSimuVoMeter;
} // namespace kelto

namespace kelto::gui {

// Inputs, supplies and simple outputs.
void DrawMotor(QPainter& painter, const TRenderKit& kit, const TSimuMotor& motor);
void DrawResistance(QPainter& painter, const TRenderKit& kit, const TSimuResistance& resistor);
void DrawLEDA(QPainter& painter, const TRenderKit& kit, const TSimuLEDA& led);
void DrawLEDB(QPainter& painter, const TRenderKit& kit, const TSimuLEDB& led);
void DrawPushButton(QPainter& painter, const TRenderKit& kit, const TSimuAnNiuSwitch& button);
void DrawKnifeSwitch(QPainter& painter, const TRenderKit& kit, const TSimuZhaDaoSwitch& toggle);
void DrawVCC(QPainter& painter, const TRenderKit& kit, const TSimuVCC& supply);
void DrawGND(QPainter& painter, const TRenderKit& kit, const TSimuGND& ground);
void DrawSpeaker(QPainter& painter, const TRenderKit& kit, const TSimuSpeaker& speaker);
void DrawMicphone(QPainter& painter, const TRenderKit& kit, const TSimuMicphone& microphone);
void DrawServo(QPainter& painter, const TRenderKit& kit, const TSimuServo& servo);
void DrawKeypad(QPainter& painter, const TRenderKit& kit, const TSimuKeypad& keypad);

// Displays.
void DrawSegDispTwo(QPainter& painter, const TRenderKit& kit, const TSimuSegDispTwo& display);
void DrawSegDispSix(QPainter& painter, const TRenderKit& kit, const TSimuSegDispSix& display);
void DrawBitDisp(QPainter& painter, const TRenderKit& kit, const TSimuBitDisp& display);
void DrawDotMat1616(QPainter& painter, const TRenderKit& kit, const TSimuDotMat1616& matrix);
void DrawDotMat3232(QPainter& painter, const TRenderKit& kit, const TSimuDotMat3232& matrix);
void DrawLCD1602(QPainter& painter, const TRenderKit& kit, const TSimuLCD1602& lcd);
// The 5 x 8 dots of cell n of a 32-cell dot image, from (x, y).
void DrawLcdCell(QPainter& painter, std::span<const uint8_t> cellDots, int n, int x, int y);

// Microcontroller, logic parts and instruments.
void DrawMCU(QPainter& painter, const TRenderKit& kit, const TSimuMCU& mcu);
void DrawNOTGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate);
void DrawANDGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate);
void DrawORGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate);
void DrawANDNGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate);
void DrawORNGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate);
void DrawDFlipFlop(QPainter& painter, const TRenderKit& kit, const TSimuDFlipFlop& flipFlop);
void DrawJKFlipFlop(QPainter& painter, const TRenderKit& kit, const TSimuJKFlipFlop& flipFlop);
void DrawOutExpander(QPainter& painter, const TRenderKit& kit, const TSimuOutExpander& expander);
void DrawDAC8Bit(QPainter& painter, const TRenderKit& kit, const TSimuDAC8Bit& dac);
void DrawVoMeter(QPainter& painter, const TRenderKit& kit, const TSimuVoMeter& meter);
void DrawOScopes(QPainter& painter, const TRenderKit& kit, const TSimuOScopes& probe);
void DrawAudioas(QPainter& painter, const TRenderKit& kit, const TSimuAudioas& probe);

} // namespace kelto::gui
