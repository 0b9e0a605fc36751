// Drawing of the microcontroller, the voltmeter and the bodies of the two
// oscilloscope probes.
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"

#include "core/circuit/parts.h"

#include <QPainterPath>

#include <algorithm>
#include <array>

namespace kelto::gui {

namespace {

// One line per pair of opposite package pins: left function, left pin number,
// right pin number, right function, in fixed columns.
const std::array<QString, 14>& McuLabelLines()
{
    static const std::array<QString, 14> lines{QStringLiteral("PC6       1         28       PC5"),
                                               QStringLiteral("PD0       2         27       PC4"),
                                               QStringLiteral("PD1       3         26       PC3"),
                                               QStringLiteral("PD2       4         25       PC2"),
                                               QStringLiteral("PD3       5         24       PC1"),
                                               QStringLiteral("PD4       6         23       PC0"),
                                               QStringLiteral("VCC       7         22       GND"),
                                               QStringLiteral("GND       8         21       AREF"),
                                               QStringLiteral("PB6       9         20       AVCC"),
                                               QStringLiteral("PB7       10        19       PB5"),
                                               QStringLiteral("PD5       11        18       PB4"),
                                               QStringLiteral("PD6       12        17       PB3"),
                                               QStringLiteral("PD7       13        16       PB2"),
                                               QStringLiteral("PB0       14        15       PB1")};
    return lines;
}

constexpr std::array<QPoint, 8> kSquareWave{QPoint(0, 10),  QPoint(23, 10), QPoint(23, 0), QPoint(46, 0),
                                            QPoint(46, 10), QPoint(69, 10), QPoint(69, 0), QPoint(93, 0)};
constexpr std::array<QPoint, 9> kSineWave{QPoint(0, 0),   QPoint(12, 7),  QPoint(23, 0),
                                          QPoint(35, -7), QPoint(46, 0),  QPoint(58, 7),
                                          QPoint(69, 0),  QPoint(81, -7), QPoint(93, 0)};
constexpr std::array<QPoint, 9> kProbeWave{QPoint(0, 0),   QPoint(12, 0),  QPoint(21, -19),
                                           QPoint(26, 18), QPoint(34, -9), QPoint(39, 9),
                                           QPoint(43, -3), QPoint(46, 0),  QPoint(56, 0)};

// A cardinal spline through the points as cubic pieces: each inner point's
// tangent follows its neighbours, scaled by the tension; the ends repeat.
template <size_t N>
QPainterPath CardinalSpline(const std::array<QPoint, N>& points, QPoint offset, double tension)
{
    const auto at = [&](int i) {
        return QPointF(points[static_cast<size_t>(std::clamp(i, 0, static_cast<int>(N) - 1))] + offset);
    };
    QPainterPath path(at(0));
    for (int i = 0; i + 1 < static_cast<int>(N); ++i) {
        const QPointF c1 = at(i) + (at(i + 1) - at(i - 1)) * (tension / 3.0);
        const QPointF c2 = at(i + 1) - (at(i + 2) - at(i)) * (tension / 3.0);
        path.cubicTo(c1, c2, at(i + 1));
    }
    return path;
}

template <size_t N> void DrawTrace(QPainter& painter, const std::array<QPoint, N>& points, QPoint offset)
{
    std::array<QPoint, N> shifted;
    for (size_t i = 0; i < N; ++i)
        shifted[i] = points[i] + offset;
    Polyline(painter, shifted.data(), static_cast<int>(N), ClrTrace);
}

// The one text that runs downwards: its glyphs turned a quarter clockwise,
// the column's left edge at x.
void DrawVerticalText(QPainter& painter, const TRenderKit& kit, int x, int y, const QString& text,
                      TPartFont font, QRgb colour)
{
    const QTransform upright = painter.transform();
    painter.translate(x + kit.LineHeight(font), y);
    painter.rotate(90);
    DrawText(painter, kit, 0, 0, text, font, colour);
    painter.setTransform(upright);
}

} // namespace

void DrawMCU(QPainter& painter, const TRenderKit& kit, const TSimuMCU& mcu)
{
    DrawPicture(painter, kit, kPictureMcu, QRect(46, 5, 113, 250));
    DrawVerticalText(painter, kit, 91, 95, QStringLiteral("KELTOBASIC"), TPartFont::Title, ClrAccent);
    const std::array<QString, 14>& lines = McuLabelLines();
    for (int i = 0; i < 14; ++i)
        DrawText(painter, kit, 1, 18 + 16 * i, lines[i]);
    DrawPinMarkers(painter, mcu);
}

void DrawVoMeter(QPainter& painter, const TRenderKit& kit, const TSimuVoMeter& meter)
{
    FillCircle(painter, 4, 4, 98, 98, ClrPlate);
    FillRect(painter, 13, 36, 80, 26, ClrInk);
    OutlineCircle(painter, 4, 4, 98, 98);
    OutlineRect(painter, 13, 36, 80, 26, ClrLcdFace);
    DrawPinMarkers(painter, meter);
    DrawText(painter, kit, 16, 40, QString::fromStdString(meter.FReading), TPartFont::Reading, ClrLcdFace);
    DrawText(painter, kit, 37, 65, QStringLiteral("Volts"));
}

void DrawOScopes(QPainter& painter, const TRenderKit& kit, const TSimuOScopes& probe)
{
    static const QPainterPath sine = CardinalSpline(kSineWave, QPoint(10, 28), 0.9);
    DisplayPlate(painter, 116, 99, 94, 67);
    DrawPinMarkers(painter, probe);
    DrawText(painter, kit, 10, 78, QStringLiteral("A B C D E F G H"));
    DrawTrace(painter, kSquareWave, QPoint(10, 53));
    painter.setPen(QColor::fromRgba(ClrTrace));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(sine);
}

void DrawAudioas(QPainter& painter, const TRenderKit& kit, const TSimuAudioas& probe)
{
    DisplayPlate(painter, 79, 78, 57, 46);
    DrawPinMarkers(painter, probe);
    DrawText(painter, kit, 33, 57, QStringLiteral("A"));
    DrawTrace(painter, kProbeWave, QPoint(10, 33));
}

} // namespace kelto::gui
