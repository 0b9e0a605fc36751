// Drawing of the parts the user works: variable resistor, push button, knife
// switch, keypad and microphone, and the supply and ground symbols.
#include "core/look/draw_parts.h"
#include "core/look/shapes.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"

#include <array>

namespace kelto::look {

namespace {

const std::string kVccCaption = "+VCC";

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

void DrawResistance(TDisplayList& list, const TSimuResistance& resistor)
{
    DrawPicture(list, kPictureResistance, TBox{1, 15, 47, 156});
    DrawPinMarkers(list, resistor);
    DrawName(list, resistor, 46, 126);
    DrawText(list, 10, 2, kVccCaption);
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
        Line(list, xa, ys, xb, yp, ClrAccent);
    } else {
        Polyline(list, {{xa, ys}, {xb, ys}, {xb, yp}}, ClrAccent);
    }
    FillPolygon(list, {{xa, ys}, {44, ys + 7}, {44, ys - 7}}, ClrAccent);
}

void DrawPushButton(TDisplayList& list, const TSimuAnNiuSwitch& button)
{
    DrawPicture(list, kPicturePushButton, TBox{5, 15, 44, 120});
    DrawPinMarkers(list, button);
    DrawName(list, button, 44, 94);
    DrawText(list, 10, 2, kVccCaption);
    const int x = PlungerX(button);
    Line(list, x, 74, x, 102, ClrAccent, 4);
    Line(list, x, 88, x + 10, 88, ClrAccent, 4);
}

void DrawKnifeSwitch(TDisplayList& list, const TSimuZhaDaoSwitch& toggle)
{
    DrawPicture(list, kPictureKnifeSwitch, TBox{11, 20, 83, 11});
    DrawPinMarkers(list, toggle);
    DrawName(list, toggle, 25, 5);
    if (toggle.FClosed != 0)
        Line(list, 38, 24, 66, 20, ClrAccent, 2);
    else
        Line(list, 38, 24, 60, 5, ClrAccent, 2);
}

void DrawVCC(TDisplayList& list, const TSimuVCC& supply)
{
    DrawPicture(list, kPictureVcc, TBox{6, 15, 24, 22});
    DrawPinMarkers(list, supply);
    DrawText(list, 3, 2, kVccCaption);
}

void DrawGND(TDisplayList& list, const TSimuGND& ground)
{
    DrawPicture(list, kPictureGnd, TBox{6, 10, 38, 34});
    DrawPinMarkers(list, ground);
    DrawText(list, 13, 44, "GND");
}

void DrawMicphone(TDisplayList& list, const TSimuMicphone& microphone)
{
    DrawPicture(list, kPictureMicphone, TBox{10, 5, 95, 54});
    DrawPinMarkers(list, microphone);
    DrawName(list, microphone, 43, 4);
    DrawText(list, 60, 38, "MIC");
}

void DrawKeypad(TDisplayList& list, const TSimuKeypad& keypad)
{
    static const TIndexedCaptions pinNames("J", 8);
    DrawPicture(list, kPictureKeypad, TBox{-6, 11, 260, 162});
    DrawPinMarkers(list, keypad);
    for (int k = 0; k < 8; ++k)
        DrawText(list, k < 4 ? 55 + 19 * k : 150 + 19 * (k - 4), 173, pinNames[k]);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            const int x0 = kKeyBarLeft[x];
            const int t = (keypad.Key(x, y) != 0 ? 18 : 14) + kKeyPitch * y;
            Line(list, x0, t, x0 + 26, t, ClrAccent, 4);
            Line(list, x0 + 13, t - 6, x0 + 13, t, ClrAccent, 4);
        }
    }
    static const std::array<std::string, 16> hexDigits = [] {
        std::array<std::string, 16> digits;
        for (int i = 0; i < 16; ++i)
            digits[i] = std::string(1, "0123456789ABCDEF"[i]);
        return digits;
    }();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            DrawText(list, kKeyLegendLeft[x], 18 + kKeyPitch * y, hexDigits[4 * x + y], TFace::Legend,
                     ClrLit);
}

} // namespace kelto::look
