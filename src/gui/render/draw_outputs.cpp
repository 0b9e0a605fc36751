// Drawing of the simple outputs: motor, the two LEDs, speaker and servo.
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"

#include "core/circuit/parts.h"

#include <array>

namespace kelto::gui {

namespace {

// The highlight on an LED's glow, as offsets from its base point.
constexpr std::array<QPoint, 10> kHighlight{QPoint(0, 0),  QPoint(1, -1), QPoint(5, -3), QPoint(10, -4),
                                            QPoint(9, 0),  QPoint(3, 3),  QPoint(0, 9),  QPoint(-4, 10),
                                            QPoint(-3, 5), QPoint(-1, 1)};

// The two LEDs share one symbol; the one to ground sits 6 pixels higher.
void DrawLedSymbol(QPainter& painter, int dy, int leadEnd)
{
    Line(painter, 11, 97 + dy, 35, 97 + dy);
    Line(painter, 23, 15 + dy, 23, 35 + dy);
    Line(painter, 23, 58 + dy, 23, leadEnd);
    OutlineRect(painter, 17, 35 + dy, 12, 23);
    const std::array<QPoint, 3> diode{QPoint(11, 79 + dy), QPoint(35, 79 + dy), QPoint(23, 97 + dy)};
    OutlinePolygon(painter, diode.data(), 3);
}

void DrawLightArrows(QPainter& painter, int dy)
{
    const std::array<QPoint, 3> upper{QPoint(43, 97 + dy), QPoint(47, 92 + dy), QPoint(50, 101 + dy)};
    const std::array<QPoint, 3> lower{QPoint(40, 105 + dy), QPoint(44, 100 + dy), QPoint(47, 109 + dy)};
    FillPolygon(painter, upper.data(), 3, ClrInk);
    FillPolygon(painter, lower.data(), 3, ClrInk);
    Line(painter, 40, 88 + dy, 49, 100 + dy);
    Line(painter, 37, 96 + dy, 46, 108 + dy);
}

void DrawLedGlow(QPainter& painter, int dy, bool lit)
{
    FillCircle(painter, 4, 68 + dy, 36, 36, lit ? kLedGlowLit : kLedGlowUnlit);
    std::array<QPoint, kHighlight.size()> highlight;
    for (size_t i = 0; i < kHighlight.size(); ++i)
        highlight[i] = kHighlight[i] + QPoint(13, 77 + dy);
    FillPolygon(painter, highlight.data(), static_cast<int>(highlight.size()),
                lit ? kLedHighlightLit : kLedHighlightUnlit);
}

constexpr int kLedToGroundShift = -6;

} // namespace

void DrawMotor(QPainter& painter, const TRenderKit& kit, const TSimuMotor& motor)
{
    DrawRotatedPicture(painter, kit, kPictureMotor, QRect(10, 5, 50, 50), motor.FAngle,
                       QPointF(33.24, 28.24));
    PinMarker(painter, 5, 45);
    PinMarker(painter, 55, 45, ClrLit);
    DrawName(painter, kit, motor, 14, 56);
}

void DrawLEDA(QPainter& painter, const TRenderKit& kit, const TSimuLEDA& led)
{
    Line(painter, 10, 15, 36, 15);
    DrawLedSymbol(painter, 0, 125);
    DrawLightArrows(painter, 0);
    DrawPinMarkers(painter, led);
    DrawName(painter, kit, led, 27, 110);
    DrawText(painter, kit, 10, 2, QStringLiteral("+VCC"));
    DrawLedGlow(painter, 0, led.FLit != 0);
}

void DrawLEDB(QPainter& painter, const TRenderKit& kit, const TSimuLEDB& led)
{
    DrawLedSymbol(painter, kLedToGroundShift, 116);
    Line(painter, 5, 116, 41, 116);
    Line(painter, 12, 121, 34, 121);
    Line(painter, 16, 126, 30, 126);
    Line(painter, 19, 131, 27, 131);
    DrawLightArrows(painter, kLedToGroundShift);
    DrawPinMarkers(painter, led);
    DrawName(painter, kit, led, 27, 104);
    DrawText(painter, kit, 13, 134, QStringLiteral("GND"));
    DrawLedGlow(painter, kLedToGroundShift, led.FLit != 0);
}

void DrawSpeaker(QPainter& painter, const TRenderKit& kit, const TSimuSpeaker& speaker)
{
    DrawPicture(painter, kit, kPictureSpeaker, QRect(10, 2, 88, 73));
    DrawPinMarkers(painter, speaker);
    DrawName(painter, kit, speaker, 4, 25);
    DrawText(painter, kit, 29, 58, QStringLiteral("SOUND"));
}

void DrawServo(QPainter& painter, const TRenderKit& kit, const TSimuServo& servo)
{
    FillRect(painter, 40, 34, 46, 100, ClrWhite);
    DrawPinMarkers(painter, servo);
    OutlineRect(painter, 40, 34, 46, 100);
    OutlineCircle(painter, 42, 37, 42, 42);
    DrawRotatedPicture(painter, kit, kPictureServoArm, QRect(54, 4, 21, 67), servo.FAngle, QPointF(63, 58));
}

} // namespace kelto::gui
