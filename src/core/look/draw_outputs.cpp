// Drawing of the simple outputs: motor, the two LEDs, speaker and servo.
#include "core/look/draw_parts.h"
#include "core/look/shapes.h"

#include "core/circuit/parts.h"

#include <vector>

namespace kelto::look {

namespace {

// The highlight on an LED's glow, as offsets from its base point.
const std::vector<TPoint> kHighlight{{0, 0}, {1, -1}, {5, -3},  {10, -4}, {9, 0},
                                     {3, 3}, {0, 9},  {-4, 10}, {-3, 5},  {-1, 1}};

// The two LEDs share one symbol; the one to ground sits 6 pixels higher.
void DrawLedSymbol(TDisplayList& list, int dy, int leadEnd)
{
    Line(list, 11, 97 + dy, 35, 97 + dy);
    Line(list, 23, 15 + dy, 23, 35 + dy);
    Line(list, 23, 58 + dy, 23, leadEnd);
    OutlineRect(list, 17, 35 + dy, 12, 23);
    OutlinePolygon(list, {{11, 79 + dy}, {35, 79 + dy}, {23, 97 + dy}});
}

void DrawLightArrows(TDisplayList& list, int dy)
{
    FillPolygon(list, {{43, 97 + dy}, {47, 92 + dy}, {50, 101 + dy}}, ClrInk);
    FillPolygon(list, {{40, 105 + dy}, {44, 100 + dy}, {47, 109 + dy}}, ClrInk);
    Line(list, 40, 88 + dy, 49, 100 + dy);
    Line(list, 37, 96 + dy, 46, 108 + dy);
}

void DrawLedGlow(TDisplayList& list, int dy, bool lit)
{
    FillCircle(list, 4, 68 + dy, 36, 36, lit ? kLedGlowLit : kLedGlowUnlit);
    FillPolygon(list, Shifted(kHighlight, 13, 77 + dy), lit ? kLedHighlightLit : kLedHighlightUnlit);
}

constexpr int kLedToGroundShift = -6;

} // namespace

void DrawMotor(TDisplayList& list, const TSimuMotor& motor)
{
    DrawRotatedPicture(list, kPictureMotor, TBox{10, 5, 50, 50}, motor.FAngle, TPointF{33.24, 28.24});
    PinMarker(list, 5, 45);
    PinMarker(list, 55, 45, ClrLit);
    DrawName(list, motor, 14, 56);
}

void DrawLEDA(TDisplayList& list, const TSimuLEDA& led)
{
    Line(list, 10, 15, 36, 15);
    DrawLedSymbol(list, 0, 125);
    DrawLightArrows(list, 0);
    DrawPinMarkers(list, led);
    DrawName(list, led, 27, 110);
    DrawText(list, 10, 2, "+VCC");
    DrawLedGlow(list, 0, led.FLit != 0);
}

void DrawLEDB(TDisplayList& list, const TSimuLEDB& led)
{
    DrawLedSymbol(list, kLedToGroundShift, 116);
    Line(list, 5, 116, 41, 116);
    Line(list, 12, 121, 34, 121);
    Line(list, 16, 126, 30, 126);
    Line(list, 19, 131, 27, 131);
    DrawLightArrows(list, kLedToGroundShift);
    DrawPinMarkers(list, led);
    DrawName(list, led, 27, 104);
    DrawText(list, 13, 134, "GND");
    DrawLedGlow(list, kLedToGroundShift, led.FLit != 0);
}

void DrawSpeaker(TDisplayList& list, const TSimuSpeaker& speaker)
{
    DrawPicture(list, kPictureSpeaker, TBox{10, 2, 88, 73});
    DrawPinMarkers(list, speaker);
    DrawName(list, speaker, 4, 25);
    DrawText(list, 29, 58, "SOUND");
}

void DrawServo(TDisplayList& list, const TSimuServo& servo)
{
    FillRect(list, 40, 34, 46, 100, ClrWhite);
    DrawPinMarkers(list, servo);
    OutlineRect(list, 40, 34, 46, 100);
    OutlineCircle(list, 42, 37, 42, 42);
    DrawRotatedPicture(list, kPictureServoArm, TBox{54, 4, 21, 67}, servo.FAngle, TPointF{63, 58});
}

} // namespace kelto::look
