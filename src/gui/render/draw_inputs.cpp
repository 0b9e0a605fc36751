// Drawing of the parts the user works: variable resistor, push button, knife
// switch, keypad and microphone, and the supply and ground symbols.
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"

#include <array>

namespace kelto::gui {

namespace {

const QString kVccCaption = QStringLiteral("+VCC");

// Where the plunger stands, by (normally closed, closed): pressing moves it 7
// pixels left. A normally open button closes onto the right side of the
// picture's contacts, a normally closed one rests on their left side.
int PlungerX(const TSimuAnNiuSwitch& button)
{
    if (button.FNormallyClosed == 0)
        return button.FClosed != 0 ? 29 : 36;
    return button.FClosed != 0 ? 19 : 12;
}

constexpr std::array<int, 4> kKeyBarLeft{43, 96, 148, 201};
constexpr std::array<int, 4> kKeyLegendLeft{51, 104, 156, 209};
constexpr int kKeyPitch = 26;

} // namespace

void DrawResistance(QPainter& painter, const TRenderKit& kit, const TSimuResistance& resistor)
{
    DrawPicture(painter, kit, kPictureResistance, QRect(1, 15, 47, 156));
    DrawPinMarkers(painter, resistor);
    DrawName(painter, kit, resistor, 46, 126);
    DrawText(painter, kit, 10, 2, kVccCaption);
    if (resistor.FSlider == nullptr || resistor.FBody == nullptr)
        return;
    // The slider's centre height relative to the body: the same as its client
    // y minus the body's client top, as the canvas is never zoomed.
    const TdxFcObject& slider = *resistor.FSlider;
    const int ys = slider.Top() + slider.Height() / 2 - resistor.FBody->Top();
    constexpr int xa = 34;
    constexpr int xb = 63;
    constexpr int yp = 83;
    if (ys == yp) {
        Line(painter, xa, ys, xb, yp, ClrAccent);
    } else {
        const std::array<QPoint, 3> wiper{QPoint(xa, ys), QPoint(xb, ys), QPoint(xb, yp)};
        Polyline(painter, wiper.data(), 3, ClrAccent);
    }
    const std::array<QPoint, 3> head{QPoint(xa, ys), QPoint(44, ys + 7), QPoint(44, ys - 7)};
    FillPolygon(painter, head.data(), 3, ClrAccent);
}

void DrawPushButton(QPainter& painter, const TRenderKit& kit, const TSimuAnNiuSwitch& button)
{
    DrawPicture(painter, kit, kPicturePushButton, QRect(5, 15, 44, 120));
    DrawPinMarkers(painter, button);
    DrawName(painter, kit, button, 44, 94);
    DrawText(painter, kit, 10, 2, kVccCaption);
    const int x = PlungerX(button);
    Line(painter, x, 74, x, 102, ClrAccent, 4);
    Line(painter, x, 88, x + 10, 88, ClrAccent, 4);
}

void DrawKnifeSwitch(QPainter& painter, const TRenderKit& kit, const TSimuZhaDaoSwitch& toggle)
{
    DrawPicture(painter, kit, kPictureKnifeSwitch, QRect(11, 20, 83, 11));
    DrawPinMarkers(painter, toggle);
    DrawName(painter, kit, toggle, 25, 5);
    if (toggle.FClosed != 0)
        Line(painter, 38, 24, 66, 20, ClrAccent, 2);
    else
        Line(painter, 38, 24, 60, 5, ClrAccent, 2);
}

void DrawVCC(QPainter& painter, const TRenderKit& kit, const TSimuVCC& supply)
{
    DrawPicture(painter, kit, kPictureVcc, QRect(6, 15, 24, 22));
    DrawPinMarkers(painter, supply);
    DrawText(painter, kit, 3, 2, kVccCaption);
}

void DrawGND(QPainter& painter, const TRenderKit& kit, const TSimuGND& ground)
{
    DrawPicture(painter, kit, kPictureGnd, QRect(6, 10, 38, 34));
    DrawPinMarkers(painter, ground);
    DrawText(painter, kit, 13, 44, QStringLiteral("GND"));
}

void DrawMicphone(QPainter& painter, const TRenderKit& kit, const TSimuMicphone& microphone)
{
    DrawPicture(painter, kit, kPictureMicphone, QRect(10, 5, 95, 54));
    DrawPinMarkers(painter, microphone);
    DrawName(painter, kit, microphone, 43, 4);
    DrawText(painter, kit, 60, 38, QStringLiteral("MIC"));
}

void DrawKeypad(QPainter& painter, const TRenderKit& kit, const TSimuKeypad& keypad)
{
    static const TIndexedCaptions pinNames(QStringLiteral("J"), 8);
    DrawPicture(painter, kit, kPictureKeypad, QRect(-6, 11, 260, 162));
    DrawPinMarkers(painter, keypad);
    for (int k = 0; k < 8; ++k)
        DrawText(painter, kit, k < 4 ? 55 + 19 * k : 150 + 19 * (k - 4), 173, pinNames[k]);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            const int x0 = kKeyBarLeft[x];
            const int t = (keypad.Key(x, y) != 0 ? 18 : 14) + kKeyPitch * y;
            Line(painter, x0, t, x0 + 26, t, ClrAccent, 4);
            Line(painter, x0 + 13, t - 6, x0 + 13, t, ClrAccent, 4);
        }
    }
    static const std::array<QString, 16> hexDigits = [] {
        std::array<QString, 16> digits;
        for (int i = 0; i < 16; ++i)
            digits[i] = QString::number(i, 16).toUpper();
        return digits;
    }();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            DrawText(painter, kit, kKeyLegendLeft[x], 18 + kKeyPitch * y, hexDigits[4 * x + y],
                     TPartFont::Legend, ClrLit);
}

} // namespace kelto::gui
