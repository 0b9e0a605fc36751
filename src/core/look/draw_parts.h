// The drawing of each component class, recorded into a display list in body
// coordinates (the body's top-left corner is the origin).
#pragma once

#include "core/look/display_list.h"

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

namespace kelto::look {

// Inputs, supplies and simple outputs.
void DrawMotor(TDisplayList& list, const TSimuMotor& motor);
void DrawResistance(TDisplayList& list, const TSimuResistance& resistor);
void DrawLEDA(TDisplayList& list, const TSimuLEDA& led);
void DrawLEDB(TDisplayList& list, const TSimuLEDB& led);
void DrawPushButton(TDisplayList& list, const TSimuAnNiuSwitch& button);
void DrawKnifeSwitch(TDisplayList& list, const TSimuZhaDaoSwitch& toggle);
void DrawVCC(TDisplayList& list, const TSimuVCC& supply);
void DrawGND(TDisplayList& list, const TSimuGND& ground);
void DrawSpeaker(TDisplayList& list, const TSimuSpeaker& speaker);
void DrawMicphone(TDisplayList& list, const TSimuMicphone& microphone);
void DrawServo(TDisplayList& list, const TSimuServo& servo);
void DrawKeypad(TDisplayList& list, const TSimuKeypad& keypad);

// Displays.
void DrawSegDispTwo(TDisplayList& list, const TSimuSegDispTwo& display);
void DrawSegDispSix(TDisplayList& list, const TSimuSegDispSix& display);
void DrawBitDisp(TDisplayList& list, const TSimuBitDisp& display);
void DrawDotMat1616(TDisplayList& list, const TSimuDotMat1616& matrix);
void DrawDotMat3232(TDisplayList& list, const TSimuDotMat3232& matrix);
void DrawLCD1602(TDisplayList& list, const TSimuLCD1602& lcd);

// Microcontroller, logic parts and instruments.
void DrawMCU(TDisplayList& list, const TSimuMCU& mcu);
void DrawNOTGate(TDisplayList& list, const TSimuGate& gate);
void DrawANDGate(TDisplayList& list, const TSimuGate& gate);
void DrawORGate(TDisplayList& list, const TSimuGate& gate);
void DrawANDNGate(TDisplayList& list, const TSimuGate& gate);
void DrawORNGate(TDisplayList& list, const TSimuGate& gate);
void DrawDFlipFlop(TDisplayList& list, const TSimuDFlipFlop& flipFlop);
void DrawJKFlipFlop(TDisplayList& list, const TSimuJKFlipFlop& flipFlop);
void DrawOutExpander(TDisplayList& list, const TSimuOutExpander& expander);
void DrawDAC8Bit(TDisplayList& list, const TSimuDAC8Bit& dac);
void DrawVoMeter(TDisplayList& list, const TSimuVoMeter& meter);
void DrawOScopes(TDisplayList& list, const TSimuOScopes& probe);
void DrawAudioas(TDisplayList& list, const TSimuAudioas& probe);

} // namespace kelto::look
