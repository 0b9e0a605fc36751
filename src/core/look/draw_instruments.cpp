// Drawing of the microcontroller, the voltmeter and the bodies of the two
// oscilloscope probes.
#include "core/look/draw_parts.h"
#include "core/look/shapes.h"

#include "core/circuit/parts.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace kelto::look {

namespace {

// One line per pair of opposite package pins: left function, left pin number,
// right pin number, right function, in fixed columns.
const std::array<std::string, 14>& McuLabelLines()
{
    static const std::array<std::string, 14> lines{
        "PC6       1         28       PC5",  "PD0       2         27       PC4",
        "PD1       3         26       PC3",  "PD2       4         25       PC2",
        "PD3       5         24       PC1",  "PD4       6         23       PC0",
        "VCC       7         22       GND",  "GND       8         21       AREF",
        "PB6       9         20       AVCC", "PB7       10        19       PB5",
        "PD5       11        18       PB4",  "PD6       12        17       PB3",
        "PD7       13        16       PB2",  "PB0       14        15       PB1"};
    return lines;
}

const std::vector<TPoint> kSquareWave{{0, 10},  {23, 10}, {23, 0}, {46, 0},
                                      {46, 10}, {69, 10}, {69, 0}, {93, 0}};
const std::vector<TPoint> kSineWave{{0, 0},  {12, 7}, {23, 0},  {35, -7}, {46, 0},
                                    {58, 7}, {69, 0}, {81, -7}, {93, 0}};
const std::vector<TPoint> kProbeWave{{0, 0},  {12, 0},  {21, -19}, {26, 18}, {34, -9},
                                     {39, 9}, {43, -3}, {46, 0},   {56, 0}};

// A cardinal spline through the points as cubic pieces: each inner point's
// tangent follows its neighbours, scaled by the tension; the ends repeat.
TCurve CardinalSpline(const std::vector<TPoint>& points, TPoint offset, double tension, TArgb colour)
{
    const int n = static_cast<int>(points.size());
    const auto at = [&](int i) {
        const TPoint p = points[static_cast<size_t>(std::clamp(i, 0, n - 1))];
        return TPointF{static_cast<double>(p.X + offset.X), static_cast<double>(p.Y + offset.Y)};
    };
    const double k = tension / 3.0;
    TCurve curve{at(0), {}, colour};
    for (int i = 0; i + 1 < n; ++i) {
        const TPointF a = at(i - 1), b = at(i), c = at(i + 1), d = at(i + 2);
        curve.Pieces.push_back({b.X + (c.X - a.X) * k, b.Y + (c.Y - a.Y) * k});
        curve.Pieces.push_back({c.X - (d.X - b.X) * k, c.Y - (d.Y - b.Y) * k});
        curve.Pieces.push_back(c);
    }
    return curve;
}

} // namespace

void DrawMCU(TDisplayList& list, const TSimuMCU& mcu)
{
    DrawPicture(list, kPictureMcu, TBox{46, 5, 113, 250});
    DrawVerticalText(list, 91, 95, "KELTOBASIC", TFace::Title, ClrAccent);
    const std::array<std::string, 14>& lines = McuLabelLines();
    for (int i = 0; i < 14; ++i)
        DrawText(list, 1, 18 + 16 * i, lines[i]);
    DrawPinMarkers(list, mcu);
}

void DrawVoMeter(TDisplayList& list, const TSimuVoMeter& meter)
{
    FillCircle(list, 4, 4, 98, 98, ClrPlate);
    FillRect(list, 13, 36, 80, 26, ClrInk);
    OutlineCircle(list, 4, 4, 98, 98);
    OutlineRect(list, 13, 36, 80, 26, ClrLcdFace);
    DrawPinMarkers(list, meter);
    DrawText(list, 16, 40, meter.FReading, TFace::Reading, ClrLcdFace);
    DrawText(list, 37, 65, "Volts");
}

void DrawOScopes(TDisplayList& list, const TSimuOScopes& probe)
{
    static const TCurve sine = CardinalSpline(kSineWave, {10, 28}, 0.9, ClrTrace);
    DisplayPlate(list, 116, 99, 94, 67);
    DrawPinMarkers(list, probe);
    DrawText(list, 10, 78, "A B C D E F G H");
    Polyline(list, Shifted(kSquareWave, 10, 53), ClrTrace);
    list.Operations.emplace_back(sine);
}

void DrawAudioas(TDisplayList& list, const TSimuAudioas& probe)
{
    DisplayPlate(list, 79, 78, 57, 46);
    DrawPinMarkers(list, probe);
    DrawText(list, 33, 57, "A");
    Polyline(list, Shifted(kProbeWave, 10, 33), ClrTrace);
}

} // namespace kelto::look
